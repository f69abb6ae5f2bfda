// Boxes, lines, circles and texts at millimetre positions, printed on the "Office" queue
// and the PDF printer and measured on the page that arrived: every mark lies where the
// method put it, from the printable corner, so on the office queue it is shifted on the
// sheet by the queue's unprintable strips.
#include <gtest/gtest.h>

#include "paper_run.h"
#include "raster.h"
#include "shape_marks.h"

namespace vant::test::paper {
namespace {

constexpr double kToleranceMm = 0.3;
constexpr double kPenMm = 12 * 25.4 / 600;  // 12 device pixels at 600 dpi

void ExpectShapesAt(const Raster& raster, double ox, double oy) {
  const ShapeMarks m = MeasureShapes(raster, ox, oy);
  EXPECT_NEAR(m.boxLeft, 20, kToleranceMm);
  EXPECT_NEAR(m.boxRight, 80, kToleranceMm);
  EXPECT_NEAR(m.boxTop, 40, kToleranceMm);
  EXPECT_NEAR(m.boxBottom, 70, kToleranceMm);
  EXPECT_NEAR(m.boxEdgeThickness, kPenMm, 2 / raster.PxPerMm());
  EXPECT_NEAR(m.lineStart, 100, kToleranceMm);
  EXPECT_NEAR(m.lineEnd, 180, kToleranceMm);
  EXPECT_NEAR(m.lineY, 40, kToleranceMm);
  EXPECT_NEAR(m.columnTop, 50, kToleranceMm);
  EXPECT_NEAR(m.columnBottom, 90, kToleranceMm);
  EXPECT_NEAR(m.columnX, 120, kToleranceMm);
  EXPECT_NEAR(m.circleX, 60, kToleranceMm);
  EXPECT_NEAR(m.circleY, 120, kToleranceMm);
  EXPECT_NEAR(m.circleRadiusAcross, 15, kToleranceMm);
  EXPECT_NEAR(m.circleRadiusDown, 15, kToleranceMm);
  // Inside solid keeps the 24-pixel pen within the outline: its ink starts at the edge.
  EXPECT_NEAR(m.insideOuter, 20, kToleranceMm);
  EXPECT_NEAR(m.insideInner, 20 + 2 * kPenMm, kToleranceMm);
}

void ExpectStyles(const Raster& raster, double ox, double oy) {
  // Solid: one run the length of the line.
  const auto solid = StyledLineRuns(raster, 0, ox, oy);
  ASSERT_EQ(solid.size(), 1u);
  EXPECT_NEAR(solid[0].Length() / raster.PxPerMm(), 90, 1);
  for (int style = 1; style <= 4; ++style) {
    const auto runs = StyledLineRuns(raster, style, ox, oy);
    EXPECT_GE(runs.size(), 10u) << "style " << style << " shows no gaps along 90 mm";
    ASSERT_FALSE(runs.empty()) << "style " << style << " drew nothing";
    EXPECT_NEAR(runs.front().first / raster.PxPerMm() - ox, 100, 1) << "style " << style;
  }
  EXPECT_TRUE(StyledLineRuns(raster, 5, ox, oy).empty()) << "an invisible line left ink";
}

void ExpectText(const std::filesystem::path& pdf, double ox, double oy) {
  const PdfWord word = WordNamed(PdfWords(pdf, 1), "Paper");
  EXPECT_NEAR(word.xMin * kMmPerPt - ox, 100, 0.5);
  EXPECT_NEAR(word.yMin * kMmPerPt - oy, 200, 0.5);
  // 14 pt: the word box is about the font's height.
  EXPECT_NEAR((word.yMax - word.yMin), 14, 4);
}

class ShapesOnPaper : public PaperTest {};

TEST_F(ShapesOnPaper, OfficeQueueShiftsEveryMarkByItsUnprintableStrips) {
  const auto pdf = PrintOnOffice(ShapePage());
  const Raster raster = Raster::FromPdf(pdf, 1, 300);
  // The whole A4 sheet arrives: 210 x 297 mm at 300 dpi.
  EXPECT_NEAR(raster.Width(), 2480, 2);
  EXPECT_NEAR(raster.Height(), 3508, 2);
  ExpectShapesAt(raster, kOfficeLeftMm, kOfficeTopMm);
  ExpectStyles(raster, kOfficeLeftMm, kOfficeTopMm);
  ExpectText(pdf, kOfficeLeftMm, kOfficeTopMm);
}

TEST_F(ShapesOnPaper, PdfPrinterPutsEveryMarkFromTheSheetsCorner) {
  const auto pdf = PrintOnPdf(ShapePage(), dir_ / "shapes.pdf");
  const Raster raster = Raster::FromPdf(pdf, 1, 300);
  ExpectShapesAt(raster, 0, 0);
  ExpectStyles(raster, 0, 0);
  ExpectText(pdf, 0, 0);
}

TEST_F(ShapesOnPaper, MinchoTextIsSetInEmbeddedIpaMincho) {
  const auto pdf = PrintOnOffice({"scalemode,mm", "prntext,20,30,明朝の文字,ＭＳ 明朝,12,false,false,0"});
  const auto fonts = PdfFonts(pdf);
  ASSERT_FALSE(fonts.empty());
  bool mincho = false;
  for (const auto& font : fonts) {
    EXPECT_TRUE(font.embedded) << font.name << " is not embedded";
    if (font.name.find("IPAMincho") != std::string::npos) mincho = true;
  }
  EXPECT_TRUE(mincho) << "first font: " << fonts.front().name;
  EXPECT_NE(PdfWords(pdf, 1).size(), 0u);
}

// The overview's example line: the doubled comma is a comma of the text, 12 pt bold red.
TEST_F(ShapesOnPaper, OverviewExamplePrintsABInBoldRedAtItsPoint) {
  const auto pdf = PrintOnOffice({"scalemode,mm", "prntext,20,30,A,,B,ＭＳ 明朝,12,false,true,255",
                                  "prntext,20,60,A,,B,ＭＳ 明朝,12,false,false,255"});
  const PdfWord word = WordNamed(PdfWords(pdf, 1), "A,B");
  EXPECT_NEAR(word.xMin * kMmPerPt - kOfficeLeftMm, 20, 0.5);
  EXPECT_NEAR(word.yMin * kMmPerPt - kOfficeTopMm, 30, 0.5);

  const Raster raster = Raster::FromPdf(pdf, 1, 300);
  const auto region = [&](double yMm, int& red, int& other) {
    red = other = 0;
    const int x0 = raster.PxAt(kOfficeLeftMm + 19), x1 = raster.PxAt(kOfficeLeftMm + 40);
    const int y0 = raster.PxAt(kOfficeTopMm + yMm - 1), y1 = raster.PxAt(kOfficeTopMm + yMm + 7);
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        const Rgb p = raster.At(x, y);
        if (p.r > 200 && p.g < 60 && p.b < 60) ++red;
        else if (p.r < 128) ++other;  // dark, and not red
      }
    }
  };
  int boldRed = 0, boldOther = 0, plainRed = 0, plainOther = 0;
  region(30, boldRed, boldOther);
  region(60, plainRed, plainOther);
  EXPECT_GT(boldRed, 100) << "no red ink where the text is";
  EXPECT_EQ(boldOther, 0) << "ink of another colour in the text";
  // Bold strokes are heavier than the same text's plain ones.
  EXPECT_GT(boldRed, plainRed * 11 / 10) << "bold " << boldRed << " plain " << plainRed;
}

}  // namespace
}  // namespace vant::test::paper
