#include "draw/text_command.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "fake_platform.h"
#include "method_of.h"

namespace vant {
namespace {

using test::Method;

using test::Mark;

TEST(TextArgs, ConvertInFieldOrder) {
  // The texts are views into the method.
  const MethodRec method = Method({u"prntext", u"20", u"30.5", u"A,B", u"ＭＳ 明朝", u"12", u"TRUE", u"yes", u"&HFF"});
  const TextArgs a = ReadTextArgs(method);
  EXPECT_EQ(a.x, 20);
  EXPECT_EQ(a.y, 30.5f);
  EXPECT_EQ(a.text, u"A,B");
  EXPECT_EQ(a.fontName, u"ＭＳ 明朝");
  EXPECT_EQ(a.fontSize, 12);
  EXPECT_TRUE(a.italic);
  EXPECT_FALSE(a.bold);
  EXPECT_EQ(a.colour, 255);
}

TEST(TextArgs, OnlyTheCommandGivesZerosAndBlack) {
  const MethodRec method = Method({u"prntext"});
  const TextArgs a = ReadTextArgs(method);
  EXPECT_EQ(a.x, 0);
  EXPECT_EQ(a.fontSize, 0);
  EXPECT_EQ(a.text, u"");
  EXPECT_EQ(a.colour, 0);
  EXPECT_FALSE(a.italic);
}

TEST(TextArgs, AColourBeyond32BitsOverflows) {
  EXPECT_THROW(ReadTextArgs(Method({u"prntext", u"1", u"1", u"x", u"f", u"9", u"", u"", u"4294967296"})), Failure);
}

TEST(DrawTextOnPaper, SetsEveryPropertyAndPrintsAtThePoint) {
  test::RecordingPrinter printer{test::PrinterSpec{}};
  printer.SetScaleMode(kScaleMillimeters);
  DrawText(printer, ReadTextArgs(Method({u"prntext", u"20", u"30", u"A,B", u"ＭＳ 明朝", u"12", u"false", u"true", u"255"})));
  const Mark& m = printer.Marks().marks.at(0);
  EXPECT_EQ(m.text, u"A,B");
  EXPECT_EQ(m.font.name, u"ＭＳ 明朝");
  EXPECT_TRUE(m.font.bold);
  EXPECT_EQ(m.colour, (Rgb{255, 0, 0}));
  EXPECT_NEAR(m.x1, 20 / 25.4 * 600, 1e-3);
  EXPECT_EQ(printer.ForeColor(), 255);  // nothing is restored afterwards
}

TEST(DrawTextOnPaper, RefusedValuesKeepThePreviousOnesAndTheTextStillPrints) {
  test::RecordingPrinter printer{test::PrinterSpec{}};
  printer.SetFontName(u"ＭＳ ゴシック");
  printer.SetFontSize(10);
  DrawText(printer, ReadTextArgs(Method({u"prntext", u"0", u"0", u"x", u"", u"-4"})));
  const Mark& m = printer.Marks().marks.at(0);
  EXPECT_EQ(m.font.name, u"ＭＳ ゴシック");
  EXPECT_EQ(m.font.pixelHeight, 83);  // 10 pt at 600 dpi
}

// A colour outside 0..&HFFFFFF is refused: the text prints in the colour set before.
TEST(DrawTextOnPaper, ColoursOutsideTheRangeKeepThePreviousColour) {
  for (const char16_t* colour : {u"&HFF00", u"&HFFFF", u"16777216"}) {
    test::RecordingPrinter printer{test::PrinterSpec{}};
    printer.SetForeColor(0x0000FF);
    DrawText(printer, ReadTextArgs(Method({u"prntext", u"0", u"0", u"x", u"", u"10", u"", u"", colour})));
    EXPECT_EQ(printer.Marks().marks.at(0).colour, (Rgb{255, 0, 0})) << ToUtf8(colour);
    EXPECT_EQ(printer.ForeColor(), 0x0000FF) << ToUtf8(colour);
  }
}

TEST(DrawTextOnPaper, EmptyTextPrintsNothing) {
  test::RecordingPrinter printer{test::PrinterSpec{}};
  DrawText(printer, ReadTextArgs(Method({u"prntext", u"1", u"1", u"", u"ＭＳ 明朝", u"10"})));
  EXPECT_TRUE(printer.Marks().marks.empty());
}

}  // namespace
}  // namespace vant
