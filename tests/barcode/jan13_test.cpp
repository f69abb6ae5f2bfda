#include "barcode/jan13.h"

#include <gtest/gtest.h>

#include "bar_marks.h"
#include "barcode/jan_tables.h"
#include "common/failure.h"
#include "draw_symbols.h"
#include "fake_platform.h"

namespace vant {
namespace {

using test::FillsOf;
using test::ModulesFromFills;
using test::RecordingPicture;

constexpr TextView kGolden4901234567894 =
    u"10100010110100111001100100100110100001001110101010100111010100001000100100100011101001011100101";

TEST(Jan13Modules, GoldenSymbol) {
  EXPECT_EQ(Jan13Modules(u"4901234567894"), kGolden4901234567894);
  EXPECT_EQ(kGolden4901234567894.size(), kJan13Modules);
}

TEST(Jan13Modules, GuardsFrameTheHalves) {
  const ModuleString m = Jan13Modules(u"0000000000000");
  ASSERT_EQ(m.size(), 95u);
  EXPECT_EQ(m.substr(0, 3), u"101");
  EXPECT_EQ(m.substr(45, 5), u"01010");
  EXPECT_EQ(m.substr(92, 3), u"101");
  // Leading digit 0: all six left digits in set A.
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(m.substr(3 + 7 * i, 7), u"0001101");
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(m.substr(50 + 7 * i, 7), u"1110010");
}

TEST(Jan13Modules, LeadingDigitFourTakesParityABAABB) {
  const ModuleString m = Jan13Modules(u"4111111111116");
  const TextView a = JanLeftOdd[1], b = JanLeftEven[1];
  const TextView expected[6] = {a, b, a, a, b, b};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(TextView(m).substr(3 + 7 * i, 7), expected[i]) << i;
}

TEST(Jan13Modules, EveryLeadingDigitTakesItsParityRow) {
  for (char16_t lead = u'0'; lead <= u'9'; ++lead) {
    Text digits(13, u'7');
    digits[0] = lead;
    const ModuleString m = Jan13Modules(digits);
    const TextView parity = JanParity[static_cast<size_t>(lead - u'0')];
    for (size_t i = 0; i < 6; ++i) {
      const TextView expected = parity[i] == u'0' ? JanLeftOdd[7] : JanLeftEven[7];
      EXPECT_EQ(TextView(m).substr(3 + 7 * i, 7), expected) << char(lead) << " digit " << i + 2;
    }
  }
}

TEST(Jan13Modules, RefusesAnythingButThirteenDigits) {
  EXPECT_THROW(Jan13Modules(u"490123456789"), Failure);
  EXPECT_THROW(Jan13Modules(u"49012345678940"), Failure);
  EXPECT_THROW(Jan13Modules(u"490123456789x"), Failure);
  EXPECT_THROW(Jan13Modules(u""), Failure);
}

TEST(DrawJan13, PaintsTheModulesOfTheCompletedDigits) {
  RecordingPicture pic(400, 200);
  // 12 digits of data plus a wrong check digit: the check digit is recomputed.
  ASSERT_EQ(DrawJan13(pic.picture, 5, 8, u"4901234567890", 218, 40, false), kPainted);
  const auto fills = FillsOf(pic.device);
  // m = 2 for 109 modules asked 218 pixels wide; the bars start after 7 quiet modules.
  EXPECT_EQ(ModulesFromFills(fills, 5 + 7 * 2, 2, 95), kGolden4901234567894);
}

TEST(DrawJan13, RefusedDataPaintsNothing) {
  RecordingPicture pic(400, 200);
  EXPECT_EQ(DrawJan13(pic.picture, 0, 0, u"12-3", 218, 40, true), Refused(u"データが不正です。12-3"));
  EXPECT_TRUE(pic.device.marks.empty());
  EXPECT_EQ(pic.picture.Width(), 400);
}

TEST(DrawJan13, TextShowsTheThirteenDigitsInThreeGroups) {
  RecordingPicture pic(400, 200);
  ASSERT_EQ(DrawJan13(pic.picture, 0, 0, u"490123456789", 218, 40, true), kPainted);
  const auto texts = test::TextsOf(pic.device);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, u"4");
  EXPECT_EQ(texts[1].text, u"901234");
  EXPECT_EQ(texts[2].text, u"567894");
}

}  // namespace
}  // namespace vant
