// The preview window's keys on Qt, pressed as a user presses them (through the window's
// shortcut handling): PageDown/PageUp, Home/End, Ctrl+Plus/Minus, Ctrl+wheel and Escape, and
// the buttons' own access keys beside them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <functional>

#include "engine/module_state.h"
#include "fake_platform.h"
#include "method_lines.h"
#include "platform/qt/preview/qt_preview_window.h"
#include "preview/frm_preview.h"

namespace vant::qt {
namespace {

using test::FakePlatform;

void SetThreePages(ModuleState& state) {
  test::SetMethodLines(state, {u"prntext,100,100,A,ＭＳ 明朝,12", u"newpage", u"prntext,100,100,B,ＭＳ 明朝,12",
                               u"newpage", u"prnbox,100,100,2000,2000"});
}

class QtPreviewKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    SetThreePages(fake.state);
    window.Load();
    ASSERT_TRUE(window.PreviewReady());
    dialog.Attach(&window);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  void TearDown() override {
    dialog.Attach(nullptr);
    window.Unload();
  }

  // A key as the keyboard sends it to whatever has the focus.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &dialog, key, modifiers);
  }

  void CtrlWheel(QWidget& widget, int delta) {
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent wheel(at, widget.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
  }

  FakePlatform fake;
  QtPreviewWindow dialog;
  FrmPreview window{fake.platform, dialog};
};

TEST_F(QtPreviewKeys, PageKeysTurnPagesAsTheButtonsDo) {
  struct Step {
    Qt::Key key;
    int16_t page;
  };
  const Step steps[] = {
      {Qt::Key_PageUp, 1},  // the previous page button is disabled
      {Qt::Key_PageDown, 2}, {Qt::Key_PageDown, 3}, {Qt::Key_PageDown, 3},
      {Qt::Key_Home, 1},     {Qt::Key_End, 3},      {Qt::Key_PageUp, 2},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.key);
    Key(step.key);
    EXPECT_EQ(window.CurrentPage(), step.page);
    EXPECT_EQ(dialog.BackPageWidget().isEnabled(), step.page != 1);
    EXPECT_EQ(dialog.NextPageWidget().isEnabled(), step.page != 3);
    EXPECT_EQ(dialog.PanelWidget(1).text(), QStringLiteral("印刷プレビュー:%1/3").arg(step.page));
  }
}

TEST_F(QtPreviewKeys, PageKeysWorkWithTheFocusOnTheZoomList) {
  // The list would take the keys for its own choice; the window's keys come first.
  dialog.ZoomWidget().setFocus();
  ASSERT_EQ(QApplication::focusWidget(), &dialog.ZoomWidget());
  Key(Qt::Key_PageDown);
  Key(Qt::Key_End);
  EXPECT_EQ(window.CurrentPage(), 3);
  EXPECT_EQ(dialog.ZoomWidget().currentIndex(), 4);
}

TEST_F(QtPreviewKeys, CtrlPlusAndMinusStepThroughTheZoomList) {
  struct Step {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int index;
  };
  const Step steps[] = {
      {Qt::Key_Plus, Qt::ControlModifier, 3},   // オート to 100%
      {Qt::Key_Equal, Qt::ControlModifier, 2},  // the + key unshifted
      {Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, 1},
      {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, 0},
      {Qt::Key_Plus, Qt::ControlModifier, 0},   // 300% is the largest
      {Qt::Key_Minus, Qt::ControlModifier, 1},
      {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, 2},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.index);
    Key(step.key, step.modifiers);
    EXPECT_EQ(dialog.ZoomChoices().ListIndex(), step.index);
    EXPECT_EQ(dialog.ZoomWidget().currentIndex(), step.index);
  }
  // The page is shown at the zoom chosen: 150 % of the double-density picture.
  EXPECT_TRUE(dialog.VerticalBarWidget().isEnabled());
}

TEST_F(QtPreviewKeys, CtrlWheelZoomsByNotchesAndDoesNotScroll) {
  dialog.ZoomWidget().setCurrentIndex(3);  // 100%
  CtrlWheel(dialog.ViewportWidget(), 120);  // away from the user: larger
  EXPECT_EQ(dialog.ZoomChoices().ListIndex(), 2);
  EXPECT_EQ(dialog.VerticalBar().Value(), 0);
  CtrlWheel(dialog.ViewportWidget(), 60);  // half a notch waits for the other half
  EXPECT_EQ(dialog.ZoomChoices().ListIndex(), 2);
  CtrlWheel(dialog.ViewportWidget(), 60);
  EXPECT_EQ(dialog.ZoomChoices().ListIndex(), 1);
  CtrlWheel(dialog.ZoomWidget(), -240);  // over the list too, two notches towards the fit
  EXPECT_EQ(dialog.ZoomChoices().ListIndex(), 3);
  EXPECT_EQ(dialog.ZoomWidget().currentIndex(), 3);
  CtrlWheel(dialog, -120);
  CtrlWheel(dialog, -120);  // オート is the last entry
  EXPECT_EQ(dialog.ZoomChoices().ListIndex(), 4);
  EXPECT_EQ(dialog.VerticalBar().Value(), 0);
}

TEST_F(QtPreviewKeys, EscapeClosesAsTheCloseButton) {
  Key(Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(window.PreviewReady());
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 1U);
}

TEST_F(QtPreviewKeys, TheButtonsAccessKeysKeepWorking) {
  // An access key presses its button as a click that shows for a moment: the click comes
  // from the event loop a little later.
  const auto accessKey = [this](Qt::Key key, const std::function<bool()>& done) {
    Key(key, Qt::AltModifier);
    return QTest::qWaitFor(done, 2000);
  };
  EXPECT_TRUE(accessKey(Qt::Key_N, [&] { return window.CurrentPage() == 2; }));  // 次ページ(&N)
  EXPECT_TRUE(accessKey(Qt::Key_N, [&] { return window.CurrentPage() == 3; }));
  EXPECT_TRUE(accessKey(Qt::Key_P, [&] { return window.CurrentPage() == 2; }));  // 前ページ(&P)
  // 印刷(&T): the whole list goes to the printer, two page breaks and the third page open.
  EXPECT_TRUE(accessKey(Qt::Key_T, [&] { return fake.printers.Recording(0).pages.size() == 2; }));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(accessKey(Qt::Key_C, [&] { return !dialog.isVisible(); }));  // 閉じる(&C)
  EXPECT_FALSE(window.PreviewReady());
}

}  // namespace
}  // namespace vant::qt
