// Font names of the pages resolve to the installed IPA fonts, and measuring behaves as
// the size-fitting loops need.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

#include <cstdlib>
#include <filesystem>

#include "platform/qt/qt_fonts.h"
#include "platform/qt/qt_picture_box.h"

namespace vant::qt {
namespace {

QString ResolvedFamily(const Text& name, bool bold = false, bool italic = false) {
  return QFontInfo(FontFromSpec(FontSpec{name, 16, italic, bold})).family();
}

TEST(QtFontNames, JapaneseWindowsNamesResolveToTheirIpaFonts) {
  struct Case {
    const char16_t* name;
    const char* family;
  };
  const Case cases[] = {
      {u"ＭＳ 明朝", "IPAMincho"},       {u"ＭＳ明朝", "IPAMincho"},
      {u"MS 明朝", "IPAMincho"},         {u"MS Mincho", "IPAMincho"},
      {u"MSMincho", "IPAMincho"},        {u"ms mincho", "IPAMincho"},
      {u"ＭＳ ゴシック", "IPAGothic"},   {u"MS Gothic", "IPAGothic"},
      {u"ＭＳ Ｐ明朝", "IPAPMincho"},    {u"MS PMincho", "IPAPMincho"},
      {u"ＭＳ Ｐゴシック", "IPAPGothic"}, {u"MS PGothic", "IPAPGothic"},
      {u"MSPGothic", "IPAPGothic"},      {u"ＭＳ　Ｐゴシック", "IPAPGothic"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolvedFamily(c.name).toStdString(), c.family) << ToUtf8(c.name);
    EXPECT_EQ(ResolvedFamily(c.name, true, true).toStdString(), c.family) << ToUtf8(c.name) << " bold italic";
  }
}

TEST(QtFontNames, TheShippedConfigurationIsTheOneInUse) {
  const char* inUse = std::getenv("FONTCONFIG_FILE");
  ASSERT_NE(inUse, nullptr);
  EXPECT_TRUE(std::filesystem::equivalent(inUse, ShippedFontConfig()));
}

TEST(QtFontNames, AnUnknownFamilyFallsBackToARealFont) {
  const QString family = ResolvedFamily(u"No Such Family 4711");
  EXPECT_FALSE(family.isEmpty());
  EXPECT_TRUE(QFontDatabase::families().contains(family)) << family.toStdString();
  FontCache cache;
  EXPECT_GT(cache.Measure(u"ABC", FontSpec{u"No Such Family 4711", 20, false, false}).width, 10);
}

TEST(QtFontNames, ACommaInANameIsPartOfTheName) {
  const QFont font = FontFromSpec(FontSpec{u"ＭＳ 明朝,Arial", 12, false, false});
  EXPECT_EQ(font.families().size(), 1);
}

TEST(QtFontMetrics, HeightIsAscentPlusDescentAndWidthTheAdvance) {
  FontCache cache;
  const FontSpec wanted{u"ＭＳ ゴシック", 24, false, false};
  const RealisedFont& font = cache.Realise(wanted);
  const TextExtent extent = cache.Measure(u"漢字", wanted);
  EXPECT_NEAR(extent.height, font.metrics.ascent() + font.metrics.descent(), 1.0 / 64);
  // The fixed-pitch Gothic: each ideograph one em wide.
  EXPECT_NEAR(extent.width, 48, 0.5);
  EXPECT_DOUBLE_EQ(cache.Measure(u"", wanted).width, 0);
  EXPECT_DOUBLE_EQ(cache.Measure(u"", wanted).height, extent.height);
}

// A line of any length is as wide as its characters together: Qt's fixed-point sum of the
// advances wraps past 2^25 pixels at the reference size (about 16,000 em), and a surrogate
// pair at a piece's end stays whole.
TEST(QtFontMetrics, ALongLineIsAsWideAsItsCharactersTogether) {
  FontCache cache;
  const FontSpec wanted{u"ＭＳ 明朝", 50, false, false};
  struct Row {
    int line;
    Text unit;
  };
  for (const Row& row : {Row{__LINE__, u"あ"}, Row{__LINE__, u"a𠀋"}}) {
    SCOPED_TRACE(row.line);
    const double one = cache.Measure(row.unit, wanted).width;
    ASSERT_GT(one, 0);
    for (const size_t count : {size_t{10000}, size_t{30000}, size_t{100000}}) {
      SCOPED_TRACE(count);
      Text line;
      for (size_t i = 0; i < count; ++i) line += row.unit;
      EXPECT_NEAR(cache.Measure(line, wanted).width, one * static_cast<double>(count), one * 0.01 * static_cast<double>(count) + 1);
    }
  }
}

TEST(QtFontMetrics, ProportionalAndFixedPitchFontsDiffer) {
  FontCache cache;
  const double fixed = cache.Measure(u"iiii", FontSpec{u"ＭＳ ゴシック", 20, false, false}).width;
  const double proportional = cache.Measure(u"iiii", FontSpec{u"ＭＳ Ｐゴシック", 20, false, false}).width;
  EXPECT_NEAR(fixed, 40, 0.5);  // half an em each
  EXPECT_LT(proportional, fixed);
}

TEST(QtFontMetrics, WidthsNeverShrinkAsTheSizeGrows) {
  const Text names[] = {u"ＭＳ 明朝", u"ＭＳ Ｐ明朝", u"ＭＳ ゴシック", u"ＭＳ Ｐゴシック", u"No Such Family"};
  const Text texts[] = {u"1234567890123", u"Vant3 Linux", u"印刷を中断しました!", u"Wi,.il|",
                        u"ｱｲｳｴｵ ﾊﾝｶｸ", u"A"};
  FontCache cache;
  for (const Text& name : names) {
    for (const Text& text : texts) {
      for (const int style : {0, 1, 2, 3}) {
        const bool italic = (style & 1) != 0, bold = (style & 2) != 0;
        double previous = 0;
        for (int px = 1; px <= 3000; ++px) {
          const double width = cache.Measure(text, FontSpec{name, px, italic, bold}).width;
          ASSERT_GE(width, previous) << ToUtf8(name) << " " << ToUtf8(text) << " style " << style
                                     << " at " << px << " px";
          previous = width;
        }
      }
    }
  }
}

TEST(QtFontMetrics, TextWidthThroughTheSurfaceGrowsWithThePointSize) {
  // The preview's fitting loop: sizes 1, 2, ... points, the width read at each.
  QtPictureBox box(10, 10, 96, 96);
  PictureSurface& surface = box.Surface();
  surface.SetFontName(u"ＭＳ Ｐ明朝");
  float previous = 0;
  for (int points = 1; points <= 2160; points += 7) {
    surface.SetFontSize(points);
    const float width = surface.TextWidth(u"請求書 No.0012345");
    ASSERT_GE(width, previous) << points << " pt";
    previous = width;
  }
  EXPECT_GT(previous, 10000);
}

TEST(QtFontMetrics, OneMeasurementPerFaceAndTextServesEverySize) {
  FontCache cache;
  const TextExtent at18 = cache.Measure(u"請求書", FontSpec{u"ＭＳ 明朝", 18, true, false});
  const TextExtent at19 = cache.Measure(u"請求書", FontSpec{u"ＭＳ 明朝", 19, true, false});
  EXPECT_DOUBLE_EQ(at19.width / at18.width, 19.0 / 18.0);
  EXPECT_DOUBLE_EQ(at19.height / at18.height, 19.0 / 18.0);
  EXPECT_EQ(cache.FaceCount(), 1u);
  EXPECT_EQ(cache.WidthCount(), 1u);
  cache.Measure(u"請求書", FontSpec{u"ＭＳ 明朝", 19, false, false});  // another face
  EXPECT_EQ(cache.FaceCount(), 2u);
  EXPECT_EQ(cache.WidthCount(), 2u);
}

TEST(QtFontMetrics, MeasuredWidthsMatchTheDrawnFontsAdvance) {
  FontCache cache;
  const Text texts[] = {u"Vant3 for Linux", u"合計金額 ¥1,234,567-", u"ｶﾞｷﾞｸﾞ 0123"};
  for (const Text name : {u"ＭＳ Ｐ明朝", u"ＭＳ ゴシック", u"No Such Family"}) {
    for (const Text& text : texts) {
      for (const int px : {7, 12, 16, 33, 100, 600}) {
        const FontSpec wanted{name, px, false, px == 33};
        const QFontMetricsF drawn(FontFromSpec(wanted));
        const TextExtent measured = cache.Measure(text, wanted);
        // Within a 64th of a pixel per character, as the drawn advances are rounded.
        EXPECT_NEAR(measured.width, drawn.horizontalAdvance(ToQString(text)),
                    static_cast<double>(text.size()) / 64 + 1e-6)
            << ToUtf8(name) << " " << ToUtf8(text) << " " << px;
        EXPECT_NEAR(measured.height, drawn.ascent() + drawn.descent(), 2.0 / 64)
            << ToUtf8(name) << " " << px;
      }
    }
  }
}

TEST(QtFontMetrics, BoldIsWiderAndSizeZeroIsMeasuredAsOnePixel) {
  FontCache cache;
  const double regular = cache.Measure(u"Invoice", FontSpec{u"ＭＳ Ｐゴシック", 30, false, false}).width;
  const double bold = cache.Measure(u"Invoice", FontSpec{u"ＭＳ Ｐゴシック", 30, false, true}).width;
  EXPECT_GE(bold, regular);
  const double zero = cache.Measure(u"Invoice", FontSpec{u"ＭＳ Ｐゴシック", 0, false, false}).width;
  const double one = cache.Measure(u"Invoice", FontSpec{u"ＭＳ Ｐゴシック", 1, false, false}).width;
  EXPECT_DOUBLE_EQ(zero, one);
}

}  // namespace
}  // namespace vant::qt
