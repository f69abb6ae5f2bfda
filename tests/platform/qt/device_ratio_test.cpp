// Pictures whose images hold more device pixels than picture pixels, as on a screen with a
// device pixel ratio: the edges the ratio puts things on, the sizes and the tag the images
// carry, painting at the device's resolution, the block copy between device pixels, and a
// change of ratio.
#include <gtest/gtest.h>

#include "common/failure.h"
#include "image_probe.h"
#include "platform/qt/device_pixels.h"
#include "platform/qt/qt_image_device.h"
#include "platform/qt/qt_picture_box.h"

namespace vant::qt {
namespace {

using test::CountPixels;
using test::kBlack;
using test::kWhite;

TEST(DevicePixels, EdgesAndRunsFollowTheRatio) {
  struct Case {
    int origin, size;
    double ratio;
    int deviceOrigin, deviceSize;
  };
  const Case cases[] = {
      {3, 5, 1, 3, 5},       {3, -5, 1, 3, -5},     {0, 0, 2, 0, 0},
      {3, 5, 2, 6, 10},      {3, -5, 2, 7, -10},    // pixels 3..-1 are device 7..-2
      {3, 5, 1.5, 5, 7},     // edges 4.5 -> 5 and 12 -> 12
      {1, 1, 1.5, 2, 1},     {2, 1, 1.5, 3, 2},     // 1.5 -> 2, 3 -> 3, 4.5 -> 5
      {4, 3, 1.25, 5, 4},    {-2, 4, 1.5, -3, 6},   {0, 10, 3, 0, 30},
      {10, -1, 1.5, 16, -2}, // pixel 10 alone: device [15, 17), walked from 16
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.origin << " " << c.size << " at " << c.ratio);
    const DeviceRun run = DeviceRunOf(c.origin, c.size, c.ratio);
    EXPECT_EQ(run.origin, c.deviceOrigin);
    EXPECT_EQ(run.size, c.deviceSize);
  }
  EXPECT_EQ(DeviceEdge(2147483647.0, 3), 2147483647);  // held at the int range
  EXPECT_EQ(DeviceEdge(-2147483647.0, 3), -2147483647 - 1);
}

TEST(DevicePixels, ALargePictureCarriesALowerRatio) {
  EXPECT_DOUBLE_EQ(FittingRatio(1588, 2246, 2), 2);
  EXPECT_DOUBLE_EQ(FittingRatio(0, 0, 3), 3);
  // A sheet of a square metre at twice the screen's double density: the device pixels stay
  // within the limits.
  const double fitting = FittingRatio(6528, 8448, 2);
  EXPECT_LT(fitting, 2);
  EXPECT_GT(fitting, 1.5);
  EXPECT_LE(static_cast<long long>(DeviceEdge(6528, fitting)) * DeviceEdge(8448, fitting),
            kMaxPicturePixels);
  const double side = FittingRatio(30000, 10, 2);
  EXPECT_LE(DeviceEdge(30000, side), kMaxPictureSide);
  for (const double refused : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
    EXPECT_THROW(FittingRatio(10, 10, refused), Failure) << refused;
  }
}

class DeviceRatio : public ::testing::TestWithParam<double> {};

TEST_P(DeviceRatio, TheImageHoldsTheRatiosPixelsAndCarriesIt) {
  const double r = GetParam();
  QtPictureBox box(101, 37, 96, 96, r);
  EXPECT_FLOAT_EQ(box.Surface().ScaleWidth(), 101);
  EXPECT_FLOAT_EQ(box.Surface().ScaleHeight(), 37);
  EXPECT_EQ(box.Image().size(), QSize(DeviceEdge(101, r), DeviceEdge(37, r)));
  EXPECT_DOUBLE_EQ(box.Image().devicePixelRatio(), r);
  EXPECT_DOUBLE_EQ(box.Device().DevicePixelRatio(), r);
  // Resizing keeps the ratio; the drawing stays where it was, in device pixels too.
  box.Surface().Line(0, 0, 9, 9, 0, LineKind::kFilledBox);
  box.Surface().SetWidth(50);
  EXPECT_EQ(box.Image().size(), QSize(DeviceEdge(50, r), DeviceEdge(37, r)));
  EXPECT_DOUBLE_EQ(box.Image().devicePixelRatio(), r);
  EXPECT_EQ(CountPixels(box.Image(), kBlack), DeviceEdge(10, r) * DeviceEdge(10, r));
}

TEST_P(DeviceRatio, FillsEndOnTheDeviceEdgesTheRatioNames) {
  const double r = GetParam();
  QtPictureBox box(60, 4, 96, 96, r);
  // Bars of one, two and three pixels side by side, the way the bar painter lays modules.
  int x = 1;
  for (int width : {1, 2, 3, 1, 1, 2}) {
    box.Device().FillRect(x, 0, width, 4, Rgb{});
    x += width + 1;
  }
  const QImage& image = box.Image();
  x = 1;
  for (int width : {1, 2, 3, 1, 1, 2}) {
    SCOPED_TRACE(x);
    const int left = DeviceEdge(x, r), right = DeviceEdge(x + width, r);
    EXPECT_EQ(image.pixel(left - 1, 1), kWhite);
    for (int d = left; d < right; ++d) EXPECT_EQ(image.pixel(d, 1), kBlack) << d;
    EXPECT_EQ(image.pixel(right, 1), kWhite);
    x += width + 1;
  }
  // Nothing but black and white: no edge is smeared.
  EXPECT_EQ(CountPixels(image, kBlack) + CountPixels(image, kWhite), image.width() * image.height());
}

TEST_P(DeviceRatio, TextIsDrawnAtTheDevicesResolution) {
  const double r = GetParam();
  // The same line at ratio 1 and at ratio r: at r the glyphs cover r times as many device
  // pixels along each side, not a stretched copy of the coarse ones.
  auto inkOf = [](double ratio) {
    QtPictureBox box(120, 40, 96, 96, ratio);
    box.Surface().SetFontName(u"ＭＳ ゴシック");
    box.Surface().SetFontSize(14);
    box.Surface().Print(u"IHIH");
    return test::InkBounds(box.Image());
  };
  const QRect coarse = inkOf(1), fine = inkOf(r);
  ASSERT_FALSE(coarse.isNull());
  EXPECT_NEAR(fine.width(), coarse.width() * r, r + 1);
  EXPECT_NEAR(fine.height(), coarse.height() * r, r + 1);
}

TEST_P(DeviceRatio, ACopyAtTheSameSizeKeepsEveryDevicePixel) {
  const double r = GetParam();
  QtPictureBox source(40, 20, 96, 96, r);
  source.Surface().SetFontSize(12);
  source.Surface().Print(u"Ag");
  source.Device().FillRect(30, 2, 1, 16, Rgb{});
  QtPictureBox dest(40, 20, 96, 96, r);
  dest.Surface().SetStretchMode(StretchMode::kHalftone);
  dest.Surface().StretchCopy(0, 0, 40, 20, source.Surface(), 0, 0, 40, 20);
  EXPECT_EQ(dest.Image(), source.Image());
}

TEST_P(DeviceRatio, HalvingAtTheRatioAveragesDevicePixels) {
  const double r = GetParam();
  // A picture pixel wide bar at an even place, halved: half its device pixels of ink, which
  // at ratio 2 is one whole black device pixel.
  QtPictureBox source(40, 8, 96, 96, r);
  source.Device().FillRect(10, 0, 1, 8, Rgb{});
  QtPictureBox dest(20, 4, 96, 96, r);
  dest.Surface().SetStretchMode(StretchMode::kHalftone);
  dest.Surface().StretchCopy(0, 0, 20, 4, source.Surface(), 0, 0, 40, 8);
  double ink = 0;
  int inked = 0;
  for (int x = 0; x < dest.Image().width(); ++x) {
    const int grey = qGray(dest.Image().pixel(x, 1));
    ink += (255 - grey) / 255.0;
    inked += grey < 255 ? 1 : 0;
  }
  EXPECT_NEAR(ink, (DeviceEdge(11, r) - DeviceEdge(10, r)) / 2.0, 0.02);
  EXPECT_LE(inked, 2);
  if (r == 2) {
    EXPECT_EQ(dest.Image().pixel(DeviceEdge(5, r), 1), kBlack);
  }
}

INSTANTIATE_TEST_SUITE_P(Ratios, DeviceRatio, ::testing::Values(1.0, 1.25, 1.5, 2.0, 3.0));

TEST(DeviceRatioCopy, PicturesOfDifferentRatiosMeetInTheirOwnDevicePixels) {
  // A scratch picture at ratio 1 copied into a page at ratio 2: the destination rectangle
  // is twice as many device pixels, the source the same.
  QtPictureBox scratch(20, 10, 96, 96, 1);
  scratch.Device().FillRect(5, 0, 10, 10, Rgb{});
  QtPictureBox page(40, 20, 96, 96, 2);
  page.Surface().StretchCopy(4, 2, 20, 10, scratch.Surface(), 0, 0, 20, 10);
  EXPECT_EQ(test::InkBounds(page.Image()), QRect(2 * (4 + 5), 2 * 2, 2 * 10, 2 * 10));
}

TEST(DeviceRatioChange, ANewRatioResamplesWhatWasDrawn) {
  QtPictureBox box(30, 10, 96, 96, 1);
  box.Device().FillRect(10, 0, 5, 10, Rgb{});
  box.Device().SetDevicePixelRatio(2);
  EXPECT_EQ(box.Image().size(), QSize(60, 20));
  EXPECT_DOUBLE_EQ(box.Image().devicePixelRatio(), 2);
  EXPECT_EQ(test::InkBounds(box.Image()), QRect(20, 0, 10, 20));
  EXPECT_FLOAT_EQ(box.Surface().ScaleWidth(), 30);
  // Painting afterwards uses the new pixels.
  box.Device().FillRect(0, 0, 1, 1, Rgb{});
  EXPECT_EQ(CountPixels(box.Image(), kBlack), 10 * 20 + 4);
  box.Device().SetDevicePixelRatio(1.5);
  EXPECT_EQ(box.Image().size(), QSize(45, 15));
  EXPECT_THROW(box.Device().SetDevicePixelRatio(0), Failure);
  EXPECT_EQ(box.Image().size(), QSize(45, 15));
}

}  // namespace
}  // namespace vant::qt
