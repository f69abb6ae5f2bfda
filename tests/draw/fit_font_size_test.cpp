#include "draw/fit_font_size.h"
#include "fit_font_size_by_loop.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/failure.h"
#include "fake_platform.h"

namespace vant {
namespace {

// Metrics that grow unevenly with the size (steps, a plateau, hinting-like jumps), to
// check that the search relies only on widths never shrinking.
class LumpyDevice final : public test::RecordingDevice {
 public:
  LumpyDevice() : RecordingDevice(96, 96, 100, 100) {}
  TextExtent MeasureText(TextView line, const FontSpec& font) override {
    ++measureCount;
    const int px = font.pixelHeight;
    double perChar = px < 20 ? px * 0.61 : (px < 40 ? 12.2 + (px - 20) * 0.1 : px * 0.47 + std::floor(px / 7.0));
    if (font.bold) perChar += 1;
    return TextExtent{perChar * static_cast<double>(line.size()), px * 1.2};
  }
};

const Text kTexts[] = {u"", u"A", u"請求書", u"合計金額 1,234円", u"Invoice No. 2026-0012",
                       u"ｱｲｳｴｵ", u"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", u"i"};
const double kSizes[] = {0.1, 0.5, 1, 5, 8, 9, 10.5, 12, 18, 36, 72, 300, 1000, 1079, 1080, 2160};

template <class Device>
void ExpectSearchEqualsLoop(Device& device, bool bold) {
  PictureSurface picture(device);
  picture.SetFontBold(bold);
  for (const auto& text : kTexts) {
    for (double size : kSizes) {
      const double fast = FitPreviewFontSize(picture, text, size);
      EXPECT_EQ(picture.FontSize(), 9) << "the picture's size is put back";
      const double loop = test::FitPreviewFontSizeByLoop(picture, text, size);
      EXPECT_EQ(fast, loop) << ToUtf8(text) << " at " << size;
    }
  }
}

TEST(FitPreviewFontSize, TheSearchGivesExactlyTheLoopsResult) {
  test::RecordingDevice linear(96, 96, 100, 100);
  ExpectSearchEqualsLoop(linear, false);
  ExpectSearchEqualsLoop(linear, true);
  LumpyDevice lumpy;
  ExpectSearchEqualsLoop(lumpy, false);
  test::RecordingDevice fine(600, 600, 100, 100);  // a printer-like density
  ExpectSearchEqualsLoop(fine, false);
}

TEST(FitPreviewFontSize, TakesAHandfulOfMeasurements) {
  test::RecordingDevice device(96, 96, 100, 100);
  PictureSurface picture(device);
  device.measureCount = 0;
  FitPreviewFontSize(picture, u"合計金額 1,234円", 10.5);
  EXPECT_LE(device.measureCount, 16);
  device.measureCount = 0;
  test::FitPreviewFontSizeByLoop(picture, u"合計金額 1,234円", 10.5);
  EXPECT_GT(device.measureCount, 16);
}

TEST(FitPreviewFontSize, EmptyTextKeepsTheRequestedSize) {
  test::RecordingPicture pic;
  EXPECT_EQ(FitPreviewFontSize(pic.picture, u"", 10.5), 10.5);
}

TEST(FitPreviewFontSize, VeryLargeSizesAreKept) {
  test::RecordingPicture pic;
  EXPECT_EQ(FitPreviewFontSize(pic.picture, u"AB", 1500), 1500);
}

TEST(FitPreviewFontSize, ATinySizeFitsToZero) {
  // A narrow glyph at one pixel: twice its width rounds to 0 pixels, and at size 1 the
  // text is already wider than that.
  class NarrowDevice final : public test::RecordingDevice {
   public:
    NarrowDevice() : RecordingDevice(96, 96, 100, 100) {}
    TextExtent MeasureText(TextView line, const FontSpec& font) override {
      return TextExtent{0.2 * font.pixelHeight * static_cast<double>(line.size()), 1.2 * font.pixelHeight};
    }
  } device;
  PictureSurface picture(device);
  EXPECT_EQ(FitPreviewFontSize(picture, u"i", 0.1), 0);
  EXPECT_EQ(test::FitPreviewFontSizeByLoop(picture, u"i", 0.1), 0);
}

TEST(FitPreviewFontSize, DoublesTheSizeInWholePoints) {
  test::RecordingPicture pic;
  // Recording metrics grow with the pixel size; 9 pt is 12 pixels, twice its width is the
  // width at 24 pixels = 18 pt, and 19 pt (25 pixels) is the first too wide.
  EXPECT_EQ(FitPreviewFontSize(pic.picture, u"abc", 9), 18);
}

TEST(FitPreviewFontSize, ARefusedRequestedSizeIsAFailure) {
  test::RecordingPicture pic;
  EXPECT_THROW(FitPreviewFontSize(pic.picture, u"x", 0), Failure);
  EXPECT_THROW(FitPreviewFontSize(pic.picture, u"x", 5000), Failure);
}

}  // namespace
}  // namespace vant
