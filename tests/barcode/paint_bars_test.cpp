#include "barcode/paint_bars.h"

#include <gtest/gtest.h>

#include "bar_marks.h"
#include "barcode/code39.h"
#include "barcode/jan13.h"
#include "barcode/jan8.h"
#include "barcode/module_string.h"
#include "common/failure.h"
#include "common/numbers.h"
#include "fake_platform.h"

namespace vant {
namespace {

using test::FillsOf;
using test::Mark;
using test::ModulesFromFills;
using test::RecordingPicture;
using test::RecordingPrinter;
using test::TextsOf;

const Text kDigits13 = u"4901234567894";

TEST(ModuleWidthFor, SmallestWholeWidthCoveringTheWantedWidth) {
  EXPECT_EQ(ModuleWidthFor(100, 109), 1);
  EXPECT_EQ(ModuleWidthFor(109, 109), 1);
  EXPECT_EQ(ModuleWidthFor(109.01, 109), 2);
  EXPECT_EQ(ModuleWidthFor(110, 109), 2);
  EXPECT_EQ(ModuleWidthFor(218, 109), 2);
  EXPECT_EQ(ModuleWidthFor(219, 109), 3);
  EXPECT_EQ(ModuleWidthFor(0, 109), 1);
  EXPECT_EQ(ModuleWidthFor(-500, 109), 1);
  EXPECT_EQ(ModuleWidthFor(109.0 * 32767, 109), 32767);
  EXPECT_THROW(ModuleWidthFor(109.0 * 32767 + 1, 109), Failure);
  EXPECT_THROW(ModuleWidthFor(1e30, 109), Failure);
}

struct WidthCase {
  int16_t asked;
  int m;
};

class Jan13Width : public ::testing::TestWithParam<WidthCase> {};

// 95 modules and 14 quiet ones: every module exactly m pixels, bars after the quiet zone.
TEST_P(Jan13Width, ModulesAreWholePixels) {
  const auto [asked, m] = GetParam();
  RecordingPicture pic(1000, 300);
  PaintBars(pic.picture, 20, 10, Jan13Modules(kDigits13), 7, 7, u"", asked, 50, kTextJan13);
  const auto fills = FillsOf(pic.device);
  ASSERT_FALSE(fills.empty());
  for (const Mark& f : fills) {
    EXPECT_EQ(f.x2, m);
    EXPECT_EQ(static_cast<int>(f.x1 - 20) % m, 0);
    EXPECT_EQ(f.colour, Rgb{});
  }
  EXPECT_EQ(ModulesFromFills(fills, 20 + 7 * m, m, 95), Jan13Modules(kDigits13));
  // The last bar ends where the right quiet zone begins.
  EXPECT_EQ(fills.back().x1 + fills.back().x2, 20 + (7 + 95) * m);
}

INSTANTIATE_TEST_SUITE_P(AskedWidths, Jan13Width,
                         ::testing::Values(WidthCase{100, 1}, WidthCase{109, 1},
                                           WidthCase{110, 2}, WidthCase{218, 2},
                                           WidthCase{219, 3}, WidthCase{0, 1},
                                           WidthCase{-40, 1}));

// The symbol's corner is rounded to a whole pixel once and the modules laid from it: from
// a corner at half a pixel every bar and space is still exactly m pixels, and the bars
// are as high as asked.
TEST(PaintBars, ModulesAreWholePixelsWhereverTheSymbolStarts) {
  const struct {
    int line;
    float x, y;
    int16_t asked;
    int m;
    double left, top;  // the corner the modules are laid from
  } rows[] = {
      {__LINE__, 20.5f, 10.5f, 200, 2, 20, 10},
      {__LINE__, 21.5f, 11.5f, 200, 2, 22, 12},
      {__LINE__, 21.5f, 11.5f, 300, 3, 22, 12},
      {__LINE__, 20.5f, 10.5f, 300, 3, 20, 10},
      {__LINE__, 20.25f, 10.75f, 109, 1, 20, 11},
  };
  for (const auto& r : rows) {
    RecordingPicture pic(1000, 300);
    PaintBars(pic.picture, r.x, r.y, Jan13Modules(kDigits13), 7, 7, u"", r.asked, 40, kTextJan13);
    const auto fills = FillsOf(pic.device);
    ASSERT_FALSE(fills.empty()) << "line " << r.line;
    for (const Mark& f : fills) {
      EXPECT_EQ(f.x2, r.m) << "line " << r.line << ", bar at " << f.x1;
      EXPECT_EQ(f.y1, r.top) << "line " << r.line;
      EXPECT_EQ(f.y2, 40) << "line " << r.line;
    }
    EXPECT_EQ(ModulesFromFills(fills, r.left + 7 * r.m, r.m, 95), Jan13Modules(kDigits13))
        << "line " << r.line;
  }
}

TEST(PaintBars, BarHeightIsTheAskedHeightAndAtLeastOnePixel) {
  for (const auto& [height, pixels] : {std::pair{0, 1}, {1, 1}, {40, 40}, {-7, 1}}) {
    RecordingPicture pic(400, 300);
    PaintBars(pic.picture, 0, 5, Jan13Modules(kDigits13), 7, 7, u"", 109,
              static_cast<int16_t>(height), kTextJan13);
    for (const Mark& f : FillsOf(pic.device)) {
      EXPECT_EQ(f.y1, 5);
      EXPECT_EQ(f.y2, pixels) << "height " << height;
    }
  }
}

TEST(PaintBars, WithoutTextGuardsAreFlushAndNoFontPropertyChanges) {
  RecordingPicture pic(400, 300);
  auto& p = pic.picture;
  p.SetFontName(u"IPAGothic");
  p.SetFontSize(12);
  p.SetFontBold(true);
  p.SetFontItalic(true);
  const double size = p.FontSize();
  PaintBars(p, 0, 0, Jan13Modules(kDigits13), 7, 7, u"", 218, 40, kTextJan13);
  EXPECT_EQ(p.FontName(), u"IPAGothic");
  EXPECT_EQ(p.FontSize(), size);
  EXPECT_TRUE(p.FontBold());
  EXPECT_TRUE(p.FontItalic());
  EXPECT_TRUE(TextsOf(pic.device).empty());
  for (const Mark& f : FillsOf(pic.device)) EXPECT_EQ(f.y2, 40);
}

// Bar heights by module number (from 1), as painted.
std::vector<double> HeightsByModule(const std::vector<Mark>& fills, double left, int m) {
  std::vector<double> heights(200, 0);
  for (const Mark& f : fills) heights[static_cast<size_t>((f.x1 - left) / m) + 1] = f.y2;
  return heights;
}

TEST(PaintBars, Jan13TextLayout) {
  RecordingPicture pic(400, 300);
  auto& p = pic.picture;
  p.SetFontBold(true);
  const int m = 2, h = 40;
  const float x = 10, y = 6;
  PaintBars(p, x, y, Jan13Modules(kDigits13), 7, 7, kDigits13, 218, h, kTextJan13);
  EXPECT_FALSE(p.FontBold());

  const auto texts = TextsOf(pic.device);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, u"4");
  EXPECT_EQ(texts[0].x1, x);
  EXPECT_EQ(texts[1].text, u"901234");
  EXPECT_EQ(texts[1].x1, x + (7 + 3) * m);
  EXPECT_EQ(texts[2].text, u"567894");
  EXPECT_EQ(texts[2].x1, x + (7 + 50) * m);
  for (const Mark& t : texts) EXPECT_EQ(t.y1, y + h);

  // The right half's six digits fit 42 modules; two sizes up they would not.
  EXPECT_LE(p.TextWidth(u"567894"), 42 * m);
  const double e = RoundHalfEven(p.TextHeight(u"901234") / 2);
  EXPECT_GT(e, 0);
  const auto heights = HeightsByModule(FillsOf(pic.device), x + 7 * m, m);
  const Text modules = Jan13Modules(kDigits13);
  for (size_t i = 1; i <= 95; ++i) {
    if (modules[i - 1] != u'1') continue;
    const bool guard = i <= 3 || (i >= 46 && i <= 50) || i >= 93;
    EXPECT_EQ(heights[i], guard ? h + e : h) << "module " << i;
  }
}

TEST(PaintBars, Jan8TextLayout) {
  RecordingPicture pic(400, 300);
  auto& p = pic.picture;
  const int m = 3, h = 30;
  const Text digits = u"49012347";
  PaintBars(p, 0, 0, Jan8Modules(digits), 7, 7, digits, 81 * 3, h, kTextJan8);
  const auto texts = TextsOf(pic.device);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, u"4901");
  EXPECT_EQ(texts[0].x1, (7 + 3) * m);
  EXPECT_EQ(texts[1].text, u"2347");
  EXPECT_EQ(texts[1].x1, (7 + 36) * m);
  EXPECT_LE(p.TextWidth(u"2347"), 28 * m);
  // Half the height of the text from its 4th character on.
  const double e = RoundHalfEven(p.TextHeight(u"12347") / 2);
  const auto heights = HeightsByModule(FillsOf(pic.device), 7 * m, m);
  const Text modules = Jan8Modules(digits);
  for (size_t i = 1; i <= 67; ++i) {
    if (modules[i - 1] != u'1') continue;
    const bool guard = i <= 3 || (i >= 32 && i <= 36) || i >= 65;
    EXPECT_EQ(heights[i], guard ? h + e : h) << "module " << i;
  }
}

TEST(PaintBars, CentredTextLayout) {
  RecordingPicture pic(400, 300);
  auto& p = pic.picture;
  const EncodedSymbol s = EncodeCode39(u"abc", true);
  const int m = 2, h = 25;
  PaintBars(p, 4, 3, s.modules, 7, 7, s.text, 184, h, kTextCentred);
  const auto texts = TextsOf(pic.device);
  ASSERT_EQ(texts.size(), 1u);
  const double barWidth = 78 * m;
  const double textWidth = RoundHalfEven(p.TextWidth(s.text));
  EXPECT_LE(p.TextWidth(s.text), 0.7 * barWidth);
  EXPECT_DOUBLE_EQ(texts[0].x1, 4 + (barWidth - textWidth) / 2 + 7 * m);
  EXPECT_EQ(texts[0].y1, 3 + h);
  for (const Mark& f : FillsOf(pic.device)) {
    EXPECT_EQ(f.y2, h);                  // no guard bars
    EXPECT_EQ(f.y1 + f.y2, texts[0].y1);  // the text starts on the row below the bars
  }
}

TEST(PaintBars, AnyOtherLayoutIsTheCentredOne) {
  const EncodedSymbol s = EncodeCode39(u"A1", false);
  RecordingPicture centred(400, 300), other(400, 300);
  PaintBars(centred.picture, 0, 0, s.modules, 7, 7, s.text, 200, 30, kTextCentred);
  PaintBars(other.picture, 0, 0, s.modules, 7, 7, s.text, 200, 30, 5);
  ASSERT_EQ(centred.device.marks.size(), other.device.marks.size());
  for (size_t i = 0; i < centred.device.marks.size(); ++i) {
    EXPECT_EQ(centred.device.marks[i].x1, other.device.marks[i].x1);
    EXPECT_EQ(centred.device.marks[i].text, other.device.marks[i].text);
  }
  EXPECT_EQ(centred.picture.FontSize(), other.picture.FontSize());
}

TEST(PaintBars, PictureGrowsToFitTheSymbol) {
  RecordingPicture pic(50, 20);
  PaintBars(pic.picture, 10, 0, Jan13Modules(kDigits13), 7, 7, u"", 218, 40, kTextJan13);
  EXPECT_EQ(pic.picture.Width(), 10 + 109 * 2);
  EXPECT_EQ(pic.picture.Height(), 40);  // no text: the picture grows to hold the bars

  RecordingPicture withText(50, 20);
  PaintBars(withText.picture, 10, 5, Jan13Modules(kDigits13), 7, 7, kDigits13, 218, 40,
            kTextJan13);
  const double e = RoundHalfEven(withText.picture.TextHeight(u"901234") / 2);
  EXPECT_EQ(withText.picture.Width(), 228);
  EXPECT_EQ(withText.picture.Height(), 40 + 5 + 2 * e);
}

TEST(PaintBars, PictureGrowsToFitTheCentredText) {
  RecordingPicture pic(20, 20);
  const EncodedSymbol s = EncodeCode39(u"abc", true);
  PaintBars(pic.picture, 0, 7, s.modules, 7, 7, s.text, 92, 30, kTextCentred);
  EXPECT_EQ(pic.picture.Width(), 92);
  EXPECT_EQ(pic.picture.Height(), RoundHalfEven(30 + 7 + pic.picture.TextHeight(s.text)));
}

TEST(PaintBars, APictureLargeEnoughStaysAsItIs) {
  RecordingPicture pic(600, 400);
  PaintBars(pic.picture, 0, 0, Jan13Modules(kDigits13), 7, 7, kDigits13, 218, 40, kTextJan13);
  EXPECT_EQ(pic.picture.Width(), 600);
  EXPECT_EQ(pic.picture.Height(), 400);
}

TEST(PaintBars, WorksInTheTargetsUnitAndRestoresItAndThePen) {
  test::PrinterSpec spec;
  RecordingPrinter printer(spec);  // 600 dpi, twips
  printer.SetDrawWidth(3);
  ASSERT_EQ(printer.ScaleMode(), kScaleTwips);
  // 1440 twips = 600 pixels: x, y at one inch, 600 pixels wanted for 109 modules: m = 6.
  PaintBars(printer, 1440, 1440, Jan13Modules(kDigits13), 7, 7, u"", 1440, 144, kTextJan13);
  EXPECT_EQ(printer.ScaleMode(), kScaleTwips);
  EXPECT_EQ(printer.DrawWidth(), 3);
  const auto fills = FillsOf(printer.Marks());
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills.front().x1, 600 + 7 * 6);
  EXPECT_EQ(fills.front().y1, 600);
  EXPECT_EQ(fills.front().y2, 60);
  EXPECT_EQ(ModulesFromFills(fills, 600 + 7 * 6, 6, 95), Jan13Modules(kDigits13));
}

TEST(PaintBars, MillimetresOnAPicture) {
  RecordingPicture pic(400, 300);
  pic.picture.SetScaleMode(kScaleMillimeters);
  // 25.4 mm at 96 dpi = 96 pixels.
  PaintBars(pic.picture, 25.4f, 25.4f, Jan13Modules(kDigits13), 7, 7, u"", 0, 0, kTextJan13);
  EXPECT_EQ(pic.picture.ScaleMode(), kScaleMillimeters);
  const auto fills = FillsOf(pic.device);
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills.front().x1, 96 + 7);
  EXPECT_EQ(fills.front().y1, 96);
}

TEST(PaintBars, AFailureEndsThePaintingButRestoresUnitAndPen) {
  test::PrinterSpec spec;
  RecordingPrinter printer(spec);
  printer.SetScaleMode(kScaleMillimeters);
  printer.SetDrawWidth(4);
  // 2700 mm at 600 dpi = 63780 pixels: m = 586, and (7 + 50) x 586 is beyond 16 bits.
  EXPECT_THROW(PaintBars(printer, 0, 0, Jan13Modules(kDigits13), 7, 7, kDigits13, 2700, 10,
                         kTextJan13),
               Failure);
  EXPECT_EQ(printer.ScaleMode(), kScaleMillimeters);
  EXPECT_EQ(printer.DrawWidth(), 4);
  EXPECT_TRUE(FillsOf(printer.Marks()).empty());
  // Without the text the same symbol is painted.
  PaintBars(printer, 0, 0, Jan13Modules(kDigits13), 7, 7, u"", 2700, 10, kTextJan13);
  EXPECT_EQ(FillsOf(printer.Marks()).front().x2, 586);
}

TEST(PaintBars, AValueTheTargetRefusesIsNotSkipped) {
  RecordingPicture pic(400, 300);
  // One bar module cannot carry forty characters: even 1 point is too wide, and the
  // size 0 that follows is refused by the surface.
  try {
    PaintBars(pic.picture, 0, 0, u"1", 7, 7, Text(40, u'W'), 15, 10, kTextCentred);
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.Description(), Failure::InvalidPropertyValue().Description());
  }
  EXPECT_TRUE(FillsOf(pic.device).empty());
  EXPECT_EQ(pic.picture.ScaleMode(), kScalePixels);
}

TEST(PaintBars, OnlyBarsAndSpacesArePainted) {
  RecordingPicture pic(400, 300);
  for (const TextView modules : {u"1012", u"10 1", u"1O1"}) {
    EXPECT_THROW(PaintBars(pic.picture, 0, 0, modules, 7, 7, u"", 100, 10, kTextCentred), Failure);
  }
  EXPECT_TRUE(pic.device.marks.empty());
  // The empty string is the quiet zones alone: nothing to paint.
  PaintBars(pic.picture, 0, 0, u"", 7, 7, u"", 100, 10, kTextCentred);
  EXPECT_TRUE(pic.device.marks.empty());
}

}  // namespace
}  // namespace vant
