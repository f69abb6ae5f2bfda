// Data no one should send: every case ends in the system's refusal or an overflow
// failure, never in a crash, and the target keeps its unit.
#include <gtest/gtest.h>

#include "bar_marks.h"
#include "draw/method_commands.h"
#include "barcode/code39.h"
#include "barcode/jan13.h"
#include "barcode/nw7.h"
#include "common/failure.h"
#include "draw_symbols.h"
#include "fake_platform.h"

namespace vant {
namespace {

using test::FakePlatform;
using test::FillsOf;
using test::TextsOf;

class BadInputTest : public ::testing::Test {
 protected:
  std::optional<Text> Print(std::initializer_list<Text> fields) {
    MethodRec m;
    size_t i = 0;
    for (const Text& f : fields) m.field[i++] = f;
    return FindCommand(MethodCommands(), m.field[0])->marks->print(platform.printer, m, nullptr);
  }
  test::RecordingDevice& Marks() { return platform.Current().Marks(); }
  FakePlatform platform;
};

TEST_F(BadInputTest, ThousandsOfCharactersWithTextOverflowTheBarWidth) {
  // 5002 characters of 13 modules: the bar width is beyond 16 bits.
  const Text data(5000, u'A');
  EXPECT_THROW(Print({u"prncode39", u"0", u"0", data, u"1440", u"1440", u"true"}), Failure);
  EXPECT_EQ(platform.Current().ScaleMode(), kScaleTwips);
  EXPECT_TRUE(FillsOf(Marks()).empty());
  const Text nw7 = u"A" + Text(3000, u'1') + u"B";
  EXPECT_THROW(Print({u"prnnw7", u"0", u"0", nw7, u"1440", u"1440", u"true"}), Failure);
}

TEST_F(BadInputTest, ThousandsOfCharactersWithoutTextArePainted) {
  const Text data(5000, u'A');
  ASSERT_EQ(Print({u"prncode39", u"0", u"0", data, u"1440", u"1440", u"false", u"false"}), kPainted);
  // One box per bar module: A and * have seven each.
  EXPECT_EQ(FillsOf(Marks()).size(), 5002u * 7);
}

TEST_F(BadInputTest, ThousandsOfDigitsForJan) {
  // As a number, 400 digits are beyond the double range.
  EXPECT_THROW(Print({u"prnjan13", u"0", u"0", Text(400, u'9'), u"1440", u"144"}), Failure);
  // 300 digits are a number in exponent form, not plain digits.
  EXPECT_EQ(Print({u"prnjan13", u"0", u"0", Text(300, u'9'), u"1440", u"144"}), Refused(u"データが不正です。1E+300"));
  // Handed straight to the encoder, the digits are cut to twelve.
  test::RecordingPicture pic(400, 300);
  ASSERT_EQ(DrawJan13(pic.picture, 0, 0, Text(5000, u'7'), 218, 40, true), kPainted);
  const auto texts = TextsOf(pic.device);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text + texts[1].text + texts[2].text, u"7777777777772");
}

TEST_F(BadInputTest, AWidthThatOverflowsTheModuleWidth) {
  platform.printer.SetScaleMode(kScaleCentimeters);
  // 32767 cm at 600 dpi is 7.7 million pixels: 71000 pixels a module.
  EXPECT_THROW(Print({u"prnjan13", u"0", u"0", u"1", u"32767", u"1"}), Failure);
  EXPECT_THROW(Print({u"prnnw7", u"0", u"0", u"A1B", u"32767", u"1"}), Failure);
  EXPECT_EQ(platform.Current().ScaleMode(), kScaleCentimeters);
  EXPECT_EQ(platform.Current().DrawWidth(), 1);
  EXPECT_TRUE(Marks().marks.empty());
}

TEST_F(BadInputTest, APositionBeyondTheDevice) {
  EXPECT_THROW(Print({u"prnnw7", u"1e38", u"0", u"A1B", u"1440", u"144"}), Failure);
  EXPECT_THROW(Print({u"prnnw7", u"0", u"1e39", u"A1B", u"1440", u"144"}), Failure);
  EXPECT_EQ(platform.Current().ScaleMode(), kScaleTwips);
}

TEST_F(BadInputTest, FullWidthDigits) {
  // Not a number for the JAN methods: encoded as 0.
  ASSERT_EQ(Print({u"prnjan13", u"0", u"0", u"４９０１２３", u"1440", u"144", u"true"}), kPainted);
  ASSERT_EQ(TextsOf(Marks()).size(), 3u);
  EXPECT_EQ(TextsOf(Marks())[1].text, u"000000");
  EXPECT_EQ(Print({u"prnnw7", u"0", u"0", u"A１B", u"1440", u"144"}), Refused(u"不正な文字１があるため処理できません。A１0B"));
  EXPECT_EQ(Print({u"prncode39", u"0", u"0", u"１", u"1440", u"144", u"", u"false"}),
            Refused(u"不正な文字１があるため処理できません。*１*"));
}

TEST_F(BadInputTest, ControlCharacters) {
  EXPECT_EQ(Print({u"prnnw7", u"0", u"0", u"A\u0001B", u"1440", u"144", u"", u"false"}),
            Refused(u"不正な文字\u0001があるため処理できません。A\u0001B"));
  EXPECT_EQ(Print({u"prncode39", u"0", u"0", u"A\r\nB", u"1440", u"144", u"", u"false"}),
            Refused(u"不正な文字\rがあるため処理できません。*A\r\nB*"));
  EXPECT_EQ(Print({u"prnnw7", u"0", u"0", Text(1, u'\0'), u"1440", u"144"}),
            Refused(u"A,B,C,Dいづれかのスタート、ストップコードが必要です。" + Text(1, u'\0')));
  // Tabs and line feeds inside a number are ignored: 12.
  ASSERT_EQ(Print({u"prnjan8", u"0", u"0", u"\t1\n2", u"1440", u"144", u"true"}), kPainted);
  EXPECT_EQ(TextsOf(Marks()).front().text, u"1200");
}

TEST_F(BadInputTest, EmptyData) {
  ASSERT_EQ(Print({u"prnjan13", u"0", u"0", u"", u"1440", u"144", u"true"}), kPainted);
  EXPECT_EQ(TextsOf(Marks()).front().text, u"0");
  EXPECT_EQ(Print({u"prnnw7", u"0", u"0", u"", u"1440", u"144"}), Refused(u"データが空です｡"));
  EXPECT_EQ(Print({u"prncode39"}), Refused(u"データが空です｡"));
}

TEST_F(BadInputTest, OnlyTheCommand) {
  // Position 0, width 0 (one pixel a module), height 0 (one pixel), no text.
  ASSERT_EQ(Print({u"prnjan8"}), kPainted);
  const auto fills = FillsOf(Marks());
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills.front().x1, 7);
  EXPECT_EQ(fills.front().x2, 1);
  EXPECT_EQ(fills.front().y2, 1);
  EXPECT_TRUE(TextsOf(Marks()).empty());
}

TEST_F(BadInputTest, ManyInvalidCharactersMakeTheCheckSumNegative) {
  const Text data = u"A" + Text(2000, u'#') + u"B";
  EXPECT_EQ(Print({u"prnnw7", u"0", u"0", data, u"1440", u"144"}), Refused(u"不正な文字#があるため処理できません。" + data));
  EXPECT_EQ(Print({u"prncode39", u"0", u"0", Text(2000, u'_'), u"1440", u"144"}),
            Refused(u"不正な文字_があるため処理できません。*" + Text(2000, u'_') + u"*"));
}

}  // namespace
}  // namespace vant
