// The control's widget: its two buttons at the designed places, sizes refused as the
// platform refuses them, clicks reaching their handlers.
#include <gtest/gtest.h>

#include <QPushButton>

#include <stdexcept>

#include "common/failure.h"
#include "control/prn_ctl.h"
#include "fake_host.h"
#include "fake_platform.h"
#include "platform/qt/qt_control_widget.h"

namespace vant::qt {
namespace {

QPushButton* Named(QtControlWidget& widget, const char* name) {
  return widget.findChild<QPushButton*>(QString::fromLatin1(name));
}

TEST(QtControlWidget, TwoButtonsAtTheirDesignedPlaces) {
  QtControlWidget widget;
  QPushButton* print = Named(widget, "cmdprint");
  QPushButton* preview = Named(widget, "cmdPreview");
  ASSERT_NE(print, nullptr);
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(print->geometry(), QRect(8, 8, 108, 33));
  EXPECT_EQ(preview->geometry(), QRect(128, 8, 108, 33));
  Button& printButton = widget.PrintButton();
  EXPECT_EQ(printButton.Left(), 8);
  EXPECT_EQ(printButton.Top(), 8);
  EXPECT_EQ(printButton.Width(), 108);
  EXPECT_EQ(printButton.Height(), 33);
  EXPECT_EQ(widget.PreviewButton().Left(), 128);
  EXPECT_EQ(widget.sizeHint(), QSize(244, 49));
}

TEST(QtControlWidget, ButtonMembersReachTheirQtButton) {
  QtControlWidget widget;
  Button& button = widget.PrintButton();
  button.SetCaption(u"印刷(&P)");
  EXPECT_EQ(button.Caption(), u"印刷(&P)");
  EXPECT_EQ(Named(widget, "cmdprint")->text(), QString::fromUtf8("印刷(&P)"));
  button.SetLeft(20);
  button.SetWidth(200);
  button.SetHeight(0);
  EXPECT_EQ(Named(widget, "cmdprint")->geometry(), QRect(20, 8, 200, 0));
  button.SetEnabled(false);
  EXPECT_FALSE(button.Enabled());
  EXPECT_FALSE(Named(widget, "cmdprint")->isEnabled());
  EXPECT_TRUE(widget.PreviewButton().Enabled());
}

TEST(QtControlWidget, NegativeSizesAreRefusedAndTheSizeKept) {
  QtControlWidget widget;
  Button& button = widget.PreviewButton();
  EXPECT_THROW(button.SetWidth(-1), Failure);
  EXPECT_THROW(button.SetHeight(-33), Failure);
  EXPECT_EQ(button.Width(), 108);
  EXPECT_EQ(button.Height(), 33);
  button.SetLeft(-50);  // a place may be negative
  EXPECT_EQ(button.Left(), -50);
}

TEST(QtControlWidget, ClicksRunTheirOwnHandler) {
  QtControlWidget widget;
  int prints = 0, previews = 0;
  widget.OnPrintClicked([&] { ++prints; });
  widget.OnPreviewClicked([&] { ++previews; });
  Named(widget, "cmdprint")->click();
  Named(widget, "cmdprint")->click();
  Named(widget, "cmdPreview")->click();
  EXPECT_EQ(prints, 2);
  EXPECT_EQ(previews, 1);
  widget.PreviewButton().SetEnabled(false);
  Named(widget, "cmdPreview")->click();  // a disabled button does not click
  EXPECT_EQ(previews, 1);
}

TEST(QtControlWidget, AFailureEscapingAHandlerStaysInTheHandler) {
  QtControlWidget widget;
  widget.OnPrintClicked([] { throw std::runtime_error("broken handler"); });
  testing::internal::CaptureStderr();
  Named(widget, "cmdprint")->click();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("cmdprint"), std::string::npos);
  EXPECT_NE(err.find("broken handler"), std::string::npos);
  QtControlWidget noHandlers;
  Named(noHandlers, "cmdPreview")->click();  // nothing attached: nothing happens
}

class NoPreview final : public PreviewOpener {
 public:
  void OpenModal(Platform&) override {}
};

// The window after the show step has laid out the buttons: wide enough for a wider print
// button and the preview button moved to its right, unless the page gives the size.
TEST(QtControlWidget, TheWindowHoldsTheButtonsAsTheShowStepLaysThemOut) {
  const struct {
    int line;
    const char16_t* cmdProperty;
    std::optional<int32_t> objectWidth, objectHeight;
    QSize window;
  } rows[] = {
      {__LINE__, u"", std::nullopt, std::nullopt, QSize(8 + 108 + 5 + 108 + 8, 49)},
      {__LINE__, u"発行,150", std::nullopt, std::nullopt, QSize(8 + 150 + 5 + 108 + 8, 49)},
      {__LINE__, u"発行,200,70", std::nullopt, std::nullopt, QSize(8 + 200 + 5 + 108 + 8, 8 + 70 + 8)},
      {__LINE__, u"発行,200,70", 400, 120, QSize(400, 120)},
      {__LINE__, u"発行,200,70", 300, std::nullopt, QSize(300, 86)},
  };
  for (const auto& r : rows) {
    test::FakePlatform fake;
    test::FakePage page;
    if (*r.cmdProperty != u'\0') page.Add(u"CmdProperty", r.cmdProperty);
    QtControlWidget widget;
    NoPreview preview;
    PrnCtl control(fake.platform, widget, preview);
    control.ReadProperties(page.document, page.bag);
    widget.SetObjectSize(r.objectWidth, r.objectHeight);
    widget.FitWindow();
    control.Show();
    widget.FitWindow();
    EXPECT_EQ(widget.size(), r.window) << "line " << r.line;
    if (!r.objectWidth) {
      const QRect whole(QPoint(0, 0), widget.size());
      EXPECT_TRUE(whole.contains(Named(widget, "cmdPreview")->geometry())) << "line " << r.line;
      EXPECT_TRUE(whole.contains(Named(widget, "cmdprint")->geometry())) << "line " << r.line;
    }
  }
}

}  // namespace
}  // namespace vant::qt
