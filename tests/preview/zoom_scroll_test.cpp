// Zoom selection, scrolling, the wheel, the double-click and the resize layout of a loaded
// window: one A4 page with 4 mm strips (763 x 1092 printable pixels, strips of 15).
#include <gtest/gtest.h>

#include "engine/module_state.h"
#include "preview_fixture.h"

namespace vant::test {
namespace {

class ZoomScrollTest : public PreviewTest {
 protected:
  void SetUp() override {
    PreviewTest::SetUp();
    SetMethods({"prntext,100,100,A,ＭＳ 明朝,12"});
    LoadAndLayOut();
    ASSERT_TRUE(window.PreviewReady());
  }
  // Each page shown refreshes the page image once.
  int ShowCount() const { return view.image.picture.RefreshCount(); }
};

TEST_F(ZoomScrollTest, FirstLayoutPlacesTheControlsAndFitsThePage) {
  // Window 821 x 570: the viewport fills it below the top row, less the bar and the
  // status bar; the horizontal bar is hidden at the fit.
  EXPECT_EQ(view.viewport.Width(), 804);
  EXPECT_EQ(view.viewport.Height(), 513);
  EXPECT_EQ(view.horizontalPlace.Top(), 528);
  EXPECT_EQ(view.horizontalPlace.Width(), 804);
  EXPECT_EQ(view.verticalPlace.Left(), 804);
  EXPECT_EQ(view.verticalPlace.Height(), 513);
  EXPECT_EQ(view.image.picture.Height(), 513 - 5);
  EXPECT_FALSE(view.horizontal.Visible());
  EXPECT_FALSE(view.vertical.Enabled());
}

TEST_F(ZoomScrollTest, ChoosingAZoomRedrawsAndFocusesTheViewport) {
  const int before = ShowCount();
  view.log.clear();
  SelectZoom(k100);
  EXPECT_EQ(ShowCount(), before + 1);
  // (2 x 763 + 30) x 0.5.
  EXPECT_EQ(view.image.picture.Width(), 778);
  EXPECT_EQ(view.log, (std::vector<std::string>{"focus"}));
  EXPECT_TRUE(view.horizontal.Visible());
  EXPECT_TRUE(view.vertical.Enabled());
}

TEST_F(ZoomScrollTest, RelativeScrollIsKeptAcrossAZoomChange) {
  SelectZoom(k100);
  const int16_t vMax100 = view.vertical.Max();
  const int16_t hMax100 = view.horizontal.Max();
  const auto vHalf = static_cast<int16_t>(vMax100 / 2);
  const auto hHalf = static_cast<int16_t>(hMax100 / 2);
  view.vertical.SetValue(vHalf);
  view.horizontal.SetValue(hHalf);
  SelectZoom(k200);
  EXPECT_GT(view.vertical.Max(), vMax100);
  EXPECT_GT(view.horizontal.Max(), hMax100);
  // The same share of the new maxima, to the nearest whole pixel.
  EXPECT_NEAR(view.vertical.Value(), view.vertical.Max() * (double(vHalf) / vMax100), 0.5);
  EXPECT_NEAR(view.horizontal.Value(), view.horizontal.Max() * (double(hHalf) / hMax100), 0.5);
  // The canvas follows the new values.
  EXPECT_EQ(view.canvas.Top(), -view.vertical.Value());
  EXPECT_EQ(view.canvas.Left(), -view.horizontal.Value());
}

TEST_F(ZoomScrollTest, AtTheFitTheWheelDoesNothing) {
  const float top = view.image.picture.Top();
  window.vbWheelMinus();
  window.vbWheelPlus();
  EXPECT_EQ(view.vertical.Value(), 0);
  EXPECT_EQ(view.image.picture.Top(), top);
}

TEST_F(ZoomScrollTest, WheelStepsTwentyPixelsAndDropsStepsPastTheEnd) {
  SelectZoom(k100);
  const float top = view.image.picture.Top();
  window.vbWheelMinus();
  EXPECT_EQ(view.vertical.Value(), 20);
  EXPECT_FLOAT_EQ(view.image.picture.Top(), top - 20);
  window.vbWheelPlus();
  window.vbWheelPlus();  // below 0: dropped
  EXPECT_EQ(view.vertical.Value(), 0);
  const int16_t max = view.vertical.Max();
  view.vertical.SetValue(static_cast<int16_t>(max - 10));
  window.vbWheelMinus();
  EXPECT_EQ(view.vertical.Value(), max - 10);
  window.vbMButtonUp();
  EXPECT_EQ(view.vertical.Value(), max - 10);
}

TEST_F(ZoomScrollTest, WheelReachesTheWindowThroughTheInstalledProcedure) {
  SelectZoom(k100);
  ASSERT_NE(view.wheel, nullptr);
  int passed = 0;
  WheelWindowProc(*view.wheel, kWmMouseWheel, WheelWParam(-120), [&] { return ++passed; });
  EXPECT_EQ(view.vertical.Value(), 20);
  EXPECT_EQ(passed, 1);
}

TEST_F(ZoomScrollTest, ShortCanvasHasANegativeMaximumTheWheelStillMovesTowards) {
  view.windowWidth = 3000;
  view.windowHeight = 3000;
  window.Resize();
  SelectZoom(k100);
  ASSERT_LT(view.vertical.Max(), 0);
  EXPECT_FALSE(view.vertical.Enabled());
  EXPECT_FALSE(view.horizontal.Visible());
  const float top = view.image.picture.Top();
  window.vbWheelPlus();
  window.vbWheelPlus();
  EXPECT_EQ(view.vertical.Value(), -40);
  EXPECT_FLOAT_EQ(view.image.picture.Top(), top + 40);  // the page moves down
  window.vbWheelMinus();
  window.vbWheelMinus();
  window.vbWheelMinus();  // past 0: dropped
  EXPECT_EQ(view.vertical.Value(), 0);
  EXPECT_FLOAT_EQ(view.image.picture.Top(), top);
}

TEST_F(ZoomScrollTest, DoubleClickGoesBackToTheFit) {
  SelectZoom(k300);
  view.vertical.SetValue(100);
  window.DoubleClick();
  EXPECT_EQ(view.zoom.ListIndex(), kAuto);
  EXPECT_EQ(view.image.picture.Height(), 513 - 5);
  EXPECT_EQ(view.canvas.Width(), 100);
  EXPECT_EQ(view.canvas.Height(), 100);
  EXPECT_FALSE(view.vertical.Enabled());
  EXPECT_EQ(view.vertical.Value(), 0);
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(ZoomScrollTest, DoubleClickAtTheFitRedrawsTheFit) {
  const int before = ShowCount();
  window.DoubleClick();
  EXPECT_EQ(view.zoom.ListIndex(), kAuto);
  EXPECT_EQ(ShowCount(), before + 1);
}

TEST_F(ZoomScrollTest, ResizeAtAFixedZoomRedrawsAndRestoresBothBars) {
  SelectZoom(k100);
  view.vertical.SetValue(300);
  view.horizontal.SetValue(500);
  const int before = ShowCount();
  view.windowWidth = 1000;
  view.windowHeight = 700;
  window.Resize();
  EXPECT_EQ(ShowCount(), before + 1);
  EXPECT_EQ(view.viewport.Width(), 983);
  EXPECT_EQ(view.viewport.Height(), 700 - 32 - 25 - 17);  // the horizontal bar shows
  EXPECT_EQ(view.vertical.Value(), 300);
  EXPECT_EQ(view.horizontal.Value(), 500);
  EXPECT_EQ(view.canvas.Top(), -300);
  EXPECT_EQ(view.canvas.Left(), -500);
}

TEST_F(ZoomScrollTest, ResizeThatLeavesNoRoomForTheOldValueDropsIt) {
  SelectZoom(k100);
  const int16_t max = view.vertical.Max();
  view.vertical.SetValue(max);
  view.horizontal.SetValue(40);
  view.windowHeight = 800;  // a taller viewport, a smaller maximum
  window.Resize();
  EXPECT_LT(view.vertical.Max(), max);
  // The redrawn page starts at the top; the old value no longer fits and is not set.
  EXPECT_EQ(view.vertical.Value(), 0);
  EXPECT_EQ(view.canvas.Top(), 0);
  EXPECT_EQ(view.horizontal.Value(), 40);
}

TEST_F(ZoomScrollTest, WindowResizedToNothingKeepsWhatItCannotShrink) {
  SelectZoom(k100);
  view.windowWidth = 0;
  view.windowHeight = 0;
  EXPECT_NO_THROW(window.Resize());
  EXPECT_EQ(view.viewport.Width(), 804);
  EXPECT_EQ(view.viewport.Height(), 513);
  EXPECT_EQ(view.verticalPlace.Left(), -17);
  EXPECT_TRUE(view.image.picture.Visible());
  // And back.
  view.windowWidth = 821;
  view.windowHeight = 570;
  window.Resize();
  EXPECT_EQ(view.viewport.Width(), 804);
  EXPECT_EQ(view.viewport.Height(), 496);
}

TEST_F(ZoomScrollTest, ZoomChangeDoesNotRewriteTheStatusBar) {
  view.panels.SetPanelText(1, u"x");
  SelectZoom(k200);
  EXPECT_EQ(view.panels.PanelText(1), u"x");
}

TEST_F(ZoomScrollTest, HugeCanvasReachesAsFarAsSixteenBits) {
  // A page 20000 pixels tall at 300 %: the canvas is far more than 32767 pixels taller
  // than the viewport.
  auto& page = fake.state.engine.shownPageList[1];
  page.printableHeight = 20000;
  SelectZoom(k300);
  EXPECT_EQ(view.vertical.Max(), 32767);
  EXPECT_TRUE(view.image.picture.Visible());
  view.vertical.SetValue(32760);
  window.vbWheelMinus();  // 32780 does not fit in 16 bits: dropped
  EXPECT_EQ(view.vertical.Value(), 32760);
  window.vbWheelPlus();
  EXPECT_EQ(view.vertical.Value(), 32740);
  EXPECT_EQ(view.canvas.Top(), -32740);
}

}  // namespace
}  // namespace vant::test
