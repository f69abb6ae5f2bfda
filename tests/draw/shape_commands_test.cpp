#include "draw/shape_commands.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "fake_platform.h"
#include "method_of.h"

namespace vant {
namespace {

using test::Method;

using test::Mark;

TEST(LineStyles, NamesAndDigitsWholeAndLowerCased) {
  EXPECT_EQ(ParseLineStyle(u"DASH"), 1);
  EXPECT_EQ(ParseLineStyle(u"Dash"), 1);
  EXPECT_EQ(ParseLineStyle(u"dashdotdot"), 4);
  EXPECT_EQ(ParseLineStyle(u"InsideSolid"), 6);
  EXPECT_EQ(ParseLineStyle(u"5"), 5);
  for (const char16_t* zero : {u" dash", u"7", u"01", u"", u"solid ", u"dashed"}) {
    EXPECT_EQ(ParseLineStyle(zero), 0) << ToUtf8(zero);
  }
}

TEST(ShapeArgs, WidthsAndRadiiAreWhole16BitNumbers) {
  const BoxArgs box = ReadBoxArgs(Method({u"prnbox", u"1.5", u"2", u"3", u"4", u"2.5", u"dot", u"&HFF00"}));
  EXPECT_EQ(box.x1, 1.5f);
  EXPECT_EQ(box.lineWidth, 2);
  EXPECT_EQ(box.lineStyle, 2);
  EXPECT_EQ(box.colour, -256);  // a 16-bit hexadecimal number is signed, as on the platform
  EXPECT_THROW(ReadBoxArgs(Method({u"prnbox", u"1", u"1", u"2", u"2", u"32768"})), Failure);
  EXPECT_THROW(ReadCircleArgs(Method({u"prncircle", u"1", u"1", u"40000"})), Failure);
  EXPECT_THROW(ReadBoxArgs(Method({u"prnbox", u"1e39"})), Failure);  // beyond a single
  const CircleArgs c = ReadCircleArgs(Method({u"prncircle", u"10", u"20", u"5", u"3", u"dash", u"255"}));
  EXPECT_EQ(c.radius, 5);
  EXPECT_EQ(c.lineWidth, 3);
  EXPECT_EQ(c.lineStyle, 1);
  EXPECT_EQ(c.colour, 255);
}

TEST(ShapesOnPaper, BoxAndLineDifferOnlyInTheBoxOption) {
  test::RecordingPrinter printer{test::PrinterSpec{}};
  printer.SetScaleMode(kScalePixels);
  const BoxArgs a = ReadBoxArgs(Method({u"prnbox", u"10", u"20", u"110", u"220", u"3", u"dash", u"255"}));
  DrawBox(printer, a);
  DrawLine(printer, a);
  const auto& marks = printer.Marks().marks;
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[0].kind, Mark::kRect);
  EXPECT_EQ(marks[1].kind, Mark::kLine);
  for (const Mark& m : marks) {
    EXPECT_NEAR(m.x1, 10, 1e-9);
    EXPECT_NEAR(m.y2, 220, 1e-9);
    EXPECT_EQ(m.pen.width, 3);
    EXPECT_EQ(m.pen.style, 1);
    EXPECT_EQ(m.colour, (Rgb{255, 0, 0}));
  }
  EXPECT_EQ(printer.ForeColor(), 255);
}

TEST(ShapesOnPaper, AZeroWidthIsRefusedAndTheShapeStillDrawn) {
  test::RecordingPrinter printer{test::PrinterSpec{}};
  printer.SetDrawWidth(4);
  DrawLine(printer, ReadBoxArgs(Method({u"prnline", u"0", u"0", u"100", u"100", u"0"})));
  EXPECT_EQ(printer.Marks().marks.at(0).pen.width, 4);
}

TEST(ShapesOnPaper, CircleKeepsTheForeColour) {
  test::RecordingPrinter printer{test::PrinterSpec{}};
  printer.SetForeColor(123);
  DrawCircle(printer, ReadCircleArgs(Method({u"prncircle", u"1000", u"1000", u"500", u"2", u"", u"255"})));
  EXPECT_EQ(printer.ForeColor(), 123);
  EXPECT_EQ(printer.Marks().marks.at(0).colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(printer.Marks().marks.at(0).kind, Mark::kEllipse);
}

// A colour outside 0..&HFFFFFF (&HFF00 and &HFFFF read as -256 and -1) is refused: the
// shape is skipped like any step the printer refuses, instead of painting another colour.
TEST(ShapesOnPaper, ColoursOutsideTheRangeSkipTheShape) {
  for (const char16_t* colour : {u"&HFF00", u"&HFFFF", u"-1", u"16777216"}) {
    test::RecordingPrinter printer{test::PrinterSpec{}};
    printer.SetForeColor(123);
    DrawBox(printer, ReadBoxArgs(Method({u"prnbox", u"0", u"0", u"100", u"100", u"1", u"", colour})));
    DrawLine(printer, ReadBoxArgs(Method({u"prnline", u"0", u"0", u"100", u"100", u"1", u"", colour})));
    DrawCircle(printer, ReadCircleArgs(Method({u"prncircle", u"500", u"500", u"100", u"1", u"", colour})));
    EXPECT_TRUE(printer.Marks().marks.empty()) << ToUtf8(colour);
    EXPECT_EQ(printer.ForeColor(), 123) << ToUtf8(colour);
  }
}

TEST(ScaleDrawWidth, AFinePrintersThinLineStaysOnePixel) {
  test::RecordingPrinter printer{test::PrinterSpec{}};  // 600 dpi
  test::RecordingPicture pic;                           // 96 dpi
  // 7.56 picture pixels in 2 mm over 23.6 printer pixels in 1 mm: a factor of 0.32.
  EXPECT_EQ(ScaleDrawWidth(1, pic.picture, printer), 1);
  EXPECT_EQ(ScaleDrawWidth(0, pic.picture, printer), 1);
  EXPECT_EQ(ScaleDrawWidth(10, pic.picture, printer), 3);
  EXPECT_EQ(ScaleDrawWidth(-50, pic.picture, printer), 1);
  EXPECT_THROW(ScaleDrawWidth(32767, pic.picture, test::RecordingPrinter{[] {
                                 test::PrinterSpec s;
                                 s.dpi = 1;
                                 return s;
                               }()}),
               Failure);
}

}  // namespace
}  // namespace vant
