#include "barcode/nw7.h"

#include <gtest/gtest.h>

#include "bar_marks.h"
#include "barcode/nw7_table.h"
#include "draw_symbols.h"
#include "fake_platform.h"

namespace vant {
namespace {

using test::FillsOf;
using test::ModulesFromFills;
using test::RecordingPicture;
using test::TextsOf;

constexpr TextView kA = u"10111000100010", kB = u"10001000101110";

TEST(Nw7Patterns, AreThePublishedTable) {
  EXPECT_EQ(Nw7Patterns[0], u"10101000111000");
  EXPECT_EQ(Nw7Patterns[static_cast<size_t>(Nw7Value(u'$'))], u"10111000101000");
  EXPECT_EQ(Nw7Patterns[static_cast<size_t>(Nw7Value(u':'))], u"11101011101110");
  EXPECT_EQ(Nw7Patterns[static_cast<size_t>(Nw7Value(u'A'))], kA);
  EXPECT_EQ(Nw7Patterns[static_cast<size_t>(Nw7Value(u'D'))], u"10100011100010");
}

TEST(Nw7Value, FollowsTheSetOrder) {
  EXPECT_EQ(Nw7Value(u'0'), 0);
  EXPECT_EQ(Nw7Value(u'9'), 9);
  EXPECT_EQ(Nw7Value(u'-'), 10);
  EXPECT_EQ(Nw7Value(u'+'), 15);
  EXPECT_EQ(Nw7Value(u'A'), 16);
  EXPECT_EQ(Nw7Value(u'D'), 19);
  EXPECT_EQ(Nw7Value(u'a'), -1);  // lower case only after upper-casing
  EXPECT_EQ(Nw7Value(u' '), -1);
  EXPECT_EQ(Nw7Value(u'#'), -1);
}

TEST(Nw7CheckCharacter, Modulo16) {
  EXPECT_EQ(Nw7CheckCharacter(u"A1234B"), u"5");   // 43: r 11, value 5
  EXPECT_EQ(Nw7CheckCharacter(u"A0000A"), u"0");   // 32: r 0
  EXPECT_EQ(Nw7CheckCharacter(u"A1B"), u".");      // 34: r 2, value 14
  EXPECT_EQ(Nw7CheckCharacter(u"A12#4B"), u"9");   // 39 with # counting -1: r 7
}

TEST(Nw7CheckCharacter, NegativeSumKeepsTheSignOfTheRemainder) {
  // 16 + 17 - 34 = -1: r = -1, value 17 is B.
  EXPECT_EQ(Nw7CheckCharacter(u"A" + Text(34, u'#') + u"B"), u"B");
  // -3: value 19 is D, the last of the set.
  EXPECT_EQ(Nw7CheckCharacter(u"A" + Text(36, u'#') + u"B"), u"D");
  // -4: value 20 lies outside the set, no check character.
  EXPECT_EQ(Nw7CheckCharacter(u"A" + Text(37, u'#') + u"B"), u"");
  // -16: a multiple of 16.
  EXPECT_EQ(Nw7CheckCharacter(u"A" + Text(49, u'#') + u"B"), u"0");
}

TEST(EncodeNw7, LowerCaseDataWithCheckCharacter) {
  const EncodedSymbol s = EncodeNw7(u"a1234b", true);
  ASSERT_FALSE(s.Refused());
  EXPECT_EQ(s.text, u"A12345B");
  EXPECT_EQ(s.modules.size(), 98u);
  const Text golden = Text(kA) + u"10101110001000" + u"10100010111000" + u"11100010101000" +
                      u"10111010001000" + u"11101010001000" + Text(kB);
  EXPECT_EQ(s.modules, golden);
}

TEST(EncodeNw7, WithoutCheckCharacter) {
  const EncodedSymbol s = EncodeNw7(u"c1-d", false);
  ASSERT_FALSE(s.Refused());
  EXPECT_EQ(s.text, u"C1-D");
  EXPECT_EQ(s.modules.size(), 4 * 14u);
  // The gap after the last character stays in the string.
  EXPECT_EQ(s.modules.substr(42), u"10100011100010");
}

TEST(EncodeNw7, EmptyData) {
  const EncodedSymbol s = EncodeNw7(u"", true);
  EXPECT_TRUE(s.Refused());
  EXPECT_EQ(s.refusal, u"データが空です｡");
}

TEST(EncodeNw7, StartAndStopAreRequired) {
  const Text message = u"A,B,C,Dいづれかのスタート、ストップコードが必要です。";
  EXPECT_EQ(EncodeNw7(u"1234", true).refusal, message + u"1234");
  EXPECT_EQ(EncodeNw7(u"A1234", true).refusal, message + u"A1234");
  EXPECT_EQ(EncodeNw7(u"1234b", false).refusal, message + u"1234B");
  EXPECT_EQ(EncodeNw7(u"e12e", false).refusal, message + u"E12E");
  EXPECT_EQ(EncodeNw7(u" A1B", false).refusal, message + u" A1B");
}

TEST(EncodeNw7, InvalidCharacterNamesItAndTheTextWithCheckCharacter) {
  EXPECT_EQ(EncodeNw7(u"A12#4B", true).refusal,
            u"不正な文字#があるため処理できません。A12#49B");
  EXPECT_EQ(EncodeNw7(u"A12#4B", false).refusal,
            u"不正な文字#があるため処理できません。A12#4B");
  // A blank is not trimmed; it is refused like any other character outside the set.
  EXPECT_EQ(EncodeNw7(u"a1 2b", false).refusal, u"不正な文字 があるため処理できません。A1 2B");
}

TEST(EncodeNw7, RefusalNamesAWholeCharacterOutsideTheBasicPlane) {
  // U+1F600 is a surrogate pair: the message names both halves.
  const Text data = u"A1\U0001F600B";
  EXPECT_EQ(EncodeNw7(data, false).refusal,
            u"不正な文字\U0001F600があるため処理できません。A1\U0001F600B");
}

TEST(EncodeNw7, StartStopInsideTheData) {
  const EncodedSymbol s = EncodeNw7(u"AABBA", false);
  ASSERT_FALSE(s.Refused());
  EXPECT_EQ(s.modules.size(), 5 * 14u);
}

TEST(DrawNw7, PaintsTheEncodedModulesAndText) {
  RecordingPicture pic(400, 200);
  ASSERT_EQ(DrawNw7(pic.picture, 0, 0, u"a1234b", 112, 30, true, true), kPainted);
  // 98 + 14 modules asked 112 pixels: m = 1.
  EXPECT_EQ(ModulesFromFills(FillsOf(pic.device), 7, 1, 98), EncodeNw7(u"a1234b", true).modules);
  const auto texts = TextsOf(pic.device);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, u"A12345B");
}

TEST(DrawNw7, RefusalGoesToTheErrorTextAndPaintsNothing) {
  RecordingPicture pic(400, 200);
  EXPECT_EQ(DrawNw7(pic.picture, 0, 0, u"1234", 112, 30, true, true),
            Refused(u"A,B,C,Dいづれかのスタート、ストップコードが必要です。1234"));
  EXPECT_TRUE(pic.device.marks.empty());
  ASSERT_EQ(DrawNw7(pic.picture, 0, 0, u"A1B", 112, 30, false, false), kPainted);
}

}  // namespace
}  // namespace vant
