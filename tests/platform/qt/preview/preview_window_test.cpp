// The preview window on Qt, driven by real widget events on the offscreen platform: its
// controls, the page image shown from the picture box, the buttons, the zoom list, the
// scroll bars, the wheel and the double-click, and the modal run of the preview button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

#include "engine/module_state.h"
#include "engine/page_record.h"
#include "fake_platform.h"
#include "method_lines.h"
#include "platform/qt/device_pixels.h"
#include "platform/qt/qt_fonts.h"
#include "platform/qt/preview/qt_preview_factory.h"
#include "platform/qt/preview/qt_preview_window.h"
#include "preview/frm_preview.h"

namespace vant::qt {
namespace {

using test::FakePlatform;

void SetMethods(ModuleState& state, std::initializer_list<const char16_t*> lines) {
  test::SetMethodLines(state, lines);
}

void SendWheel(QWidget& widget, int delta) {
  const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
  QWheelEvent wheel(at, widget.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &wheel);
}

void SendDoubleClick(QWidget& widget) {
  const QPointF at(5, 5);
  QMouseEvent click(QEvent::MouseButtonDblClick, at, widget.mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &click);
}

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(QtPreviewWindow, ControlsCarryTheirCaptionsAtTheirPlaces) {
  QtPreviewWindow dialog;
  EXPECT_EQ(dialog.windowTitle(), Q("Ostra帳票印刷"));
  EXPECT_EQ(dialog.NextPageWidget().text(), Q("次ページ(&N)"));
  EXPECT_EQ(dialog.BackPageWidget().text(), Q("前ページ(&P)"));
  EXPECT_EQ(dialog.PrintWidget().text(), Q("印刷(&T)"));
  EXPECT_EQ(dialog.CloseWidget().text(), Q("閉じる(&C)"));
  EXPECT_EQ(dialog.ZoomLabelWidget().text(), Q("ズーム値："));
  EXPECT_EQ(dialog.ZoomLabelWidget().font().pointSizeF(), 12);
  EXPECT_EQ(dialog.NextPageWidget().geometry(), QRect(0, 4, 97, 25));
  EXPECT_EQ(dialog.BackPageWidget().geometry(), QRect(104, 4, 97, 25));
  EXPECT_EQ(dialog.ZoomWidget().geometry(), QRect(280, 8, 89, 20));
  EXPECT_EQ(dialog.PrintWidget().geometry(), QRect(376, 4, 97, 25));
  EXPECT_EQ(dialog.CloseWidget().geometry(), QRect(480, 4, 97, 25));
  EXPECT_EQ(dialog.ViewportWidget().geometry(), QRect(0, 32, 801, 481));
  EXPECT_EQ(dialog.ViewportWidget().palette().color(QPalette::Window),
            dialog.palette().color(QPalette::Dark));
  EXPECT_EQ(dialog.PageImageBox().Surface().GetStretchMode(), StretchMode::kHalftone);
  EXPECT_THROW(dialog.PagePicture(), Failure);
  EXPECT_THROW(dialog.PanelWidget(6), Failure);
}

class QtPreviewFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    SetMethods(fake.state, {u"prntext,100,100,Ａ,ＭＳ 明朝,12", u"newpage", u"prnbox,100,100,2000,2000"});
    window.Load();
    ASSERT_TRUE(window.PreviewReady());
    dialog.Attach(&window);
    dialog.show();
    QApplication::processEvents();
  }
  void TearDown() override {
    dialog.Attach(nullptr);
    window.Unload();
  }

  FakePlatform fake;
  QtPreviewWindow dialog;
  FrmPreview window{fake.platform, dialog};
};

TEST_F(QtPreviewFlow, FirstLayoutShowsPageOneFitted) {
  // Loading maximised the window; the viewport fills it below the top row, less the
  // vertical bar at its right and the status bar.
  const int width = dialog.width();
  const int height = dialog.height();
  EXPECT_EQ(dialog.ViewportWidget().geometry(),
            QRect(0, 32, width - 17, height - 32 - static_cast<int>(dialog.StatusBarHeight())));
  EXPECT_EQ(dialog.VerticalBarWidget().geometry().left(), width - 17);
  EXPECT_FALSE(dialog.HorizontalBarWidget().isVisible());
  EXPECT_FALSE(dialog.VerticalBarWidget().isEnabled());
  EXPECT_EQ(dialog.ZoomWidget().count(), 5);
  EXPECT_EQ(dialog.ZoomWidget().currentText(), Q("オート"));
  EXPECT_EQ(dialog.PanelWidget(1).text(), Q("印刷プレビュー:1/2"));
  EXPECT_EQ(dialog.PanelWidget(4).text(), Q("Office"));
  EXPECT_TRUE(dialog.NextPageWidget().isEnabled());
  EXPECT_FALSE(dialog.BackPageWidget().isEnabled());

  // The page image is painted white on the workspace colour, centred in the viewport.
  const PictureSurface& image = dialog.PageImageBox().Surface();
  ASSERT_TRUE(image.Visible());
  const QImage shot = dialog.ViewportWidget().grab().toImage();
  const QPoint centre(static_cast<int>(image.Left() + image.Width() / 2),
                      static_cast<int>(image.Top() + image.Height() - 3));
  EXPECT_EQ(shot.pixelColor(centre).rgb(), QColor(Qt::white).rgb());
  EXPECT_EQ(shot.pixelColor(2, 2).rgb(), dialog.palette().color(QPalette::Dark).rgb());
}

TEST_F(QtPreviewFlow, DrawnPageReachesTheScreenAtItsZoom) {
  dialog.NextPageWidget().click();   // page 2: a box from 100 to 2000 twips
  dialog.ZoomWidget().setCurrentIndex(1);  // 200 %: the page picture's own pixels
  const PictureSurface& image = dialog.PageImageBox().Surface();
  ASSERT_TRUE(image.Visible());
  // The page's left edge brought into view: on a small desktop (a scaled one has fewer
  // pixels) the canvas centres the page beyond the viewport's right edge.
  QScrollBar& across = dialog.HorizontalBarWidget();
  across.setValue(std::clamp(static_cast<int>(image.Left()), across.minimum(), across.maximum()));
  QApplication::processEvents();
  ASSERT_GE(image.Left() + 13, 2);
  ASSERT_LT(image.Left() + 140 + 2, dialog.ViewportWidget().width());
  const QImage shot = dialog.ViewportWidget().grab().toImage();
  // The box's left edge at 100 twips is 13.3 pixels in, at double density; its middle is
  // white. The shot has the screen's device pixels (more than one a pixel on a scaled
  // desktop).
  const double ratio = shot.devicePixelRatio();
  auto darkNear = [&](int x, int y) {
    for (int dx = -2; dx <= 2; ++dx) {
      const QPoint at(static_cast<int>((static_cast<double>(image.Left()) + x + dx) * ratio),
                      static_cast<int>((static_cast<double>(image.Top()) + y) * ratio));
      if (shot.valid(at) && qGray(shot.pixel(at)) < 128) return true;
    }
    return false;
  };
  EXPECT_TRUE(darkNear(13, 140));
  EXPECT_FALSE(darkNear(140, 140));
}

// Run on a plain and on a scaled desktop (QT_SCALE_FACTOR): the pictures carry the
// screen's ratio, the page image that many device pixels for each of its pixels.
TEST_F(QtPreviewFlow, ThePicturesHoldTheScreensDevicePixels) {
  const double ratio = dialog.devicePixelRatioF();
  EXPECT_DOUBLE_EQ(ratio, QGuiApplication::primaryScreen()->devicePixelRatio());
  for (const int index : {4, 3, 0}) {  // the fit, 100 %, 300 %
    SCOPED_TRACE(index);
    dialog.ZoomWidget().setCurrentIndex(index);
    const PictureSurface& image = dialog.PageImageBox().Surface();
    EXPECT_DOUBLE_EQ(dialog.PageImageBox().Image().devicePixelRatio(), ratio);
    EXPECT_EQ(dialog.PageImageBox().Image().size(),
              QSize(DeviceEdge(image.Width(), ratio), DeviceEdge(image.Height(), ratio)));
    EXPECT_DOUBLE_EQ(dialog.PagePictureBox()->Image().devicePixelRatio(), ratio);
  }
}

TEST_F(QtPreviewFlow, PageButtonsByClick) {
  dialog.NextPageWidget().click();
  EXPECT_EQ(window.CurrentPage(), 2);
  EXPECT_EQ(dialog.PanelWidget(1).text(), Q("印刷プレビュー:2/2"));
  EXPECT_FALSE(dialog.NextPageWidget().isEnabled());
  EXPECT_TRUE(dialog.BackPageWidget().isEnabled());
  dialog.BackPageWidget().click();
  EXPECT_EQ(window.CurrentPage(), 1);
  EXPECT_FALSE(dialog.BackPageWidget().isEnabled());
}

TEST_F(QtPreviewFlow, ZoomListAndScrollBarsFollowTheModels) {
  dialog.ZoomWidget().setCurrentIndex(3);  // 100%
  EXPECT_EQ(dialog.ZoomChoices().ListIndex(), 3);
  QScrollBar& vertical = dialog.VerticalBarWidget();
  EXPECT_TRUE(vertical.isEnabled());
  EXPECT_EQ(vertical.maximum(), dialog.VerticalBar().Max());
  EXPECT_EQ(vertical.minimum(), 0);
  EXPECT_EQ(vertical.pageStep(), dialog.VerticalBar().LargeChange());
  EXPECT_TRUE(dialog.HorizontalBarWidget().isVisible());
  // Dragging the bar scrolls the canvas and the page with it.
  const float top = dialog.PageImage().Top();
  vertical.setValue(120);
  EXPECT_EQ(dialog.VerticalBar().Value(), 120);
  EXPECT_EQ(dialog.Canvas().Top(), -120);
  EXPECT_FLOAT_EQ(dialog.PageImage().Top(), top - 120);
}

TEST_F(QtPreviewFlow, WheelOverTheViewportStepsTwentyPixels) {
  dialog.ZoomWidget().setCurrentIndex(3);
  SendWheel(dialog.ViewportWidget(), -120);
  EXPECT_EQ(dialog.VerticalBar().Value(), 20);
  EXPECT_EQ(dialog.VerticalBarWidget().value(), 20);
  SendWheel(dialog.ViewportWidget(), -360);  // three notches are one step
  EXPECT_EQ(dialog.VerticalBar().Value(), 40);
  SendWheel(dialog.ViewportWidget(), 120);
  EXPECT_EQ(dialog.VerticalBar().Value(), 20);
}

// Over the zoom list, as over the page, the wheel scrolls the view one step of 20 pixels and
// leaves the zoom as chosen.
TEST_F(QtPreviewFlow, WheelOverTheZoomListScrollsTheView) {
  dialog.ZoomWidget().setCurrentIndex(3);
  SendWheel(dialog.ZoomWidget(), -120);
  EXPECT_EQ(dialog.ZoomWidget().currentIndex(), 3);
  EXPECT_EQ(dialog.ZoomChoices().ListIndex(), 3);
  EXPECT_EQ(dialog.VerticalBar().Value(), 20);
  SendWheel(dialog.ViewportWidget(), -120);
  EXPECT_EQ(dialog.VerticalBar().Value(), 40);
  SendWheel(dialog.ZoomWidget(), 120);
  EXPECT_EQ(dialog.ZoomWidget().currentIndex(), 3);
  EXPECT_EQ(dialog.VerticalBar().Value(), 20);
}

TEST_F(QtPreviewFlow, WheelStopsWithTheUnload) {
  dialog.ZoomWidget().setCurrentIndex(3);
  window.Unload();
  SendWheel(dialog.ViewportWidget(), -120);
  EXPECT_EQ(dialog.VerticalBar().Value(), 0);
}

TEST_F(QtPreviewFlow, DoubleClickReturnsToTheFit) {
  dialog.ZoomWidget().setCurrentIndex(0);  // 300%
  EXPECT_TRUE(dialog.VerticalBarWidget().isEnabled());
  SendDoubleClick(dialog.ViewportWidget());
  EXPECT_EQ(dialog.ZoomWidget().currentIndex(), 4);
  EXPECT_FALSE(dialog.VerticalBarWidget().isEnabled());
  EXPECT_FALSE(dialog.HorizontalBarWidget().isVisible());
}

TEST_F(QtPreviewFlow, ResizingTheWindowLaysItOutAgain) {
  dialog.setWindowState(Qt::WindowNoState);
  dialog.resize(1000, 800);
  QApplication::processEvents();
  EXPECT_EQ(dialog.ViewportWidget().width(), 1000 - 17);
  EXPECT_EQ(dialog.VerticalBarWidget().geometry().left(), 1000 - 17);
  dialog.resize(1, 1);  // too small for any viewport: nothing breaks
  QApplication::processEvents();
  EXPECT_EQ(dialog.Viewport().Width(), 1000 - 17);
  EXPECT_TRUE(dialog.PageImageBox().Surface().Visible());
}

TEST_F(QtPreviewFlow, EscapeClosesAndUnloads) {
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &escape);
  QApplication::processEvents();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 1U);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
}

TEST_F(QtPreviewFlow, CloseBoxUnloadsOnce) {
  dialog.ZoomWidget().setCurrentIndex(3);
  EXPECT_TRUE(dialog.close());
  QApplication::processEvents();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 1U);
  // The wheel no longer reaches the window.
  SendWheel(dialog.ViewportWidget(), -120);
  EXPECT_EQ(dialog.VerticalBar().Value(), 0);
}

TEST_F(QtPreviewFlow, MiddleButtonReleasePassesThrough) {
  dialog.ZoomWidget().setCurrentIndex(3);
  const QPointF at(5, 5);
  QMouseEvent release(QEvent::MouseButtonRelease, at, dialog.mapToGlobal(at), Qt::MiddleButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &release);
  EXPECT_EQ(dialog.VerticalBar().Value(), 0);
  EXPECT_FALSE(fake.state.wheelBusy);
  EXPECT_TRUE(dialog.isVisible());
}

TEST(QtPreviewRun, ModalWindowClosedByItsCloseButton) {
  FakePlatform fake;
  SetMethods(fake.state, {u"prntext,100,100,A,ＭＳ 明朝,12", u"newpage", u"prntext,100,100,B,ＭＳ 明朝,12"});
  QtPreviewFactory factory;
  bool seen = false;
  QTimer::singleShot(0, [&] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* dialog = dynamic_cast<QtPreviewWindow*>(top);
      if (dialog == nullptr || !dialog->isVisible()) continue;
      seen = dialog->PageImageBox().Surface().Visible();
      dialog->NextPageWidget().click();
      dialog->CloseWidget().click();
    }
  });
  RunPreview(fake.platform, factory);
  EXPECT_TRUE(seen);
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 1U);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST(QtPreviewRun, FailedLoadNeverShowsTheWindow) {
  FakePlatform fake;
  SetMethods(fake.state, {u"prnbux"});
  QtPreviewFactory factory;
  RunPreview(fake.platform, factory);  // returns without a modal loop
  ASSERT_EQ(fake.messages.shown.size(), 1U);
  EXPECT_EQ(fake.pointer.Get(), kPointerDefault);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
}

}  // namespace
}  // namespace vant::qt
