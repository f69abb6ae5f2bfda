#include "common/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "common/failure.h"

namespace vant {
namespace {

TEST(NumberFromText, TakesTheLongestLeadingNumber) {
  EXPECT_EQ(NumberFromText(u"12abc"), 12);
  EXPECT_EQ(NumberFromText(u"-3.5"), -3.5);
  EXPECT_EQ(NumberFromText(u"+7"), 7);
  EXPECT_EQ(NumberFromText(u".5"), 0.5);
  EXPECT_EQ(NumberFromText(u"1.2.3"), 1.2);
  EXPECT_EQ(NumberFromText(u"1e3"), 1000);
  EXPECT_EQ(NumberFromText(u"1D2"), 100);
  EXPECT_EQ(NumberFromText(u"2E"), 2);
  EXPECT_EQ(NumberFromText(u"2E+"), 2);
  EXPECT_EQ(NumberFromText(u"1.5E-1x"), 0.15);
}

TEST(NumberFromText, IgnoresBlanksTabsAndLineFeedsAnywhere) {
  EXPECT_EQ(NumberFromText(u"  1 2\t3\n"), 123);
  EXPECT_EQ(NumberFromText(u" - 4"), -4);
  // A carriage return is not ignored: it ends the number.
  EXPECT_EQ(NumberFromText(u"1\r2"), 1);
}

TEST(NumberFromText, YieldsZeroWithoutANumber) {
  EXPECT_EQ(NumberFromText(u""), 0);
  EXPECT_EQ(NumberFromText(u"abc"), 0);
  EXPECT_EQ(NumberFromText(u"-"), 0);
  EXPECT_EQ(NumberFromText(u"."), 0);
  EXPECT_EQ(NumberFromText(u"&"), 0);
  EXPECT_EQ(NumberFromText(u"１２"), 0);  // full-width digits are not digits here
}

TEST(NumberFromText, ReadsHexadecimalAndOctalAsThePlatformDoes) {
  EXPECT_EQ(NumberFromText(u"&HFF"), 255);
  EXPECT_EQ(NumberFromText(u"&hff"), 255);
  EXPECT_EQ(NumberFromText(u"&HFFFF"), -1);       // 16 bits: a 16-bit signed number
  EXPECT_EQ(NumberFromText(u"&H8000"), -32768);
  EXPECT_EQ(NumberFromText(u"&H10000"), 65536);   // 17 bits: 32-bit
  EXPECT_EQ(NumberFromText(u"&HFFFFFFFF"), -1);
  EXPECT_EQ(NumberFromText(u"&H0000FF"), 255);    // leading zeros do not widen it
  EXPECT_EQ(NumberFromText(u"&O17"), 15);
  EXPECT_EQ(NumberFromText(u"&O177777"), -1);
  EXPECT_EQ(NumberFromText(u"&HFFG"), 255);
  EXPECT_EQ(NumberFromText(u"&H"), 0);
}

TEST(NumberFromText, LongNumbersAndBlanksInsideTheExponent) {
  // Longer than any number a page needs: read all the same.
  EXPECT_EQ(NumberFromText(Text(100, u'0') + u"12.5" + Text(100, u'0')), 12.5);
  EXPECT_EQ(NumberFromText(u"1" + Text(80, u'0')), 1e80);
  EXPECT_TRUE(std::isinf(NumberFromText(u"0." + Text(70, u'0') + u"1E+7" + Text(70, u'0'))));
  EXPECT_EQ(NumberFromText(u"0." + Text(70, u'0') + u"1E71"), 1);
  EXPECT_EQ(NumberFromText(u"2 E - 1"), 0.2);
  EXPECT_EQ(NumberFromText(u"2e-x"), 2);
  EXPECT_EQ(NumberFromText(u"& H F F"), 255);
  EXPECT_EQ(NumberFromText(u"&X1"), 0);
}

TEST(NumberFromText, HugeExponentsBecomeInfinityThatConversionsRefuse) {
  EXPECT_TRUE(std::isinf(NumberFromText(u"1e999")));
  EXPECT_THROW(WholeInt16(NumberFromText(u"1e999")), Failure);
  EXPECT_THROW(ToSingle(NumberFromText(u"1e999")), Failure);
}

TEST(Rounding, TiesGoToTheEvenNumber) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3);
  EXPECT_EQ(RoundHalfEven(-0.4), 0);
}

TEST(WholeNumbers, OverflowOutsideTheirWidth) {
  EXPECT_EQ(WholeInt16(32767.4), 32767);
  EXPECT_EQ(WholeInt16(-32768.5), -32768);  // the tie rounds to the even -32768
  EXPECT_THROW(WholeInt16(32767.5), Failure);
  EXPECT_THROW(WholeInt16(-32769), Failure);
  EXPECT_EQ(WholeInt32(2147483647), 2147483647);
  EXPECT_THROW(WholeInt32(2147483648.0), Failure);
  try {
    WholeInt16(1e6);
    FAIL();
  } catch (const Failure& f) {
    EXPECT_EQ(f.Description(), u"オーバーフローしました。");
  }
}

TEST(DecimalTexts, SinglesHaveUpToSevenSignificantDigits) {
  EXPECT_EQ(SingleText(0), u"0");
  EXPECT_EQ(SingleText(-0.0f), u"0");
  EXPECT_EQ(SingleText(1.5f), u"1.5");
  EXPECT_EQ(SingleText(151.1811f), u"151.1811");
  EXPECT_EQ(SingleText(1234567), u"1234567");
  EXPECT_EQ(SingleText(12345678), u"1.234568E+07");
  EXPECT_EQ(SingleText(0.0001f), u"0.0001");
  EXPECT_EQ(SingleText(0.00001f), u"1E-05");
  EXPECT_EQ(SingleText(-2.25f), u"-2.25");
}

TEST(DecimalTexts, ReadBackByNumberFromTextAsTheSameSingle) {
  for (float v : {0.1f, 3.14159274f, 151.181107f, -75.5905533f, 1e-7f, 3.4e38f, 96.0f}) {
    const float back = ToSingle(NumberFromText(SingleText(v)));
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-6f) << ToUtf8(SingleText(v));
    EXPECT_EQ(SingleText(back), SingleText(v));
  }
}

// The copies of the preview keep each number as its decimal text reads back; the typed
// copies round the same way without making the text.
TEST(AsWritten, RoundsAsTheDecimalTextReadsBack) {
  const float singles[] = {0.0F, -0.0F, 1.0F, 151.18110F, 226.77165F, 1587.9999F, 0.1F, -2.5F,
                           1.2345678e7F, 9.9999999e-6F, 3.4028235e38F, 1e-45F, -7.0e-12F,
                           12345.678F, 0.333333343F};
  for (const float v : singles) {
    EXPECT_EQ(SingleAsWritten(v), ToSingle(NumberFromText(SingleText(v)))) << v;
  }
  // Every float between two neighbours with many digits, and a spread over the range.
  for (float v = 1000.0F; v < 1000.5F; v = std::nextafter(v, 2000.0F)) {
    ASSERT_EQ(SingleAsWritten(v), ToSingle(NumberFromText(SingleText(v)))) << v;
  }
  for (double v = 1e-30; v < 1e30; v *= 1.37) {
    const auto f = static_cast<float>(v);
    ASSERT_EQ(SingleAsWritten(f), ToSingle(NumberFromText(SingleText(f)))) << f;
    ASSERT_EQ(SingleAsWritten(-f), ToSingle(NumberFromText(SingleText(-f)))) << -f;
  }
  // Seven digits are fewer than a single needs: the rounding shows.
  EXPECT_NE(SingleAsWritten(1000.0001F), 1000.0001F);
  EXPECT_EQ(SingleAsWritten(1000.0001F), 1000.0F);

  const double doubles[] = {0.0, 12, 23.999999999999996, 0.1 + 0.2, 1.0 / 3, 2160, -1e300,
                            1.7976931348623157e308, 4.9e-324};
  for (const double v : doubles) {
    const double read = NumberFromText(DoubleText(v));
    if (std::isinf(read)) {
      EXPECT_TRUE(std::isinf(DoubleAsWritten(v))) << v;  // the largest doubles write above the range
    } else {
      EXPECT_EQ(DoubleAsWritten(v), read) << v;
    }
  }
  EXPECT_EQ(DoubleAsWritten(0.1 + 0.2), 0.3);
}

TEST(DecimalTexts, DoublesHaveUpToFifteenDigits) {
  EXPECT_EQ(DoubleText(4901234567894.0), u"4901234567894");
  EXPECT_EQ(DoubleText(999999999999999.0), u"999999999999999");
  EXPECT_EQ(DoubleText(1e15), u"1E+15");
  EXPECT_EQ(DoubleText(-5), u"-5");
  EXPECT_EQ(DoubleText(10.5), u"10.5");
}

// The window toolkit sets the process locale to the user's; a decimal-comma locale must
// change neither how numbers are read nor how the converted copies write them.
class InDecimalCommaLocale : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing: scripts/install-test-deps.sh generates it";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
  }
  void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }

 private:
  std::string saved_;
};

TEST_F(InDecimalCommaLocale, NumbersReadWithTheDecimalPoint) {
  const struct {
    int line;
    std::u16string text;
    double value;
  } rows[] = {
      {__LINE__, u"12.5", 12.5},
      {__LINE__, u"10.5pt", 10.5},
      {__LINE__, u"-0.25", -0.25},
      {__LINE__, u"1.5E-1", 0.15},
      {__LINE__, u"12,5", 12},  // the comma is not a decimal point in any locale
  };
  for (const auto& r : rows) EXPECT_EQ(NumberFromText(r.text), r.value) << "line " << r.line;
  EXPECT_TRUE(std::isinf(NumberFromText(u"-1e999")));
  EXPECT_LT(NumberFromText(u"-1e999"), 0);
  EXPECT_EQ(NumberFromText(u"1e-999"), 0);
}

TEST_F(InDecimalCommaLocale, DecimalTextsWriteTheDecimalPoint) {
  EXPECT_EQ(SingleText(151.1811f), u"151.1811");
  EXPECT_EQ(SingleText(12345678), u"1.234568E+07");
  EXPECT_EQ(SingleText(0.00001f), u"1E-05");
  EXPECT_EQ(DoubleText(10.5), u"10.5");
  EXPECT_EQ(DoubleText(1e15), u"1E+15");
  EXPECT_EQ(ToSingle(NumberFromText(SingleText(-75.5905533f))), -75.5905533f);
}

TEST(Flags, OnlyTrueInAnyCaseIsTrue) {
  EXPECT_TRUE(FlagFromText(u"true"));
  EXPECT_TRUE(FlagFromText(u"TRUE"));
  EXPECT_TRUE(FlagFromText(u"True"));
  EXPECT_FALSE(FlagFromText(u" true"));
  EXPECT_FALSE(FlagFromText(u"1"));
  EXPECT_FALSE(FlagFromText(u"-1"));
  EXPECT_FALSE(FlagFromText(u"yes"));
  EXPECT_FALSE(FlagFromText(u""));
}

TEST(Flags, AWrittenFlagReadsBack) {
  for (const bool flag : {true, false}) {
    EXPECT_EQ(FlagFromText(FlagText(flag)), flag);
    EXPECT_EQ(LowerCase(FlagText(flag)) != u"false", flag);  // as the check character reads it
  }
}

}  // namespace
}  // namespace vant
