#include "barcode/jan_digits.h"

#include <gtest/gtest.h>

#include "barcode/barcode_state.h"

namespace vant {
namespace {

class MakeJanDigitsTest : public ::testing::Test {
 protected:
  void SetUp() override { BarcodeErrorText() = u"before"; }
};

TEST_F(MakeJanDigitsTest, EmptyDataIsRefusedWithTheHalfWidthFullStop) {
  EXPECT_EQ(MakeJanDigits(u"", true), u"");
  EXPECT_EQ(BarcodeErrorText(), u"データが空です\uFF61");
  EXPECT_EQ(BarcodeErrorText().back(), u'\uFF61');  // not the ideographic full stop
  BarcodeErrorText() = u"before";
  EXPECT_EQ(MakeJanDigits(u"", false), u"");
  EXPECT_EQ(BarcodeErrorText(), u"データが空です｡");
}

TEST_F(MakeJanDigitsTest, AnythingButPlainDigitsIsRefusedNamingTheData) {
  for (const Text data : {u"-5", u"1.5", u"1E+15", u"12a4", u" 123", u"１２３", u"12\t3"}) {
    BarcodeErrorText() = u"before";
    EXPECT_EQ(MakeJanDigits(data, true), u"") << ToUtf8(data);
    EXPECT_EQ(BarcodeErrorText(), u"データが不正です。" + data);
    BarcodeErrorText() = u"before";
    EXPECT_EQ(MakeJanDigits(data, false), u"");
    EXPECT_EQ(BarcodeErrorText(), u"データが不正です。" + data);
  }
}

TEST_F(MakeJanDigitsTest, ShortDataIsPaddedWithZerosOnTheRight) {
  EXPECT_EQ(MakeJanDigits(u"123", false), u"12300006");
  EXPECT_EQ(MakeJanDigits(u"0", true), u"0000000000000");
  EXPECT_EQ(MakeJanDigits(u"0", false), u"00000000");
  EXPECT_EQ(MakeJanDigits(u"49", true), u"4900000000009");
}

TEST_F(MakeJanDigitsTest, CheckDigitIsComputedAndAppended) {
  EXPECT_EQ(MakeJanDigits(u"4901234", false), u"49012347");
  EXPECT_EQ(MakeJanDigits(u"490123456789", true), u"4901234567894");
  EXPECT_EQ(MakeJanDigits(u"400638133393", true), u"4006381333931");
}

TEST_F(MakeJanDigitsTest, AGivenCheckDigitIsCutOffAndRecomputed) {
  EXPECT_EQ(MakeJanDigits(u"4901234567890", true), u"4901234567894");
  EXPECT_EQ(MakeJanDigits(u"4901234567894", true), u"4901234567894");
  EXPECT_EQ(MakeJanDigits(u"49012340", false), u"49012347");
  EXPECT_EQ(MakeJanDigits(u"490123456789012345", true), u"4901234567894");
}

TEST_F(MakeJanDigitsTest, SuccessLeavesTheLastMessage) {
  BarcodeErrorText() = u"データが不正です。x";
  EXPECT_EQ(MakeJanDigits(u"1", true).size(), 13u);
  EXPECT_EQ(BarcodeErrorText(), u"データが不正です。x");
}

TEST(JanCheckDigit, IsTheModulo10CheckWithWeightThreeFromTheRight) {
  EXPECT_EQ(JanCheckDigit(u"000000000000"), u'0');
  EXPECT_EQ(JanCheckDigit(u"1"), u'7');        // 3 x 1 = 3
  EXPECT_EQ(JanCheckDigit(u"10"), u'9');       // 1 x 1 = 1
  EXPECT_EQ(JanCheckDigit(u"5"), u'5');        // 15 -> r 5
  EXPECT_EQ(JanCheckDigit(u"9638507"), u'4');  // a known JAN-8 symbol 96385074
}

}  // namespace
}  // namespace vant
