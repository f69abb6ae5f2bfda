// ShowPage on pages set up by hand: the zoom factors, the automatic fit, the fixed-zoom
// canvas and the copy into the page image.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/module_state.h"
#include "preview_fixture.h"
#include "recorded_marks.h"

namespace vant::test {
namespace {

class ShowPageTest : public PreviewTest {
 protected:
  void SetUp() override {
    PreviewTest::SetUp();
    view.CreatePagePicture();
  }
  void Shown(PageRec page) { fake.state.engine.shownPageList.push_back(std::move(page)); }
  float Show(int16_t page, float zoom) {
    window.ShowPage(page, zoom);
    return zoom;
  }
  const PictureSurface& Image() const { return view.image.picture; }
};

TEST_F(ShowPageTest, PercentagesBecomeFactorsOfTheDoubleDensityPicture) {
  Shown(ShownPageOf(400, 600, 10, 20, 30, 40));
  EXPECT_EQ(Show(1, 100), 0.5F);
  // (2 x 400 + 10 + 30) x 0.5 and (2 x 600 + 20 + 40) x 0.5.
  EXPECT_EQ(Image().Width(), 420);
  EXPECT_EQ(Image().Height(), 630);
  EXPECT_EQ(Show(1, 150), 0.75F);
  EXPECT_EQ(Image().Width(), 630);
  EXPECT_EQ(Image().Height(), 945);
  EXPECT_EQ(Show(1, 200), 1.0F);
  EXPECT_EQ(Image().Width(), 840);
  EXPECT_EQ(Show(1, 300), 1.5F);
  EXPECT_EQ(Image().Width(), 1260);
  EXPECT_EQ(Image().Height(), 1890);
  // Any other number is the factor itself.
  EXPECT_EQ(Show(1, 0.25F), 0.25F);
  EXPECT_EQ(Image().Width(), 210);
}

TEST_F(ShowPageTest, CopyLeavesTheUnprintableStripsWhite) {
  Shown(ShownPageOf(400, 600, 10, 20, 30, 40));
  Show(1, 200);
  const Mark* copy = LastCopy();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->source, &view.page->device);
  EXPECT_EQ(copy->x1, 10);
  EXPECT_EQ(copy->y1, 20);
  EXPECT_EQ(copy->x2, 840 - 40);
  EXPECT_EQ(copy->y2, 1260 - 60);
  EXPECT_EQ(copy->srcX, 0);
  EXPECT_EQ(copy->srcY, 0);
  EXPECT_EQ(copy->srcW, 800);
  EXPECT_EQ(copy->srcH, 1200);
  // The image was cleared to white before the copy.
  EXPECT_EQ(view.image.device.marks.front().kind, Mark::kClear);
  EXPECT_EQ(view.image.device.marks.front().colour, (Rgb{255, 255, 255}));
}

TEST_F(ShowPageTest, CopyRoundsHalfToEven) {
  Shown(ShownPageOf(400, 600, 5, 7, 5, 7));
  Show(1, 100);
  const Mark* copy = LastCopy();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->x1, 2);  // 2.5
  EXPECT_EQ(copy->y1, 4);  // 3.5
}

TEST_F(ShowPageTest, TallPageFitsNinetyNinePercentOfTheViewportHeight) {
  Shown(ShownPageOf(400, 600));
  EXPECT_EQ(Show(1, 0), 0.0F);
  // hm = N(481 x 0.01) = 5; f = (481 - 5) / 1200.
  const double f = 476.0 / 1200;
  EXPECT_EQ(Image().Width(), std::nearbyint(800 * f));
  EXPECT_EQ(Image().Height(), 476);
  EXPECT_FLOAT_EQ(Image().Left(), (801 - Image().Width()) / 2);
  EXPECT_FLOAT_EQ(Image().Top(), (481 - 476) / 2.0F);
  EXPECT_TRUE(Image().Visible());
  // No scrolling at the fit: the canvas is 100 x 100.
  EXPECT_EQ(view.canvas.Width(), 100);
  EXPECT_EQ(view.canvas.Height(), 100);
  EXPECT_FALSE(view.horizontal.Visible());
  EXPECT_FALSE(view.vertical.Enabled());
}

TEST_F(ShowPageTest, WidePageTakesEightyPercentOfTheWidthEvenWhenTooTall) {
  // Square counts as wide.
  Shown(ShownPageOf(500, 500));
  Show(1, 0);
  // wm = N(801 x 0.2) = 160; f = 641 / 1000.
  EXPECT_EQ(Image().Width(), 641);
  EXPECT_EQ(Image().Height(), 641);
  EXPECT_GT(Image().Height(), view.viewport.Height());
  EXPECT_FLOAT_EQ(Image().Top(), (481 - 641) / 2.0F);
  EXPECT_FALSE(view.vertical.Enabled());
  EXPECT_FALSE(view.horizontal.Visible());
}

TEST_F(ShowPageTest, FitShrinksThePrintableAreaIntoTheFrame) {
  Shown(ShownPageOf(400, 600, 10, 10, 10, 10));
  Show(1, 0);
  const double f = 476.0 / 1200;
  const Mark* copy = LastCopy();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->x1, std::nearbyint(10 * f));
  EXPECT_EQ(copy->x2, std::nearbyint(Image().Width() - 20 * f));
}

TEST_F(ShowPageTest, FixedZoomCanvasOfATallPageHasTheScreensShape) {
  Shown(ShownPageOf(400, 600, 10, 20, 30, 40));
  Show(1, 200);
  // Image 840 x 1260; canvas 10 % taller, 16:9.
  EXPECT_EQ(view.canvas.Height(), 1386);
  EXPECT_EQ(view.canvas.Width(), 2464);
  EXPECT_EQ(view.canvas.Left(), 0);
  EXPECT_EQ(view.canvas.Top(), 0);
  EXPECT_FLOAT_EQ(Image().Left(), (2464 - 840) / 2.0F);
  EXPECT_FLOAT_EQ(Image().Top(), (1386 - 1260) / 2.0F);
  // The bars from the canvas and the viewport (801 x 481).
  EXPECT_EQ(view.horizontal.Max(), 2464 - 801);
  EXPECT_EQ(view.vertical.Max(), 1386 - 481);
  EXPECT_EQ(view.horizontal.LargeChange(), 246);
  EXPECT_EQ(view.horizontal.SmallChange(), 246);
  EXPECT_EQ(view.vertical.LargeChange(), 246);  // a tenth of the width, for both
  EXPECT_TRUE(view.horizontal.Visible());
  EXPECT_TRUE(view.vertical.Enabled());
}

TEST_F(ShowPageTest, FixedZoomCanvasOfAWidePage) {
  Shown(ShownPageOf(600, 400));
  Show(1, 100);
  // Image 600 x 400; canvas 20 % wider, 9:16 of that width high.
  EXPECT_EQ(view.canvas.Width(), 720);
  EXPECT_EQ(view.canvas.Height(), 405);
  // Smaller than the viewport: negative maxima, no scrolling.
  EXPECT_EQ(view.horizontal.Max(), 720 - 801);
  EXPECT_EQ(view.vertical.Max(), 405 - 481);
  EXPECT_FALSE(view.horizontal.Visible());
  EXPECT_FALSE(view.vertical.Enabled());
  EXPECT_FLOAT_EQ(Image().Left(), 60);
  EXPECT_FLOAT_EQ(Image().Top(), 2.5F);
}

TEST_F(ShowPageTest, CanvasGoesBackToTheCornerWhateverTheBarsShow) {
  Shown(ShownPageOf(400, 600));
  Show(1, 200);
  view.vertical.SetValue(300);
  view.horizontal.SetValue(200);
  EXPECT_EQ(view.canvas.Top(), -300);
  EXPECT_EQ(view.canvas.Left(), -200);
  Show(1, 200);
  EXPECT_EQ(view.canvas.Top(), 0);
  EXPECT_EQ(view.canvas.Left(), 0);
  EXPECT_FLOAT_EQ(Image().Top(), (view.canvas.Height() - Image().Height()) / 2);
}

TEST_F(ShowPageTest, ScrollingMovesCanvasAndImageTogether) {
  Shown(ShownPageOf(400, 600));
  Show(1, 200);
  const float left = Image().Left();
  const float top = Image().Top();
  view.vertical.SetValue(100);
  EXPECT_EQ(view.canvas.Top(), -100);
  EXPECT_FLOAT_EQ(Image().Top(), top - 100);
  view.vertical.SetValue(40);
  EXPECT_FLOAT_EQ(Image().Top(), top - 40);
  view.horizontal.SetValue(75);
  EXPECT_EQ(view.canvas.Left(), -75);
  EXPECT_FLOAT_EQ(Image().Left(), left - 75);
}

TEST_F(ShowPageTest, FailedFitIsRetriedOnceAtOneHundredPercent) {
  // A page without area cannot be fitted (division by zero); the retry at 100 % sizes
  // the frame from its strips and then stops at the canvas, whose tenth is no step.
  Shown(ShownPageOf(0, 0, 4, 4, 4, 4));
  float zoom = 0;
  int16_t page = 1;
  EXPECT_NO_THROW(window.ShowPage(page, zoom));
  EXPECT_EQ(zoom, 0.0F);
  EXPECT_EQ(Image().Width(), 4);
  EXPECT_EQ(Image().Height(), 4);
  EXPECT_FALSE(Image().Visible());
}

TEST_F(ShowPageTest, PageOutsideTheShownListGoesToTheCaller) {
  Shown(ShownPageOf(400, 600));
  EXPECT_THROW(Show(2, 0), Failure);
  EXPECT_THROW(Show(0, 0), Failure);
  EXPECT_THROW(Show(-1, 100), Failure);
}

TEST_F(ShowPageTest, PageThatFailsToRenderGoesToTheCaller) {
  PageRec page = ShownPageOf(400, 600);
  page.printerPixelFactorX = page.printerPixelFactorY = 3.125F;
  // A symbol whose size at the printer's resolution is beyond 16 bits.
  page.marks.push_back(RecordedMark(u"prnjan8", BarcodeValues{0, 0, u"1", 20000, 50, false, false}));
  Shown(page);
  EXPECT_THROW(Show(1, 0), Failure);
}

TEST_F(ShowPageTest, RendersThePagesCopiesOntoThePagePicture) {
  PageRec page = ShownPageOf(400, 600);
  page.marks.push_back(RecordedMark(u"prnbox", ShapeValues{10, 20, 110, 220, 1, kStyleSolid, 0}));
  Shown(page);
  Show(1, 100);
  EXPECT_EQ(view.page->picture.Width(), 800);
  EXPECT_EQ(view.page->picture.Height(), 1200);
  bool boxDrawn = false;
  for (const auto& mark : view.page->device.marks) boxDrawn = boxDrawn || mark.kind == Mark::kRect;
  EXPECT_TRUE(boxDrawn);
}

}  // namespace
}  // namespace vant::test
