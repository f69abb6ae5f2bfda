#include "barcode/code39.h"

#include <gtest/gtest.h>

#include "bar_marks.h"
#include "barcode/code39_table.h"
#include "draw_symbols.h"
#include "fake_platform.h"

namespace vant {
namespace {

using test::FillsOf;
using test::ModulesFromFills;
using test::RecordingPicture;
using test::TextsOf;

TEST(Code39Value, FollowsTheStandardOrder) {
  EXPECT_EQ(Code39Value(u'0'), 0);
  EXPECT_EQ(Code39Value(u'A'), 10);
  EXPECT_EQ(Code39Value(u'Z'), 35);
  EXPECT_EQ(Code39Value(u'-'), 36);
  EXPECT_EQ(Code39Value(u'.'), 37);
  EXPECT_EQ(Code39Value(u' '), 38);
  EXPECT_EQ(Code39Value(u'$'), 39);
  EXPECT_EQ(Code39Value(u'/'), 40);
  EXPECT_EQ(Code39Value(u'+'), 41);
  EXPECT_EQ(Code39Value(u'%'), 42);
  EXPECT_EQ(Code39Value(u'*'), 43);
  EXPECT_EQ(Code39Value(u'a'), -1);
  EXPECT_EQ(Code39Value(u'#'), -1);
}

TEST(Code39Patterns, StandardEntriesBeyondTheTellingOnes) {
  // B, M, W and "/" from the standard's width table (wide elements in capitals):
  // B n n W n n W n n W, M W n W n n n n W n, W W W W n n n n n n, / n W n W n n n W n.
  EXPECT_EQ(Code39Patterns[11], u"101101001011");
  EXPECT_EQ(Code39Patterns[22], u"110110101001");
  EXPECT_EQ(Code39Patterns[32], u"110011010101");
  EXPECT_EQ(Code39Patterns[40], u"100100101001");
}

TEST(Code39CheckCharacter, Modulo43) {
  EXPECT_EQ(Code39CheckCharacter(u"ABC"), u"X");      // 33
  EXPECT_EQ(Code39CheckCharacter(u"CODE39"), u"W");   // 75 mod 43 = 32
  EXPECT_EQ(Code39CheckCharacter(u"A#Z"), u"1");      // 10 - 1 + 35 = 44
  EXPECT_EQ(Code39CheckCharacter(u"#"), u"");         // -1: none
  EXPECT_EQ(Code39CheckCharacter(u"%%"), u"+");       // 84 mod 43 = 41
}

TEST(EncodeCode39, LowerCaseDataWithCheckCharacter) {
  const EncodedSymbol s = EncodeCode39(u"abc", true);
  ASSERT_FALSE(s.Refused());
  EXPECT_EQ(s.text, u"*ABCX*");
  EXPECT_EQ(s.modules,
            u"100101101101011010100101101011010010110110110100101010010110101101001011011010");
  EXPECT_EQ(s.modules.size(), 78u);
}

TEST(EncodeCode39, EveryCharacterIsFollowedByAOneModuleGap) {
  const EncodedSymbol s = EncodeCode39(u"0 -", false);
  ASSERT_FALSE(s.Refused());
  EXPECT_EQ(s.text, u"*0 -*");
  ASSERT_EQ(s.modules.size(), 13u * 5);
  for (size_t k = 0; k < 5; ++k) EXPECT_EQ(s.modules[13 * k + 12], u'0') << k;
  EXPECT_EQ(s.modules.substr(13, 12), u"101001101101");
  EXPECT_EQ(s.modules.substr(26, 12), u"100110101101");  // the blank is encoded
}

TEST(EncodeCode39, BlanksAreNotTrimmed) {
  const EncodedSymbol s = EncodeCode39(u" a ", true);
  ASSERT_FALSE(s.Refused());
  // 38 + 10 + 38 = 86 = 2 x 43: check character 0.
  EXPECT_EQ(s.text, u"* A 0*");
}

TEST(EncodeCode39, AnAsteriskInsideTheDataIsEncodedAndCounts43) {
  const EncodedSymbol s = EncodeCode39(u"A*B", true);
  ASSERT_FALSE(s.Refused());
  // 10 + 43 + 11 = 64: 64 mod 43 = 21, L.
  EXPECT_EQ(s.text, u"*A*BL*");
  EXPECT_EQ(s.modules.size(), 13u * 6);
}

TEST(EncodeCode39, Refusals) {
  EXPECT_EQ(EncodeCode39(u"", true).refusal, u"データが空です｡");
  EXPECT_EQ(EncodeCode39(u"#", true).refusal, u"不正な文字#があるため処理できません。*#*");
  EXPECT_EQ(EncodeCode39(u"A#Z", true).refusal, u"不正な文字#があるため処理できません。*A#Z1*");
  EXPECT_EQ(EncodeCode39(u"a_b", false).refusal, u"不正な文字_があるため処理できません。*A_B*");
  // A full-width letter is upper-cased, and still refused.
  EXPECT_EQ(EncodeCode39(u"ａ", false).refusal, u"不正な文字Ａがあるため処理できません。*Ａ*");
  EXPECT_TRUE(EncodeCode39(u"#", true).Refused());
}

TEST(EncodeCode39, RefusalNamesWholeCharactersOnly) {
  // A surrogate pair is one character; an unpaired half stands alone.
  EXPECT_EQ(EncodeCode39(u"A\U0001D400", false).refusal,
            u"不正な文字\U0001D400があるため処理できません。*A\U0001D400*");
  const Text lone = Text(u"A") + char16_t(0xD835);
  EXPECT_EQ(EncodeCode39(lone, false).refusal,
            u"不正な文字" + Text(1, char16_t(0xD835)) + u"があるため処理できません。*" + lone + u"*");
}

TEST(DrawCode39, PaintsTheEncodedModulesAndTheFramedText) {
  RecordingPicture pic(400, 200);
  ASSERT_EQ(DrawCode39(pic.picture, 0, 0, u"abc", 184, 30, true, true), kPainted);
  // 78 + 14 = 92 modules asked 184 pixels: m = 2.
  EXPECT_EQ(ModulesFromFills(FillsOf(pic.device), 14, 2, 78), EncodeCode39(u"abc", true).modules);
  const auto texts = TextsOf(pic.device);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, u"*ABCX*");
}

TEST(DrawCode39, RefusalGoesToTheErrorText) {
  RecordingPicture pic(400, 200);
  EXPECT_EQ(DrawCode39(pic.picture, 0, 0, u"A#Z", 184, 30, true, true), Refused(u"不正な文字#があるため処理できません。*A#Z1*"));
  EXPECT_TRUE(pic.device.marks.empty());
}

}  // namespace
}  // namespace vant
