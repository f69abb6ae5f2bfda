// The customer barcode against examples worked by hand from Japan Post's rules: the
// character table (1 long, 2 ascender, 3 descender, 4 timing bar), the filling with CC4,
// the letters as a control character and a digit, the modulus-19 check character; and the
// bars painted at Japan Post's pitch and heights in whole dots.
#include "symbols/customer_barcode.h"

#include <gtest/gtest.h>

#include <variant>

#include "bar_marks.h"
#include "draw/method_commands.h"
#include "fake_platform.h"
#include "method_of.h"

namespace vant {
namespace {

struct Worked {
  const char* what;
  TextView data;
  TextView bars;  // start, 20 characters, check character, stop
};

// Sums and check characters by hand:
// 1. 263-0023 and 3-30-8-403 (Japan Post's own example): 2630023 33-30-8-403 + CC4 x 3,
//    16 + 51 + 42 = 109, 109 mod 19 = 14, check 19 - 14 = 5.
// 2. 1000013 and 1-2-3A: A is CC1 0; CC4 x 6; 5 + 26 + 11 + 84 = 126, mod 19 = 12, check 7.
// 3. 987-6543 in full width and 1234-5678-90u: u is CC3 0, whose 0 falls past the 20th
//    character and is cut; 42 + 65 + 13 = 120, mod 19 = 6, check 13 = CC3.
const Worked kWorked[] = {
    {"Japan Post's example", u"263-00233-30-8-403",
     u"13" u"132" u"321" u"312" u"144" u"144" u"132" u"312"
     u"312" u"414" u"312" u"144" u"414" u"231" u"414" u"123" u"144" u"312"
     u"432" u"432" u"432" u"141" u"31"},
    {"a letter and filling", u"10000131-2-3A",
     u"13" u"114" u"144" u"144" u"144" u"144" u"114" u"312"
     u"114" u"414" u"132" u"414" u"312" u"324" u"144"
     u"432" u"432" u"432" u"432" u"432" u"432" u"213" u"31"},
    {"full width, lower case, cut after 20", u"９８７－６５４３1234-5678-90u",
     u"13" u"411" u"231" u"213" u"321" u"141" u"123" u"312"
     u"114" u"132" u"312" u"123" u"414" u"141" u"321" u"213" u"231" u"414" u"411" u"144"
     u"234" u"234" u"31"},
};

TEST(CustomerBarcode, BarsOfHandWorkedExamples) {
  for (const Worked& w : kWorked) {
    auto encoded = EncodeCustomer(w.data);
    ASSERT_TRUE(std::holds_alternative<CustomerBars>(encoded)) << w.what;
    const CustomerBars& bars = std::get<CustomerBars>(encoded);
    EXPECT_EQ(bars.bars.size(), 67u) << w.what;
    EXPECT_EQ(ToUtf8(bars.bars), ToUtf8(w.bars)) << w.what;
  }
}

TEST(CustomerBarcode, RefusedData) {
  const struct {
    TextView data;
    TextView message;
  } cases[] = {
      {u"", u"データが空です\uFF61"},
      {u"12345", u"先頭に 7 桁の郵便番号がありません。12345"},
      {u"100001A", u"先頭に 7 桁の郵便番号がありません。100001A"},
      {u"1000013 1-2", u"不正な文字 があるため処理できません。1000013 1-2"},
      {u"1000013#", u"不正な文字#があるため処理できません。1000013#"},
  };
  for (const auto& c : cases) {
    auto encoded = EncodeCustomer(c.data);
    ASSERT_TRUE(std::holds_alternative<Text>(encoded)) << ToUtf8(c.data);
    EXPECT_EQ(ToUtf8(std::get<Text>(encoded)), ToUtf8(c.message));
  }
}

// On the 600 dpi test printer: at 10 points a bar is 0.6 mm = 14.17 -> 14 dots and the
// third of the long bar 1.2 mm = 28.35 -> 28; at 8 points 11.34 -> 11 and 22.68 -> 23; at
// 11.5 points 16.30 -> 16 and 32.60 -> 33. Bars stand two bar widths apart.
TEST(CustomerBarcode, PaintedAtJapanPostsPitchAndHeights) {
  const struct {
    TextView points;
    int bar;
    int third;
  } sizes[] = {{u"", 14, 28}, {u"10", 14, 28}, {u"8", 11, 23}, {u"11.5", 16, 33}};
  for (const auto& size : sizes) {
    test::FakePlatform platform;
    const MethodRec m = test::Method({u"prncustomer", u"1440", u"720", Text(kWorked[0].data), Text(size.points)});
    ASSERT_EQ(FindCommand(MethodCommands(), m.field[0])->marks->print(platform.printer, m, nullptr), std::nullopt);
    const auto fills = test::FillsOf(platform.Current().Marks());
    ASSERT_EQ(fills.size(), 67u);
    for (size_t i = 0; i < fills.size(); ++i) {
      const char16_t kind = kWorked[0].bars[i];
      const int top = kind == u'1' || kind == u'2' ? 0 : size.third;
      const int thirds = kind == u'1' ? 3 : kind == u'4' ? 1 : 2;
      SCOPED_TRACE(ToUtf8(size.points) + " bar " + std::to_string(i));
      EXPECT_EQ(fills[i].x1, 600 + 2.0 * size.bar * static_cast<double>(i));
      EXPECT_EQ(fills[i].x2, size.bar);
      EXPECT_EQ(fills[i].y1, 300 + top);
      EXPECT_EQ(fills[i].y2, thirds * size.third);
    }
  }
}

TEST(CustomerBarcode, PointsOutsideEightToElevenAndAHalfStopTheRun) {
  for (const TextView points : {u"7.9", u"11.6", u"0", u"-10", u"abc"}) {
    test::FakePlatform platform;
    const MethodRec m = test::Method({u"prncustomer", u"0", u"0", Text(kWorked[0].data), Text(points)});
    EXPECT_EQ(FindCommand(MethodCommands(), m.field[0])->marks->print(platform.printer, m, nullptr),
              Text(u"カスタマバーコードの大きさは 8 から 11.5 ポイントで指定してください。"))
        << ToUtf8(points);
    EXPECT_TRUE(test::FillsOf(platform.Current().Marks()).empty());
  }
}

}  // namespace
}  // namespace vant
