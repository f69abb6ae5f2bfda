// The stretching block copy between pictures: sizes, mirroring, clipping, and how the
// two stretch modes combine pixels.
#include <gtest/gtest.h>

#include "common/failure.h"
#include "image_probe.h"
#include "platform/qt/qt_image_device.h"
#include "platform/qt/qt_picture_box.h"
#include "recording_device.h"

namespace vant::qt {
namespace {

using test::CountPixels;
using test::Filled;
using test::kBlack;
using test::kWhite;

constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kMarker = 0xFF123456;

// A one-row image of the given pixels.
QImage Row(std::initializer_list<QRgb> pixels) {
  QImage image(static_cast<int>(pixels.size()), 1, QImage::Format_RGB32);
  int x = 0;
  for (const QRgb px : pixels) image.setPixel(x++, 0, px);
  return image;
}

std::vector<QRgb> RowOf(const QImage& image, int y = 0) {
  std::vector<QRgb> pixels;
  for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y));
  return pixels;
}

TEST(StretchBlackOnWhite, AOnePixelBarSurvivesAFourToOneShrink) {
  for (int barX = 0; barX < 40; ++barX) {
    QImage source = Filled(40, 8, kWhite);
    for (int y = 0; y < 8; ++y) source.setPixel(barX, y, kBlack);
    QImage dest = Filled(10, 2, kMarker);
    StretchPixels(dest, 0, 0, 10, 2, source, 0, 0, 40, 8, StretchMode::kBlackOnWhite);
    EXPECT_EQ(CountPixels(dest, kBlack), 2) << "bar at " << barX;
    EXPECT_EQ(dest.pixel(barX / 4, 0), kBlack) << "bar at " << barX;
    EXPECT_EQ(CountPixels(dest, kWhite), 18);
  }
}

TEST(StretchBlackOnWhite, DarkestPerChannelAndNearestWhenGrowing) {
  QImage shrunk = Filled(1, 1, kMarker);
  StretchPixels(shrunk, 0, 0, 1, 1, Row({qRgb(200, 10, 90), qRgb(50, 250, 120)}), 0, 0, 2, 1,
                StretchMode::kBlackOnWhite);
  EXPECT_EQ(shrunk.pixel(0, 0), qRgb(50, 10, 90));

  QImage grown = Filled(6, 1, kMarker);
  StretchPixels(grown, 0, 0, 6, 1, Row({kRed, kGreen, kBlue}), 0, 0, 3, 1, StretchMode::kBlackOnWhite);
  EXPECT_EQ(RowOf(grown), (std::vector<QRgb>{kRed, kRed, kGreen, kGreen, kBlue, kBlue}));
}

TEST(StretchHalftone, AveragesTheCoveredArea) {
  QImage source = Filled(40, 8, kWhite);
  for (int y = 0; y < 8; ++y) source.setPixel(13, y, kBlack);
  QImage dest = Filled(10, 2, kMarker);
  StretchPixels(dest, 0, 0, 10, 2, source, 0, 0, 40, 8, StretchMode::kHalftone);
  // One black pixel in four: three quarters of white.
  EXPECT_EQ(dest.pixel(3, 0), qRgb(191, 191, 191));
  EXPECT_EQ(dest.pixel(3, 1), qRgb(191, 191, 191));
  EXPECT_EQ(CountPixels(dest, kBlack), 0);
  EXPECT_EQ(CountPixels(dest, kWhite), 18);
}

TEST(StretchHalftone, ACheckerboardHalvedIsEvenGrey) {
  QImage source(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) source.setPixel(x, y, (x + y) % 2 ? kBlack : kWhite);
  }
  QImage dest = Filled(32, 32, kMarker);
  StretchPixels(dest, 0, 0, 32, 32, source, 0, 0, 64, 64, StretchMode::kHalftone);
  EXPECT_EQ(CountPixels(dest, qRgb(128, 128, 128)), 32 * 32);
}

TEST(StretchHalftone, PartlyCoveredPixelsCountByTheirShare) {
  // Three pixels onto two: each destination pixel takes one and a half source pixels.
  QImage dest = Filled(2, 1, kMarker);
  StretchPixels(dest, 0, 0, 2, 1, Row({kBlack, kWhite, kWhite}), 0, 0, 3, 1, StretchMode::kHalftone);
  EXPECT_EQ(dest.pixel(0, 0), qRgb(85, 85, 85));    // 1 black + 0.5 white over 1.5
  EXPECT_EQ(dest.pixel(1, 0), kWhite);
}

TEST(StretchCopy, SameSizeCopiesExactlyInBothModes) {
  const QImage source = Row({kRed, kGreen, kBlue, kBlack});
  for (const StretchMode mode : {StretchMode::kBlackOnWhite, StretchMode::kHalftone}) {
    QImage dest = Filled(6, 1, kMarker);
    StretchPixels(dest, 1, 0, 4, 1, source, 0, 0, 4, 1, mode);
    EXPECT_EQ(RowOf(dest), (std::vector<QRgb>{kMarker, kRed, kGreen, kBlue, kBlack, kMarker}));
  }
}

TEST(StretchCopy, DifferingSignsMirror) {
  const QImage source = Row({kRed, kGreen, kBlue, kBlack});
  const std::vector<QRgb> mirrored{kBlack, kBlue, kGreen, kRed};
  QImage dest = Filled(4, 1, kMarker);
  StretchPixels(dest, 3, 0, -4, 1, source, 0, 0, 4, 1, StretchMode::kBlackOnWhite);
  EXPECT_EQ(RowOf(dest), mirrored);
  dest = Filled(4, 1, kMarker);
  StretchPixels(dest, 0, 0, 4, 1, source, 3, 0, -4, 1, StretchMode::kHalftone);
  EXPECT_EQ(RowOf(dest), mirrored);
  dest = Filled(4, 1, kMarker);
  StretchPixels(dest, 3, 0, -4, 1, source, 3, 0, -4, 1, StretchMode::kBlackOnWhite);
  EXPECT_EQ(RowOf(dest), (std::vector<QRgb>{kRed, kGreen, kBlue, kBlack}));
}

TEST(StretchCopy, VerticalMirror) {
  QImage source(1, 3, QImage::Format_RGB32);
  source.setPixel(0, 0, kRed), source.setPixel(0, 1, kGreen), source.setPixel(0, 2, kBlue);
  QImage dest = Filled(1, 3, kMarker);
  StretchPixels(dest, 0, 2, 1, -3, source, 0, 0, 1, 3, StretchMode::kHalftone);
  EXPECT_EQ(dest.pixel(0, 0), kBlue);
  EXPECT_EQ(dest.pixel(0, 2), kRed);
}

TEST(StretchCopy, ZeroSizesCopyNothing) {
  const QImage source = Filled(4, 4, kBlack);
  for (const auto& [w, h, sw, sh] : {std::array{0, 4, 4, 4}, std::array{4, 0, 4, 4},
                                      std::array{4, 4, 0, 4}, std::array{4, 4, 4, 0}}) {
    QImage dest = Filled(4, 4, kMarker);
    StretchPixels(dest, 0, 0, w, h, source, 0, 0, sw, sh, StretchMode::kHalftone);
    EXPECT_EQ(CountPixels(dest, kMarker), 16);
  }
}

TEST(StretchCopy, TheDestinationClipsToItsPicture) {
  const QImage source = Row({kRed, kGreen, kBlue, kBlack});
  QImage dest = Filled(3, 1, kMarker);
  StretchPixels(dest, -2, 0, 4, 1, source, 0, 0, 4, 1, StretchMode::kBlackOnWhite);
  EXPECT_EQ(RowOf(dest), (std::vector<QRgb>{kBlue, kBlack, kMarker}));
  dest = Filled(3, 1, kMarker);
  StretchPixels(dest, 2, 0, 4, 1, source, 0, 0, 4, 1, StretchMode::kBlackOnWhite);
  EXPECT_EQ(RowOf(dest), (std::vector<QRgb>{kMarker, kMarker, kRed}));
}

TEST(StretchCopy, SourcePixelsOutsideTheSourceTakeNoPart) {
  const QImage source = Row({kRed, kGreen});
  QImage dest = Filled(4, 1, kMarker);
  StretchPixels(dest, 0, 0, 4, 1, source, -1, 0, 4, 1, StretchMode::kBlackOnWhite);
  EXPECT_EQ(RowOf(dest), (std::vector<QRgb>{kMarker, kRed, kGreen, kMarker}));
  dest = Filled(2, 1, kMarker);
  // Halftone: the first destination pixel covers one outside and one inside pixel.
  StretchPixels(dest, 0, 0, 2, 1, source, -1, 0, 4, 1, StretchMode::kHalftone);
  EXPECT_EQ(RowOf(dest), (std::vector<QRgb>{kRed, kGreen}));
}

TEST(StretchCopy, HugeRectanglesOnlyTouchWhatIsInside) {
  const QImage source = Filled(8, 8, kBlack);
  QImage dest = Filled(8, 8, kMarker);
  StretchPixels(dest, -2147483647, -2147483647, 2147483647, 2147483647, source, 0, 0, 8, 8,
                StretchMode::kHalftone);
  EXPECT_EQ(CountPixels(dest, kMarker), 64);  // the rectangle ends at pixel -1
  StretchPixels(dest, 0, 0, 8, 8, source, -2147483647 - 1, 0, 2147483647, 8,
                StretchMode::kBlackOnWhite);
  EXPECT_EQ(CountPixels(dest, kMarker), 64);  // the source rectangle ends at pixel -2
  // Eight columns spread over 2^31 pixels: the visible part all comes from the first.
  QImage striped = Filled(8, 8, kBlack);
  for (int y = 0; y < 8; ++y) striped.setPixel(0, y, kRed);
  StretchPixels(dest, 0, 0, 2147483647, 8, striped, 0, 0, 8, 8, StretchMode::kBlackOnWhite);
  EXPECT_EQ(CountPixels(dest, kRed), 64);
  StretchPixels(dest, 0, 0, 2147483647, 8, striped, 0, 0, 8, 8, StretchMode::kHalftone);
  EXPECT_EQ(CountPixels(dest, kRed), 64);
}

TEST(StretchCopy, OverlappingCopyWithinOnePictureReadsThePixelsAsTheyWere) {
  QtImageDevice device(4, 1, 96, 96);
  device.FillRect(0, 0, 1, 1, Rgb{255, 0, 0});
  device.FillRect(1, 0, 1, 1, Rgb{0, 255, 0});
  device.FillRect(2, 0, 1, 1, Rgb{0, 0, 255});
  device.StretchFrom(1, 0, 3, 1, device, 0, 0, 3, 1, StretchMode::kBlackOnWhite);
  EXPECT_EQ(RowOf(device.Image()), (std::vector<QRgb>{kRed, kRed, kGreen, kBlue}));
}

TEST(StretchCopy, APictureOfAnotherKindIsRefused) {
  QtImageDevice device(4, 4, 96, 96);
  test::RecordingDevice other(96, 96, 4, 4);
  EXPECT_THROW(device.StretchFrom(0, 0, 4, 4, other, 0, 0, 4, 4, StretchMode::kHalftone), Failure);
}

TEST(StretchCopy, BetweenPictureBoxesWithTheDestinationsMode) {
  // A barcode-like picture at printer density, shrunk into a preview page picture.
  QtPictureBox bars(400, 50, 600, 600);
  for (float x = 20; x < 380; x += 8) bars.Surface().Line(x, 0, x, 49, 0, LineKind::kFilledBox);
  QtPictureBox page(100, 20, 96, 96);
  page.Surface().StretchCopy(0, 0, 100, 13, bars.Surface(), 0, 0, 400, 50);
  const auto runs = test::RunsAlongRow(page.Image(), 5, 0, 99);
  EXPECT_EQ(test::InkLengths(runs).size(), 45u);  // every bar kept, black on white
  EXPECT_EQ(CountPixels(page.Image(), kBlack, QRect(0, 0, 100, 13)), 45 * 13);

  page.Surface().Cls();
  page.Surface().SetStretchMode(StretchMode::kHalftone);
  page.Surface().StretchCopy(0, 0, 100, 13, bars.Surface(), 0, 0, 400, 50);
  EXPECT_EQ(CountPixels(page.Image(), kBlack), 0);
  EXPECT_EQ(page.Image().pixel(5, 5), qRgb(191, 191, 191));
}

}  // namespace
}  // namespace vant::qt
