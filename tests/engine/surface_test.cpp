#include "engine/surface.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "common/failure.h"
#include "fake_platform.h"

namespace vant {
namespace {

using test::Mark;

TEST(Units, ConvertAlongEachAxis) {
  test::RecordingPicture pic;
  EXPECT_NEAR(pic.picture.ScaleX(4, kScaleMillimeters, kScalePixels), 15.118, 1e-3);
  EXPECT_NEAR(pic.picture.ScaleY(1440, kScaleTwips, kScalePixels), 96, 1e-9);
  EXPECT_NEAR(pic.picture.ScaleX(1, kScaleCentimeters, kScaleMillimeters), 10, 1e-9);
  EXPECT_NEAR(pic.picture.ScaleX(72, kScalePoints, kScaleInches), 1, 1e-12);
  EXPECT_NEAR(pic.picture.ScaleX(1, kScaleCharacters, kScaleTwips), 120, 1e-9);
  EXPECT_NEAR(pic.picture.ScaleY(1, kScaleCharacters, kScaleTwips), 240, 1e-9);
  EXPECT_THROW(pic.picture.ScaleX(1, 0, kScalePixels), Failure);
  EXPECT_THROW(pic.picture.SetScaleMode(8), Failure);
}

TEST(PrinterSurface, StartsInTwipsWithItsPrintableAreaAsScaleSize) {
  test::RecordingPrinter printer{test::PrinterSpec{}};
  EXPECT_EQ(printer.ScaleMode(), kScaleTwips);
  EXPECT_NEAR(printer.ScaleWidth(), 210 / 25.4 * 1440, 1);
  printer.SetScaleMode(kScaleMillimeters);
  EXPECT_NEAR(printer.ScaleWidth(), 210, 0.05);
  EXPECT_NEAR(printer.ScaleHeight(), 297, 0.05);
}

TEST(PrintPosition, PrintStartsAtTheCurrentPositionAndMovesToTheNextLine) {
  test::RecordingPicture pic(400, 400);
  auto& s = pic.picture;
  s.SetFontSize(9);  // 12 pixels: line height 15 with the recording metrics
  s.SetCurrentX(10);
  s.SetCurrentY(20);
  s.Print(u"ab\r\ncd");
  ASSERT_EQ(pic.device.marks.size(), 2u);
  EXPECT_EQ(pic.device.marks[0].x1, 10);
  EXPECT_EQ(pic.device.marks[0].y1, 20);
  EXPECT_EQ(pic.device.marks[1].x1, 0);  // following lines start at the left edge
  EXPECT_EQ(pic.device.marks[1].y1, 35);
  EXPECT_EQ(s.CurrentX(), 0);
  EXPECT_EQ(s.CurrentY(), 50);
  s.Print(u"");  // an empty text draws nothing and still moves on a line
  EXPECT_EQ(pic.device.marks.size(), 2u);
  EXPECT_EQ(s.CurrentY(), 65);
}

TEST(Fonts, SizesAreRealisedInWholeDevicePixelsAndLimited) {
  test::RecordingPicture pic;
  auto& s = pic.picture;
  EXPECT_EQ(s.FontName(), u"ＭＳ Ｐゴシック");
  EXPECT_EQ(s.FontSize(), 9);
  s.SetFontSize(10);  // 13.33 pixels -> 13 -> 9.75 points
  EXPECT_DOUBLE_EQ(s.FontSize(), 9.75);
  EXPECT_THROW(s.SetFontSize(0), Failure);
  EXPECT_THROW(s.SetFontSize(-3), Failure);
  EXPECT_THROW(s.SetFontSize(2160.5), Failure);
  EXPECT_NO_THROW(s.SetFontSize(2160));
  EXPECT_THROW(s.SetFontName(u""), Failure);
  s.SetFontName(u"Unknown Family");
  EXPECT_EQ(s.FontName(), u"Unknown Family");
  s.SetFontSize(0.1);  // tiny sizes are still one pixel high
  EXPECT_EQ(s.Font().pixelHeight, 1);
}

TEST(Lines, FilledBoxesIncludeBothCornersInWholePixels) {
  test::RecordingPicture pic;
  pic.picture.Line(3, 4, 5, 9, 0, LineKind::kFilledBox);
  const Mark& m = pic.device.marks.at(0);
  EXPECT_EQ(m.kind, Mark::kFill);
  EXPECT_EQ(m.x1, 3);
  EXPECT_EQ(m.y1, 4);
  EXPECT_EQ(m.x2, 3);  // columns 3, 4, 5
  EXPECT_EQ(m.y2, 6);
  EXPECT_EQ(pic.picture.CurrentX(), 5);
}

// A box's size in pixels does not depend on where it starts, also from a corner at half a
// pixel, where rounding each corner half to even would gain or lose a pixel.
TEST(Lines, FilledBoxesAreAsWideWhereverTheyStart) {
  const struct {
    int line;
    float x1, y1, x2, y2;
    double left, top, width, height;
  } rows[] = {
      {__LINE__, 2.5f, 4.5f, 3.5f, 5.5f, 2, 4, 2, 2},
      {__LINE__, 3.5f, 5.5f, 4.5f, 6.5f, 4, 6, 2, 2},
      {__LINE__, 0.5f, 0.5f, 0.5f, 0.5f, 0, 0, 1, 1},
      {__LINE__, 1.5f, 1.5f, 1.5f, 1.5f, 2, 2, 1, 1},
      {__LINE__, 6.5f, 9.5f, 4.5f, 3.5f, 4, 4, 3, 7},  // corners given the other way round
      {__LINE__, 10.25f, 0, 12.75f, 0, 10, 0, 3, 1},
  };
  for (const auto& r : rows) {
    test::RecordingPicture pic;
    pic.picture.Line(r.x1, r.y1, r.x2, r.y2, 0, LineKind::kFilledBox);
    const Mark& m = pic.device.marks.at(0);
    EXPECT_EQ(m.x1, r.left) << "line " << r.line;
    EXPECT_EQ(m.y1, r.top) << "line " << r.line;
    EXPECT_EQ(m.x2, r.width) << "line " << r.line;
    EXPECT_EQ(m.y2, r.height) << "line " << r.line;
  }
}

// Colours are 0..&HFFFFFF; anything else is refused (a four-digit &H number such as &HFF00
// reads as -256) and leaves the colour and the picture as they were.
TEST(Colours, OutsideTheColourRangeAreRefused) {
  for (const int32_t bad : {-1, -256, 0x1000000, 0x7FFFFFFF, INT32_MIN}) {
    test::RecordingPicture pic;
    auto& s = pic.picture;
    s.SetForeColor(0x00FF00);
    EXPECT_THROW(s.SetForeColor(bad), Failure) << bad;
    EXPECT_EQ(s.ForeColor(), 0x00FF00);
    EXPECT_THROW(s.Line(0, 0, 5, 5, bad, LineKind::kLine), Failure) << bad;
    EXPECT_THROW(s.Line(0, 0, 5, 5, bad, LineKind::kBox), Failure) << bad;
    EXPECT_THROW(s.Line(0, 0, 5, 5, bad, LineKind::kFilledBox), Failure) << bad;
    EXPECT_THROW(s.Circle(5, 5, 3, bad), Failure) << bad;
    EXPECT_TRUE(pic.device.marks.empty()) << bad;
  }
  test::RecordingPicture pic;
  pic.picture.SetForeColor(0xFFFFFF);
  pic.picture.Line(0, 0, 5, 5, 0xFFFFFF, LineKind::kLine);
  EXPECT_EQ(pic.device.marks.at(0).colour, (Rgb{255, 255, 255}));
}

TEST(Lines, StylesAndWidthsReachTheDevice) {
  test::RecordingPicture pic;
  auto& s = pic.picture;
  s.SetDrawWidth(3);
  s.SetDrawStyle(kStyleDash);
  s.Line(0, 0, 10, 10, 255, LineKind::kLine);
  EXPECT_EQ(pic.device.marks.at(0).pen.width, 3);
  EXPECT_EQ(pic.device.marks.at(0).pen.style, kStyleDash);
  EXPECT_EQ(pic.device.marks.at(0).colour, (Rgb{255, 0, 0}));
  s.SetDrawStyle(kStyleInvisible);
  s.Line(0, 0, 10, 10, 0, LineKind::kBox);
  s.Circle(5, 5, 3, 0);
  EXPECT_EQ(pic.device.marks.size(), 1u);  // invisible draws nothing
  EXPECT_THROW(s.SetDrawWidth(0), Failure);
  EXPECT_THROW(s.SetDrawStyle(7), Failure);
  EXPECT_EQ(s.DrawWidth(), 3);
}

TEST(Lines, InsideSolidKeepsTheOutlineInsideTheShape) {
  test::RecordingPicture pic;
  auto& s = pic.picture;
  s.SetDrawWidth(4);
  s.SetDrawStyle(kStyleInsideSolid);
  s.Line(10, 10, 50, 30, 0, LineKind::kBox);
  const Mark& box = pic.device.marks.at(0);
  EXPECT_EQ(box.kind, Mark::kRect);
  EXPECT_EQ(box.x1, 12);
  EXPECT_EQ(box.y2, 28);
  EXPECT_EQ(box.pen.style, kStyleSolid);
  s.Circle(50, 50, 20, 0);
  EXPECT_EQ(pic.device.marks.at(1).x2, 18);
}

TEST(Lines, CoordinatesBeyondTheDevicesRangeOverflow) {
  test::RecordingPrinter printer{test::PrinterSpec{}};
  printer.SetScaleMode(kScaleMillimeters);
  EXPECT_THROW(printer.Line(0, 0, 1e30f, 1, 0, LineKind::kLine), Failure);
  EXPECT_TRUE(printer.Marks().marks.empty());
}

TEST(Circles, RadiusAlongTheHorizontalAxisRoundOnTheDevice) {
  test::PrinterSpec spec;
  spec.dpi = 600;
  test::RecordingPrinter printer{spec};
  printer.SetScaleMode(kScaleMillimeters);
  printer.Circle(10, 20, 5, 0);
  const Mark& m = printer.Marks().marks.at(0);
  EXPECT_NEAR(m.x1, 10 / 25.4 * 600, 1e-6);
  EXPECT_NEAR(m.x2, 5 / 25.4 * 600, 1e-6);
  EXPECT_NEAR(m.y2, m.x2, 1e-9);
  EXPECT_THROW(printer.Circle(1, 1, -1, 0), Failure);
}

TEST(TextSize, MeasuresInTheCurrentUnit) {
  test::RecordingPrinter printer{test::PrinterSpec{}};
  printer.SetFontSize(12);  // 100 pixels at 600 dpi
  printer.SetScaleMode(kScalePixels);
  EXPECT_EQ(printer.TextWidth(u"ab"), 100);
  EXPECT_EQ(printer.TextWidth(u"ab\r\nabcd"), 200);
  EXPECT_EQ(printer.TextHeight(u"x"), 125);
  EXPECT_EQ(printer.TextHeight(u"x\ny"), 250);
  printer.SetScaleMode(kScaleMillimeters);
  EXPECT_NEAR(printer.TextWidth(u"ab"), 100 / 600.0 * 25.4, 1e-4);
}

TEST(Pictures, ResizeAndClear) {
  test::RecordingPicture pic(10, 10);
  auto& s = pic.picture;
  s.SetWidth(300.4f);
  s.SetHeight(200.5f);
  EXPECT_EQ(s.Width(), 300);
  EXPECT_EQ(s.Height(), 200);  // ties to even
  EXPECT_EQ(s.ScaleWidth(), 300);
  EXPECT_THROW(s.SetWidth(-1), Failure);
  s.SetCurrentX(5);
  s.Cls();
  EXPECT_EQ(s.CurrentX(), 0);
  EXPECT_EQ(pic.device.marks.back().kind, Mark::kClear);
}

}  // namespace
}  // namespace vant
