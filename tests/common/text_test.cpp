#include "common/text.h"

#include <gtest/gtest.h>

#include "common/failure.h"

namespace vant {
namespace {

TEST(Utf, RoundTripsJapaneseAndAstralCharacters) {
  const std::string s = "ＭＳ 明朝 𠮷 A,B";
  const Text t = FromUtf8(s);
  EXPECT_EQ(t.size(), 12u);  // 𠮷 is two UTF-16 units
  EXPECT_EQ(ToUtf8(t), s);
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xff" "b"), u"a\uFFFDb");
  EXPECT_EQ(FromUtf8("\xe6\x98"), u"\uFFFD\uFFFD");
  EXPECT_EQ(FromUtf8("\xc0\xaf"), u"\uFFFD\uFFFD");  // overlong
  EXPECT_EQ(ToUtf8(Text(1, char16_t(0xD800))), "\xef\xbf\xbd");
}

TEST(Case, LowersAndUppersLettersOnly) {
  EXPECT_EQ(LowerCase(u"NewPage"), u"newpage");
  EXPECT_EQ(LowerCase(u"vbPRPSA4"), u"vbprpsa4");
  EXPECT_EQ(LowerCase(u"ＡＢ縦"), u"ａｂ縦");
  EXPECT_EQ(UpperCase(u"a1234b"), u"A1234B");
  EXPECT_EQ(UpperCase(u"ａｂc#"), u"ＡＢC#");
  EXPECT_EQ(UpperCase(u"àé"), u"ÀÉ");
}

TEST(Case, ComparedLowerCasedWithoutACopy) {
  const std::pair<TextView, TextView> equal[] = {
      {u"NewPage", u"newpage"}, {u"PRNTEXT", u"prntext"}, {u"ＡＢ縦", u"ａｂ縦"}, {u"", u""}, {u"ÀÉ", u"àé"}};
  for (const auto& [text, lowered] : equal) {
    EXPECT_TRUE(EqualsLowerCased(text, lowered)) << ToUtf8(text);
    EXPECT_EQ(LowerCase(text), lowered);
  }
  const std::pair<TextView, TextView> different[] = {
      {u" newpage", u"newpage"}, {u"newpage", u"NEWPAGE"}, {u"newpag", u"newpage"}, {u"ＡＢ", u"ab"}};
  for (const auto& [text, lowered] : different) {
    EXPECT_FALSE(EqualsLowerCased(text, lowered)) << ToUtf8(text);
  }
  for (char16_t c = 0; c < 0x0500; ++c) {
    ASSERT_EQ(Text(1, LowerCaseChar(c)), LowerCase(Text(1, c))) << static_cast<int>(c);
  }
}

TEST(Trim, RemovesBlanksOnlyAtTheEnds) {
  EXPECT_EQ(TrimmedBlanks(u"  Office A  "), u"Office A");
  EXPECT_EQ(TrimmedBlanks(u"   "), u"");
  EXPECT_EQ(TrimBlanks(u"  Office A  "), u"Office A");
  EXPECT_EQ(TrimBlanks(u"\tOffice"), u"\tOffice");
  EXPECT_EQ(TrimBlanks(u"   "), u"");
  EXPECT_EQ(TrimBlanks(u"　全角"), u"　全角");  // the ideographic space is not a blank
}

TEST(Split, KeepsEmptyParts) {
  EXPECT_EQ(SplitAt(u"", u',').size(), 1u);
  EXPECT_EQ(SplitAt(u"a,", u','), (std::vector<Text>{u"a", u""}));
  EXPECT_EQ(SplitAt(u"a, ,b", u','), (std::vector<Text>{u"a", u" ", u"b"}));
}

TEST(ReplaceText, ReplacesNonOverlappingLeftToRight) {
  EXPECT_EQ(ReplaceText(u"a,,,b", u",,", u"$カンマ$"), u"a$カンマ$,b");
  EXPECT_EQ(ReplaceText(u",,,,", u",,", u"X"), u"XX");
  EXPECT_EQ(ReplaceText(u"abc", u"", u"X"), u"abc");
  EXPECT_EQ(ReplaceText(u"aAa", u"a", u"b"), u"bAb");
}

TEST(ReplaceText, AMatchBeyondPosition32767Overflows) {
  Text source(32766, u'x');
  source += u",,";  // match at position 32767 (counted from 1): still in range
  EXPECT_NO_THROW(ReplaceText(source, u",,", u"."));
  source.insert(0, u"y");  // now the match starts at 32768
  EXPECT_THROW(ReplaceText(source, u",,", u"."), Failure);
  EXPECT_NO_THROW(ReplaceText(Text(40000, u'x'), u",,", u"."));  // no match, no failure
}

}  // namespace
}  // namespace vant
