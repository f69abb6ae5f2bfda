#include "barcode/font_fitting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "barcode/code39.h"
#include "barcode/jan13.h"
#include "barcode/jan8.h"
#include "barcode/nw7.h"
#include "draw_symbols.h"
#include "fake_platform.h"

namespace vant {
namespace {

using test::RecordingDevice;

// Text metrics that are not proportional to the size: a hinted, stepped width with a
// kerning-like term that grows faster than the size, and a line height with a floor.
class NonLinearDevice final : public RecordingDevice {
 public:
  NonLinearDevice(double dpi, double width, double height) : RecordingDevice(dpi, dpi, width, height) {}
  TextExtent MeasureText(TextView line, const FontSpec& font) override {
    ++measureCount;
    const double px = font.pixelHeight;
    double width = 0;
    for (char16_t c : line) {
      const double advance = c < 0x100 ? std::floor(0.55 * px + 0.4) : std::ceil(0.97 * px);
      width += advance + (c == u'1' ? 0 : std::floor(px * px / 900));
    }
    if (font.bold) width = std::ceil(width * 1.07);
    return TextExtent{width, std::max(3.0, std::floor(1.17 * px + 2))};
  }
};

// A picture box over any device, owning it.
struct OwnedPicture {
  explicit OwnedPicture(std::unique_ptr<RecordingDevice> d) : device(std::move(d)), picture(*device) {}
  std::unique_ptr<RecordingDevice> device;
  PictureSurface picture;
};

using SurfaceFactory = std::function<std::unique_ptr<OwnedPicture>()>;

std::vector<std::pair<std::string, SurfaceFactory>> Surfaces() {
  return {
      {"recording 96 dpi",
       [] { return std::make_unique<OwnedPicture>(std::make_unique<RecordingDevice>(96, 96, 500, 500)); }},
      {"recording 600 dpi",
       [] { return std::make_unique<OwnedPicture>(std::make_unique<RecordingDevice>(600, 600, 500, 500)); }},
      {"non-linear 300 dpi",
       [] { return std::make_unique<OwnedPicture>(std::make_unique<NonLinearDevice>(300, 500, 500)); }},
      {"non-linear 72 dpi",
       [] { return std::make_unique<OwnedPicture>(std::make_unique<NonLinearDevice>(72, 500, 500)); }},
  };
}

// The fitting as the sizes are walked one by one.
int FirstTooWideByWalking(DrawTarget& target, TextView text, double limit) {
  for (int s = 1; s <= kLargestFittedSize; ++s) {
    target.SetFontSize(s);
    if (target.TextWidth(text) > limit) return s;
  }
  return 0;
}

TEST(FirstTooWideSize, AgreesWithWalkingEverySize) {
  const std::vector<Text> texts = {u"901234", u"2347",  u"*ABCX*", u"A12345B", u"1",
                                   u"",       u"ＡＢＣ", Text(60, u'W'), u"1111", u"*0 -*"};
  const std::vector<double> limits = {0,    0.5,  0.7,  7,    28,   42,    54.6,  84,
                                      126,  250,  546,  1000, 2000, 4200,  9999,  30000};
  int cases = 0;
  for (const auto& [name, make] : Surfaces()) {
    for (const Text& text : texts) {
      for (const double limit : limits) {
        auto fitted = make();
        auto walked = make();
        fitted->device->measureCount = 0;
        const int expected = FirstTooWideByWalking(walked->picture, text, limit);
        EXPECT_EQ(FirstTooWideSize(fitted->picture, text, limit), expected)
            << name << " text " << ToUtf8(text) << " limit " << limit;
        EXPECT_LE(fitted->device->measureCount, 13);
        ++cases;
      }
    }
  }
  EXPECT_EQ(cases, 4 * 10 * 16);
}

TEST(FirstTooWideSize, NoneTooWideAndFirstTooWide) {
  test::RecordingPicture pic;
  EXPECT_EQ(FirstTooWideSize(pic.picture, u"", 0), 0);
  EXPECT_EQ(FirstTooWideSize(pic.picture, u"1", 1e9), 0);
  EXPECT_EQ(FirstTooWideSize(pic.picture, u"1", 0), 1);
}

// The size each layout ends with, from walking the sizes on a twin surface.
double WalkedLayoutSize(const SurfaceFactory& make, TextView measured, double limit, int back,
                        int floor) {
  auto twin = make();
  twin->picture.SetScaleMode(kScalePixels);
  const int s = FirstTooWideByWalking(twin->picture, measured, limit);
  twin->picture.SetFontSize(s == 0 ? kLargestFittedSize : std::max(floor, s - back));
  return twin->picture.FontSize();
}

TEST(FontFitting, PaintedSymbolsEndWithTheWalkedSize) {
  int cases = 0;
  for (const auto& [name, make] : Surfaces()) {
    for (int m = 1; m <= 40; m += 3) {
      {
        auto target = make();
        ASSERT_EQ(DrawJan13(target->picture, 0, 0, u"4901234567894",
                              static_cast<int16_t>(109 * m), 30, true), kPainted);
        EXPECT_EQ(target->picture.FontSize(), WalkedLayoutSize(make, u"567894", 42.0 * m, 2, 1))
            << name << " jan13 m " << m;
      }
      {
        auto target = make();
        ASSERT_EQ(DrawJan8(target->picture, 0, 0, u"4901234", static_cast<int16_t>(81 * m), 30, true),
                  kPainted);
        EXPECT_EQ(target->picture.FontSize(), WalkedLayoutSize(make, u"2347", 28.0 * m, 2, 1))
            << name << " jan8 m " << m;
      }
      for (const Text data : {u"abc", u"CODE 39/+", u"1"}) {
        auto target = make();
        const EncodedSymbol s = EncodeCode39(data, true);
        const auto n = static_cast<int>(s.modules.size()) + 14;
        ASSERT_EQ(DrawCode39(target->picture, 0, 0, data, static_cast<int16_t>(n * m), 30, true, true),
                  kPainted);
        EXPECT_EQ(target->picture.FontSize(),
                  WalkedLayoutSize(make, s.text, 0.7 * static_cast<double>(s.modules.size() * static_cast<size_t>(m)), 1, 0))
            << name << " code39 " << ToUtf8(data) << " m " << m;
      }
      {
        auto target = make();
        const EncodedSymbol s = EncodeNw7(u"a1234b", true);
        const auto n = static_cast<int>(s.modules.size()) + 14;
        ASSERT_EQ(DrawNw7(target->picture, 0, 0, u"a1234b", static_cast<int16_t>(n * m), 30, true, true),
                  kPainted);
        EXPECT_EQ(target->picture.FontSize(),
                  WalkedLayoutSize(make, s.text, 0.7 * static_cast<double>(s.modules.size() * static_cast<size_t>(m)), 1, 0))
            << name << " nw7 m " << m;
      }
      cases += 6;
    }
  }
  EXPECT_EQ(cases, 4 * 14 * 6);
}

TEST(FontFitting, JanSizeStepsBackTwoButNotBelowOne) {
  // A JAN-13 symbol one pixel per module at 96 dpi: "567894" at 1 point is 3 pixels, far
  // below 42, so the size is two below the first that is too wide.
  test::RecordingPicture pic(400, 300);
  ASSERT_EQ(DrawJan13(pic.picture, 0, 0, u"4901234567894", 109, 30, true), kPainted);
  test::RecordingPicture twin(400, 300);
  const int s = FirstTooWideByWalking(twin.picture, u"567894", 42);
  ASSERT_GT(s, 3);
  twin.picture.SetFontSize(s - 2);
  EXPECT_EQ(pic.picture.FontSize(), twin.picture.FontSize());
  twin.picture.SetFontSize(s);
  EXPECT_GT(twin.picture.TextWidth(u"567894"), 42);
}

}  // namespace
}  // namespace vant
