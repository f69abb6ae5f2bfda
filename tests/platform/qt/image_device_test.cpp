// The picture's pixels: size changes keep what was drawn, clearing, the size limits.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "common/failure.h"
#include "image_probe.h"
#include "platform/qt/qt_picture_box.h"

namespace vant::qt {
namespace {

using test::CountPixels;
using test::kBlack;
using test::kWhite;

TEST(QtImageResize, GrowingKeepsTheDrawingAtTheTopLeftAndFillsTheNewArea) {
  QtImageDevice device(10, 10, 96, 96);
  device.FillRect(2, 3, 4, 5, Rgb{});
  device.Resize(30, 20, Rgb{0, 255, 0});
  const QImage& image = device.Image();
  ASSERT_EQ(image.size(), QSize(30, 20));
  EXPECT_EQ(CountPixels(image, kBlack, QRect(2, 3, 4, 5)), 20);
  EXPECT_EQ(CountPixels(image, kWhite), 100 - 20);
  EXPECT_EQ(CountPixels(image, qRgb(0, 255, 0)), 30 * 20 - 100);
  EXPECT_EQ(device.WidthPx(), 30);
  EXPECT_EQ(device.HeightPx(), 20);
}

TEST(QtImageResize, ShrinkingCutsAndGrowingAgainShowsBackground) {
  QtImageDevice device(10, 10, 96, 96);
  device.FillRect(0, 0, 10, 10, Rgb{});
  device.Resize(4, 10, Rgb{255, 255, 255});
  device.Resize(10, 10, Rgb{255, 255, 255});
  EXPECT_EQ(CountPixels(device.Image(), kBlack), 40);
  EXPECT_EQ(CountPixels(device.Image(), kBlack, QRect(0, 0, 4, 10)), 40);
}

TEST(QtImageResize, DrawingAfterAResizeReachesTheNewArea) {
  QtImageDevice device(10, 10, 96, 96);
  device.FillRect(0, 0, 1, 1, Rgb{});  // a painter is open on the old pixels
  device.Resize(50, 50, Rgb{255, 255, 255});
  device.FillRect(40, 40, 5, 5, Rgb{});
  EXPECT_EQ(CountPixels(device.Image(), kBlack), 26);
}

TEST(QtImageResize, ThroughThePictureBoxWidthAndHeight) {
  QtPictureBox box(10, 10, 96, 96);
  PictureSurface& surface = box.Surface();
  surface.Line(0, 0, 9, 9, 0, LineKind::kFilledBox);
  surface.SetWidth(25);
  surface.SetHeight(15);
  EXPECT_FLOAT_EQ(surface.ScaleWidth(), 25);
  EXPECT_FLOAT_EQ(surface.ScaleHeight(), 15);
  EXPECT_EQ(box.Image().size(), QSize(25, 15));
  EXPECT_EQ(CountPixels(box.Image(), kBlack), 100);
}

TEST(QtImageResize, SizesBeyondTheLimitsAreRefusedAndTheDrawingKept) {
  QtImageDevice device(10, 10, 96, 96);
  device.FillRect(0, 0, 2, 2, Rgb{});
  EXPECT_THROW(device.Resize(-1, 10, Rgb{}), Failure);
  EXPECT_THROW(device.Resize(kMaxPictureSide + 1, 1, Rgb{}), Failure);
  EXPECT_THROW(device.Resize(kMaxPictureSide, kMaxPictureSide, Rgb{}), Failure);
  EXPECT_THROW(QtImageDevice(1, kMaxPictureSide + 1, 96, 96), Failure);
  EXPECT_EQ(device.Image().size(), QSize(10, 10));
  EXPECT_EQ(CountPixels(device.Image(), kBlack), 4);
  QtPictureBox box(10, 10, 96, 96);
  EXPECT_THROW(box.Surface().SetWidth(1e7f), Failure);
}

TEST(QtImageClear, ClearsToTheColourAndClsToTheBackground) {
  QtPictureBox box(20, 20, 96, 96);
  PictureSurface& surface = box.Surface();
  surface.Line(0, 0, 19, 19, 0, LineKind::kFilledBox);
  surface.SetCurrentX(5);
  surface.Cls();
  EXPECT_EQ(CountPixels(box.Image(), kWhite), 400);
  EXPECT_FLOAT_EQ(surface.CurrentX(), 0);
  surface.SetBackColor(0x00FF00);  // green, and the picture cleared to it
  EXPECT_EQ(CountPixels(box.Image(), qRgb(0, 255, 0)), 400);
  surface.Line(0, 0, 1, 1, 0, LineKind::kFilledBox);
  surface.Cls();
  EXPECT_EQ(CountPixels(box.Image(), qRgb(0, 255, 0)), 400);
}

TEST(QtImageDensity, PictureBoxesMeasureInScreenPixels) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  QtPictureBox box(10, 10);
  EXPECT_DOUBLE_EQ(box.Device().DpiX(), screen->logicalDotsPerInchX());
  EXPECT_DOUBLE_EQ(box.Device().DpiY(), screen->logicalDotsPerInchY());
  // One inch in pixels, as the preview's conversions ask.
  EXPECT_DOUBLE_EQ(box.Surface().ScaleX(1, kScaleInches, kScalePixels), screen->logicalDotsPerInchX());
  // The picture's default font: ＭＳ Ｐゴシック 9 pt.
  EXPECT_EQ(box.Surface().FontName(), u"ＭＳ Ｐゴシック");
}

}  // namespace
}  // namespace vant::qt
