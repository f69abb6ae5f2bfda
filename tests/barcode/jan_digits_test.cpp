#include "barcode/jan_digits.h"

#include <gtest/gtest.h>

#include "draw_symbols.h"
#include "fake_platform.h"

namespace vant {
namespace {

// The digits alone, for the cases that complete them.
Text MakeJanDigits(TextView data, bool longForm) { return CompleteJanDigits(data, longForm).digits; }

TEST(CompleteJanDigits, EmptyDataIsRefusedWithTheHalfWidthFullStop) {
  const JanDigits jan13 = CompleteJanDigits(u"", true);
  EXPECT_EQ(jan13.digits, u"");
  EXPECT_EQ(jan13.refusal, u"データが空です\uFF61");
  EXPECT_EQ(jan13.refusal.back(), u'\uFF61');  // not the ideographic full stop
  const JanDigits jan8 = CompleteJanDigits(u"", false);
  EXPECT_EQ(jan8.digits, u"");
  EXPECT_EQ(jan8.refusal, u"データが空です｡");
}

TEST(CompleteJanDigits, AnythingButPlainDigitsIsRefusedNamingTheData) {
  for (const Text data : {u"-5", u"1.5", u"1E+15", u"12a4", u" 123", u"１２３", u"12\t3"}) {
    for (const bool longForm : {true, false}) {
      const JanDigits jan = CompleteJanDigits(data, longForm);
      EXPECT_EQ(jan.digits, u"") << ToUtf8(data);
      EXPECT_EQ(jan.refusal, u"データが不正です。" + data);
    }
  }
}

TEST(CompleteJanDigits, ShortDataIsPaddedWithZerosOnTheRight) {
  EXPECT_EQ(MakeJanDigits(u"123", false), u"12300006");
  EXPECT_EQ(MakeJanDigits(u"0", true), u"0000000000000");
  EXPECT_EQ(MakeJanDigits(u"0", false), u"00000000");
  EXPECT_EQ(MakeJanDigits(u"49", true), u"4900000000009");
}

TEST(CompleteJanDigits, CheckDigitIsComputedAndAppended) {
  EXPECT_EQ(MakeJanDigits(u"4901234", false), u"49012347");
  EXPECT_EQ(MakeJanDigits(u"490123456789", true), u"4901234567894");
  EXPECT_EQ(MakeJanDigits(u"400638133393", true), u"4006381333931");
}

TEST(CompleteJanDigits, AGivenCheckDigitIsCutOffAndRecomputed) {
  EXPECT_EQ(MakeJanDigits(u"4901234567890", true), u"4901234567894");
  EXPECT_EQ(MakeJanDigits(u"4901234567894", true), u"4901234567894");
  EXPECT_EQ(MakeJanDigits(u"49012340", false), u"49012347");
  EXPECT_EQ(MakeJanDigits(u"490123456789012345", true), u"4901234567894");
}

TEST(CompleteJanDigits, CompletedDigitsCarryNoRefusal) {
  EXPECT_EQ(CompleteJanDigits(u"1", true).refusal, u"");
  EXPECT_EQ(CompleteJanDigits(u"1", true).digits.size(), 13u);
}

TEST(DrawJan13, OnlyTheRefusedSymbolCarriesAMessage) {
  test::RecordingPicture pic(400, 200);
  EXPECT_EQ(DrawJan13(pic.picture, 0, 0, u"1", 218, 40, true), kPainted);
  EXPECT_EQ(DrawJan8(pic.picture, 0, 0, u"", 81, 30, true), Refused(u"データが空です｡"));
  // A success after a refusal says nothing of it.
  EXPECT_EQ(DrawJan13(pic.picture, 0, 0, u"1", 218, 40, true), kPainted);
}

}  // namespace
}  // namespace vant
