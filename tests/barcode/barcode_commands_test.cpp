#include "barcode/barcode_commands.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "bar_marks.h"
#include "barcode/jan13.h"
#include "common/failure.h"
#include "common/numbers.h"
#include "draw/method_commands.h"
#include "draw_symbols.h"
#include "engine/page_record.h"
#include "fake_platform.h"
#include "method_of.h"

namespace vant {
namespace {

using test::Method;

using test::FakePlatform;
using test::FillsOf;
using test::Mark;
using test::RecordingPicture;
using test::TextsOf;

// The command table's row of a method's command.
const CommandRow& RowOf(const MethodRec& method) {
  const CommandRow* row = FindCommand(MethodCommands(), method.field[0]);
  if (row == nullptr || row->marks == nullptr) throw std::logic_error("not a drawing command");
  return *row;
}

TEST(BarcodeCommands, TheFourCommandsOfTheBarcodeKind) {
  for (const TextView c : {u"prnjan13", u"prnjan8", u"prnnw7", u"prncode39", u"prnJan13"}) {
    const CommandRow* row = FindCommand(MethodCommands(), c);
    ASSERT_NE(row, nullptr) << ToUtf8(c);
    EXPECT_EQ(row->kind, CommandKind::kBarcode) << ToUtf8(c);
  }
  for (const TextView c : {u"prnbox", u"prnjan", u"prncode3", u"", u"prnnw7 "}) {
    const CommandRow* row = FindCommand(MethodCommands(), c);
    EXPECT_TRUE(row == nullptr || row->kind != CommandKind::kBarcode) << ToUtf8(c);
  }
}

class PrintBarcodeTest : public ::testing::Test {
 protected:
  // The printer measures in twips: 1440 twips = 600 pixels.
  std::optional<Text> Print(std::initializer_list<Text> fields) {
    const MethodRec m = Method(fields);
    return RowOf(m).marks->print(platform.printer, m, nullptr);
  }
  std::vector<Text> PrintedTexts() {
    std::vector<Text> texts;
    for (const Mark& t : TextsOf(platform.Current().Marks())) texts.push_back(t.text);
    return texts;
  }
  FakePlatform platform;
};

TEST_F(PrintBarcodeTest, Jan13InThePrintersUnit) {
  ASSERT_EQ(Print({u"prnjan13", u"1440", u"720", u"490123456789", u"1440", u"144", u"true"}), kPainted);
  const auto fills = FillsOf(platform.Current().Marks());
  ASSERT_FALSE(fills.empty());
  // x 600 pixels, m = 6 for 600 pixels over 109 modules, bars from 600 + 7 x 6.
  EXPECT_EQ(fills.front().x1, 642);
  EXPECT_EQ(fills.front().y1, 300);
  EXPECT_EQ(test::ModulesFromFills(fills, 642, 6, 95), Jan13Modules(u"4901234567894"));
  EXPECT_EQ(PrintedTexts(), (std::vector<Text>{u"4", u"901234", u"567894"}));
  EXPECT_EQ(platform.Current().ScaleMode(), kScaleTwips);
}

TEST_F(PrintBarcodeTest, JanDataIsReadAsANumber) {
  // Leading zeros are lost: 00123 is 123, padded on the right.
  ASSERT_EQ(Print({u"prnjan13", u"0", u"0", u"00123", u"1440", u"144", u"TRUE"}), kPainted);
  EXPECT_EQ(PrintedTexts(), (std::vector<Text>{u"1", u"230000", u"000000"}));
}

TEST_F(PrintBarcodeTest, JanFieldWithoutANumberIsZero) {
  for (const Text data : {u"", u"abc", u"１２３"}) {
    platform.Current().Marks().marks.clear();
    ASSERT_EQ(Print({u"prnjan8", u"0", u"0", data, u"1440", u"144", u"true"}), kPainted) << ToUtf8(data);
    EXPECT_EQ(PrintedTexts(), (std::vector<Text>{u"0000", u"0000"}));
  }
}

TEST_F(PrintBarcodeTest, JanNumbersThatAreNotPlainDigitsAreRefused) {
  const std::pair<Text, Text> cases[] = {
      {u"-5", u"-5"}, {u"12.5", u"12.5"}, {u"1e15", u"1E+15"}, {u"&HFFFF", u"-1"}};
  for (const auto& [field, text] : cases) {
    EXPECT_EQ(Print({u"prnjan13", u"0", u"0", field, u"1440", u"144", u"true"}), Refused(u"データが不正です。" + text));
  }
  EXPECT_TRUE(platform.Current().Marks().marks.empty());
}

TEST_F(PrintBarcodeTest, ACheckCharacterUnlessFieldSevenIsFalse) {
  const std::pair<Text, Text> cases[] = {{u"", u"A12345B"},      {u"false", u"A1234B"},
                                         {u"FaLsE", u"A1234B"},  {u"no", u"A12345B"},
                                         {u"0", u"A12345B"},     {u" false", u"A12345B"},
                                         {u"true", u"A12345B"}};
  for (const auto& [field, text] : cases) {
    platform.Current().Marks().marks.clear();
    ASSERT_EQ(Print({u"prnnw7", u"0", u"0", u"a1234b", u"1440", u"144", u"true", field}), kPainted);
    EXPECT_EQ(PrintedTexts(), std::vector<Text>{text}) << ToUtf8(field);
  }
}

TEST_F(PrintBarcodeTest, TextOnlyWhenFieldSixIsTrue) {
  const std::pair<Text, bool> cases[] = {{u"True", true}, {u"TRUE", true}, {u"", false},
                                         {u" true", false}, {u"1", false}, {u"-1", false}};
  for (const auto& [field, shown] : cases) {
    platform.Current().Marks().marks.clear();
    ASSERT_EQ(Print({u"prncode39", u"0", u"0", u"abc", u"1440", u"144", field, u"false"}), kPainted);
    EXPECT_EQ(PrintedTexts().size(), shown ? 1u : 0u) << ToUtf8(field);
    if (shown) {
      EXPECT_EQ(PrintedTexts()[0], u"*ABC*");
    }
  }
}

TEST_F(PrintBarcodeTest, RefusedDataReturnsFalseWithTheMessage) {
  EXPECT_EQ(Print({u"prnnw7", u"0", u"0", u"1234", u"1440", u"144"}),
            Refused(u"A,B,C,Dいづれかのスタート、ストップコードが必要です。1234"));
  EXPECT_EQ(Print({u"prncode39", u"0", u"0", u"A#Z", u"1440", u"144"}), Refused(u"不正な文字#があるため処理できません。*A#Z1*"));
  EXPECT_TRUE(platform.Current().Marks().marks.empty());
}

TEST_F(PrintBarcodeTest, WholeNumberFieldsOverflow) {
  EXPECT_THROW(Print({u"prnjan13", u"0", u"0", u"1", u"40000", u"144"}), Failure);
  EXPECT_THROW(Print({u"prnjan13", u"0", u"0", u"1", u"144", u"-32769"}), Failure);
  EXPECT_THROW(Print({u"prnnw7", u"1e39", u"0", u"A1B", u"144", u"144"}), Failure);
}

class PreviewPageTest : public ::testing::Test {
 protected:
  const PageRec& Page() const { return page; }
  // Records the method in the page as the run does.
  void Record(std::initializer_list<Text> fields) {
    const MethodRec m = Method(fields);
    const CommandRow& row = RowOf(m);
    page.marks.push_back(PreviewMark{&row, row.marks->record(platform.printer, picture.picture, page, m, nullptr)});
  }
  const BarcodeValues& Recorded(size_t i) const { return std::get<BarcodeValues>(page.marks.at(i).values); }

  FakePlatform platform;
  PageRec page;  // the page being built
  RecordingPicture picture{800, 1100};
};

TEST_F(PreviewPageTest, CopyInPreviewPixelsWithTheFlagsWrittenOut) {
  platform.printer.SetScaleMode(kScaleMillimeters);
  Record({u"prnnw7", u"10", u"20", u"a1b", u"30", u"15", u"TRUE", u"no", u"x", u"y"});
  ASSERT_EQ(Page().marks.size(), 1u);
  EXPECT_EQ(Page().marks[0].command, FindCommand(MethodCommands(), u"prnnw7"));
  const BarcodeValues& copy = Recorded(0);
  EXPECT_EQ(SingleText(copy.x), u"75.59055");  // 10 mm at 96 dpi, times 2
  EXPECT_EQ(SingleText(copy.y), u"151.1811");
  EXPECT_EQ(copy.data, u"a1b");                // as written: nothing is validated here
  EXPECT_EQ(copy.width, 227);                  // 30 mm = 113.39 pixels, times 2
  EXPECT_EQ(copy.height, 113);                 // 15 mm = 56.69 pixels, times 2
  EXPECT_TRUE(copy.showText);
  EXPECT_TRUE(copy.check);
  EXPECT_TRUE(Page().shown);
  EXPECT_TRUE(picture.device.marks.empty());
}

TEST_F(PreviewPageTest, JanCopyCarriesTheNumberAndNoCheckFlag) {
  // Twips: 1440 = 1 inch = 96 picture pixels, times 2.
  Record({u"prnjan13", u"1440", u"720", u"00123", u"1440", u"144", u"", u"false"});
  EXPECT_EQ(Page().marks[0].command, FindCommand(MethodCommands(), u"prnjan13"));
  const BarcodeValues& copy = Recorded(0);
  EXPECT_EQ(copy.x, 192);
  EXPECT_EQ(copy.y, 96);
  EXPECT_EQ(copy.data, u"123");
  EXPECT_EQ(copy.width, 192);
  EXPECT_EQ(copy.height, 19);  // 9.6 x 2 = 19.2
  EXPECT_FALSE(copy.showText);
  EXPECT_FALSE(copy.check);  // the JAN check digit is always computed
}

TEST_F(PreviewPageTest, InvalidDataIsRecordedWithoutAMessage) {
  Record({u"prncode39", u"0", u"0", u"#", u"100", u"100", u"", u"FALSE"});
  EXPECT_EQ(Recorded(0).data, u"#");
  EXPECT_FALSE(Recorded(0).check);
}

TEST_F(PreviewPageTest, ShownOnlyWhenTheAnchorLiesOnThePicture) {
  // 800 x 1100 picture pixels are 6000 x 8250 twips at twice the density.
  Record({u"prnjan8", u"5999", u"8249", u"1", u"100", u"100"});
  EXPECT_TRUE(Page().shown);
  page.shown = false;
  Record({u"prnjan8", u"6000", u"100", u"1", u"100", u"100"});
  EXPECT_FALSE(Page().shown);
  Record({u"prnjan8", u"100", u"8250", u"1", u"100", u"100"});
  EXPECT_FALSE(Page().shown);
  Record({u"prnjan8", u"-500", u"-500", u"1", u"100", u"100"});
  EXPECT_TRUE(Page().shown);
  EXPECT_EQ(Page().marks.size(), 4u);
}

TEST_F(PreviewPageTest, SizeBeyondSixteenBitsOverflows) {
  platform.printer.SetScaleMode(kScaleMillimeters);
  EXPECT_THROW(Record({u"prnnw7", u"0", u"0", u"A1B", u"5000", u"10"}), Failure);
  EXPECT_TRUE(Page().marks.empty());
}

class RenderBarcodeTest : public ::testing::Test {
 protected:
  RenderBarcodeTest() {
    page.printerPixelFactorX = 3.125f;  // 600 dpi printer, 96 dpi picture at twice its density
    page.printerPixelFactorY = 3.125f;
  }
  // Replays a recorded symbol of the command as a preview page does.
  void Render(TextView command, const BarcodeValues& mark) {
    const CommandRow* row = FindCommand(MethodCommands(), command);
    ASSERT_NE(row, nullptr);
    row->marks->replay(mark, ReplaySurfaces{picture.picture, page, scratch.picture});
  }
  // The block copy onto the page picture; fails the test when there is none.
  const Mark& Stretch() const {
    for (const Mark& mark : picture.device.marks) {
      if (mark.kind == Mark::kStretch) return mark;
    }
    throw std::logic_error("no block copy onto the page");
  }

  PageRec page;
  RecordingPicture picture{1600, 2200};
  RecordingPicture scratch{10, 10};
};

TEST_F(RenderBarcodeTest, PaintsOnTheClearedScratchAndCopiesItShrunk) {
  scratch.picture.Line(0, 0, 5, 5, 0, LineKind::kFilledBox);  // left from an earlier barcode
  Render(u"prncode39", {12.5F, 40, u"abc", 200, 50, true, true});
  ASSERT_FALSE(scratch.device.marks.empty());
  EXPECT_EQ(scratch.device.marks.front().kind, Mark::kClear);
  const auto fills = FillsOf(scratch.device);
  // 200 x 3.125 = 625 pixels over 92 modules: m = 7, bars from the box's left edge.
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills.front().x1, 49);
  EXPECT_EQ(fills.front().x2, 7);
  EXPECT_EQ(fills.front().y2, 156);  // 50 x 3.125 = 156.25
  EXPECT_EQ(TextsOf(scratch.device).front().text, u"*ABCX*");

  const Mark& copy = Stretch();
  // The scratch grew to 92 x 7 = 644 wide and 156 + 158.75 (the text) = 315 high.
  EXPECT_EQ(copy.srcX, 0);
  EXPECT_EQ(copy.srcY, 0);
  EXPECT_EQ(copy.srcW, 644);
  EXPECT_EQ(copy.srcH, 315);
  EXPECT_EQ(copy.x1, 12);  // 12.5 to the even whole number
  EXPECT_EQ(copy.y1, 40);
  EXPECT_EQ(copy.x2, 200);
  EXPECT_EQ(copy.y2, 98);  // 315 x 200 / 644 = 97.8
  EXPECT_EQ(copy.source, &scratch.device);
  EXPECT_EQ(scratch.picture.Width(), 10);
  EXPECT_EQ(scratch.picture.Height(), 10);
}

TEST_F(RenderBarcodeTest, RefusedDataLeavesABlankAndNoFailure) {
  Render(u"prnnw7", {100, 200, u"1234", 200, 50, true, true});
  EXPECT_TRUE(FillsOf(scratch.device).empty());
  EXPECT_TRUE(TextsOf(scratch.device).empty());
  const Mark& copy = Stretch();
  EXPECT_EQ(copy.srcW, 10);
  EXPECT_EQ(copy.srcH, 10);
  EXPECT_EQ(copy.x1, 100);
  EXPECT_EQ(copy.y1, 200);
  EXPECT_EQ(copy.x2, 200);
  EXPECT_EQ(copy.y2, 200);  // the 10 x 10 box keeps its aspect
}

TEST_F(RenderBarcodeTest, JanCopyIsPaintedFromItsNumber) {
  Render(u"prnjan13", {0, 0, u"123", 200, 50, true, false});
  const auto texts = TextsOf(scratch.device);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text + texts[1].text + texts[2].text, u"1230000000000");
}

TEST_F(RenderBarcodeTest, ScaledSizeBeyondSixteenBitsOverflows) {
  EXPECT_THROW(Render(u"prnjan8", {0, 0, u"1", 20000, 50, false, false}), Failure);
  EXPECT_THROW(Render(u"prnjan8", {0, 0, u"1", 200, -20000, false, false}), Failure);
}

}  // namespace
}  // namespace vant
