// The headless preview in this process, on printers that record: it leaves the printer
// selection and NextMethod as the preview button does, pages through the window's own
// controls, and shows the unprintable strips of a printer with margins.
#include "app/render/render_preview.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "control/held_buttons.h"
#include "control/prn_ctl.h"
#include "engine/module_state.h"
#include "fake_host.h"
#include "fake_platform.h"
#include "page_oracle.h"
#include "state_reset.h"

namespace vant::test {
namespace {

PrinterSpec Named(const char16_t* name, double margin = 0) {
  PrinterSpec spec;
  spec.name = name;
  spec.marginLeftMm = spec.marginTopMm = spec.marginRightMm = spec.marginBottomMm = margin;
  return spec;
}

class RenderPreview : public ::testing::Test {
 protected:
  // The preview button of a control over the page's methods.
  app::RenderOutcome Preview(FakePlatform& fake, const std::vector<Text>& methods, app::RenderRequest request) {
    FakePage page;
    page.AddMethods(methods);
    HeldButtonsView view;
    app::RenderOpener opener(request);
    PrnCtl control(fake.platform, view, opener);
    control.ReadProperties(page.document, page.bag);
    control.PreviewClick();
    EXPECT_TRUE(view.PreviewButton().Enabled());
    return opener.Outcome();
  }
};

const std::vector<Text> kThreePages = {
    u"scalemode,mm", u"prntext,20,20,一,ＭＳ 明朝,12,false,false,0",
    u"newpage",      u"prnbox,20,20,60,60,1,solid,0",
    u"newpage",      u"prnline,10,10,100,10,1,solid,0",
    u"enddoc",
};

TEST_F(RenderPreview, ThePrinterChosenWhileBuildingIsPutBackAndNextMethodIsZero) {
  FakePlatform fake({Named(u"Office"), Named(u"Label")});
  std::vector<Text> methods = kThreePages;
  methods.insert(methods.begin(), u"changeprinter,Label");
  const auto outcome = Preview(fake, methods, {2, 100, 1280, 800});
  ASSERT_TRUE(outcome.shown);
  EXPECT_EQ(outcome.shown->panels[3], u"Label");  // the page was built on it
  EXPECT_EQ(fake.printers.CurrentIndex(), 0);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 1U);  // the window has unloaded
}

TEST_F(RenderPreview, ThePageIsReachedThroughTheNextPageButton) {
  FakePlatform fake;
  const auto outcome = Preview(fake, kThreePages, {3, 0, 1280, 800});
  ASSERT_TRUE(outcome.opened);
  EXPECT_EQ(outcome.shownPages, 3);
  ASSERT_TRUE(outcome.shown);
  EXPECT_EQ(outcome.shown->panels[0], u"印刷プレビュー:3/3");
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(RenderPreview, APageBeyondTheCountIsNotShownAndTheCountIsKept) {
  FakePlatform fake;
  const auto outcome = Preview(fake, kThreePages, {4, 0, 1280, 800});
  EXPECT_TRUE(outcome.opened);
  EXPECT_TRUE(outcome.pageBeyond);
  EXPECT_EQ(outcome.shownPages, 3);
  EXPECT_FALSE(outcome.shown);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
}

TEST_F(RenderPreview, AFailedLoadOpensNoWindow) {
  FakePlatform fake;
  const auto outcome = Preview(fake, {u"scalemode,mm", u"prnbogus,1,2"}, {1, 0, 1280, 800});
  EXPECT_FALSE(outcome.opened);
  EXPECT_FALSE(outcome.shown);
  ASSERT_EQ(fake.messages.shown.size(), 1U);
  EXPECT_EQ(fake.messages.shown[0].title, u"エラー");
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
}

TEST_F(RenderPreview, MarginsShowAsWhiteStripsAndInTheStatusBar) {
  // 4 mm strips on every side: 15 pixels at 96 dpi, read back as 3.96875 mm.
  FakePlatform fake({Named(u"Office", 4)});
  const std::vector<Text> methods = {u"scalemode,mm", u"prnbox,0,0,150,200,1,solid,0", u"enddoc"};
  const auto outcome = Preview(fake, methods, {1, 100, 1280, 800});
  ASSERT_TRUE(outcome.shown);
  EXPECT_EQ(outcome.shown->panels[4], u"印刷マージン:T=3.96875/B=3.96875/L=3.96875/R=3.96875(mm)");

  // The same page worked out from the engine, on the same printer.
  ResetModuleState(fake.state);
  FakePage page;
  page.AddMethods(methods);
  HeldButtonsView view;
  class NoOpener final : public PreviewOpener {
    void OpenModal(Platform&) override {}
  } none;
  PrnCtl control(fake.platform, view, none);
  control.ReadProperties(page.document, page.bag);
  ASSERT_EQ(BuildShownPages(fake.platform).count, 1);
  const QImage expected = PageImageAtFactor(fake.state.engine, 1, 0.5);
  EXPECT_EQ(outcome.shown->image.convertToFormat(QImage::Format_RGB32), expected);
  // The strips are white: the box's top-left corner lies inside them, 15 / 2 pixels in.
  const QImage& shown = outcome.shown->image;
  for (int i = 0; i < 7; ++i) EXPECT_EQ(shown.pixel(i, 20) & 0xFFFFFF, 0xFFFFFFU) << i;
  EXPECT_NE(shown.pixel(8, 20) & 0xFFFFFF, 0xFFFFFFU);
}

TEST(RenderZoomIndex, EachListPercentageHasItsEntry) {
  EXPECT_EQ(app::ZoomIndexOf(300), 0);
  EXPECT_EQ(app::ZoomIndexOf(100), 3);
  EXPECT_EQ(app::ZoomIndexOf(0), 4);
  EXPECT_THROW(app::ZoomIndexOf(75), Failure);
}

}  // namespace
}  // namespace vant::test
