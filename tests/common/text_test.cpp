#include "common/text.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "common/replace_text.h"

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

// Every kind of byte sequence, each beside ASCII so that the buffer's cut is seen too.
TEST(Utf, EachSequenceDecodesToItsCharacterOrOneReplacementPerByte) {
  const struct {
    int line;
    std::string utf8;
    Text text;
  } cases[] = {
      {__LINE__, "", u""},
      {__LINE__, "plain ascii", u"plain ascii"},
      {__LINE__, "x\xc3\xa9y", u"xéy"},                      // two bytes
      {__LINE__, "\xe6\x98\x8e\xe6\x9c\x9d", u"明朝"},         // three bytes
      {__LINE__, "<\xf0\xa0\xae\xb7>", u"<\U00020BB7>"},   // four bytes, two units
      {__LINE__, "\xf4\x8f\xbf\xbf", u"\U0010FFFF"},        // the last code point
      {__LINE__, "\xf4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond it
      {__LINE__, "\xed\xa0\x80z", u"\uFFFD\uFFFD\uFFFDz"},    // an encoded surrogate
      {__LINE__, "\xe0\x80\xaf", u"\uFFFD\uFFFD\uFFFD"},      // overlong
      {__LINE__, "a\xf0\xa0\xae", u"a\uFFFD\uFFFD\uFFFD"},     // cut off by the end
      {__LINE__, "\xc3(", u"\uFFFD("},                        // no continuation byte
      {__LINE__, "\x80\xbf", u"\uFFFD\uFFFD"},                 // continuation bytes alone
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(FromUtf8(c.utf8), c.text);
  }
}

TEST(Utf, EachUnitEncodesAsItsCharacterAndALoneSurrogateAsAReplacement) {
  const struct {
    int line;
    Text text;
    std::string utf8;
  } cases[] = {
      {__LINE__, u"", ""},
      {__LINE__, u"Aé明\U00020BB7", "A\xc3\xa9\xe6\x98\x8e\xf0\xa0\xae\xb7"},
      {__LINE__, Text{0xDC00, u'a'}, "\xef\xbf\xbd" "a"},          // a low half first
      {__LINE__, Text{u'a', 0xD800}, "a\xef\xbf\xbd"},            // a high half at the end
      {__LINE__, Text{0xD800, 0xD800, 0xDC00}, "\xef\xbf\xbd\xf0\x90\x80\x80"},
      {__LINE__, Text(3, u'\uFFFF'), "\xef\xbf\xbf\xef\xbf\xbf\xef\xbf\xbf"},  // three bytes a unit
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ToUtf8(c.text), c.utf8);
  }
}

TEST(Case, AStartIsComparedLowerCasedUnitByUnit) {
  const struct {
    int line;
    Text text;
    Text prefix;
    bool starts;
  } cases[] = {
      {__LINE__, u"METHOD1", u"method", true},   {__LINE__, u"MethodCnt", u"methodcnt", true},
      {__LINE__, u"metho", u"method", false},    {__LINE__, u"ＭＥＴＨＯＤ", u"method", false},
      {__LINE__, u"ＡＢ", u"ａｂ", true},          {__LINE__, u"", u"", true},
      {__LINE__, u"ÀX", u"àx", true},            {__LINE__, u"x", u"", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(StartsWithLowerCased(c.text, c.prefix), c.starts);
    EXPECT_EQ(LowerCase(c.text).starts_with(c.prefix), c.starts);  // what it stands for
  }
  for (char16_t unit : {u'A', u'z', u'Ø', u'Σ', u'Я', u'Ѐ', u'Ｚ', u'縦'}) {
    EXPECT_EQ(Text(1, LowerCaseUnit(unit)), LowerCase(Text(1, unit)));
  }
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
    ASSERT_EQ(Text(1, LowerCaseUnit(c)), LowerCase(Text(1, c))) << static_cast<int>(c);
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
  const Text shifted = Text(u"y") + source;  // now the match starts at 32768
  EXPECT_THROW(ReplaceText(shifted, u",,", u"."), Failure);
  EXPECT_NO_THROW(ReplaceText(Text(40000, u'x'), u",,", u"."));  // no match, no failure
}

}  // namespace
}  // namespace vant
