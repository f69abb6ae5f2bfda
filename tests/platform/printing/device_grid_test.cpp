// Where the painter's origin lies on a page for each kind of dot grid, and the strips
// measured in hundredths of a millimetre that are whole dots.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/setting_values.h"
#include "platform/printing/device_grid.h"
#include "office_a4.h"

namespace vant::printing {
namespace {

constexpr double kPtMm = 25.4 / 72;

// A 1.125 x 3.5 in label at 300 dpi whose printable area starts 2 pt (8.33 dots) from the
// left edge and 14.9 pt (62.08 dots) from the top, as a server measures them: 0.71 mm and
// 5.26 mm. And an A4 sheet with whole-dot strips at 600 dpi (12 pt = 100 dots, rounded by
// the server to 4.23 mm).
PrinterMedia Label() { return {"custom_28.58x88.9mm_28.58x88.9mm", {28.58, 88.9, 0.71, 5.26, 0.71, 5.26}, {}}; }
using test::OfficeA4;

TEST(StripDots, AStripWithinTheServersRoundingOfWholeDotsIsWhole) {
  EXPECT_EQ(StripDots(4.23, 600), 100);     // 12 pt, rounded to 4.23 mm: 99.92 dots
  EXPECT_EQ(StripDots(6.35, 600), 150);     // 18 pt exactly
  EXPECT_NEAR(StripDots(0.71, 300), 8.386, 0.001);  // 2 pt: a third of a dot off the grid
  EXPECT_NEAR(StripDots(3.4, 600), 80.315, 0.001);  // a driverless printer's 3.4 mm
  EXPECT_EQ(StripDots(0, 203), 0);
}

struct OriginRow {
  int line;
  PrinterMedia media;
  int16_t orientation;
  double dpi;
  GridAnchor anchor;
  double x, y;  // the origin, device pixels from the page's corner
};

TEST(PrintableOrigin, OnEachKindOfGridNearestThePrintableCorner) {
  // Landscape pages: the page is the sheet turned, its width the sheet's height; the grid
  // across it runs from the page's right edge (the sheet's top).
  const double labelHeightDots = 88.9 * 300 / 25.4;  // 1050 dots
  const double a4HeightDots = 297.04 * 600 / 25.4;   // 7016.69 dots
  const OriginRow rows[] = {
      // A driver fed the server's raster: its first dot is the printable corner itself.
      {__LINE__, Label(), kPortrait, 300, GridAnchor::kPrintableCorner, 0.71 * 300 / 25.4, 5.26 * 300 / 25.4},
      // The sheet's grid, or the page's: the whole dot nearest the corner.
      {__LINE__, Label(), kPortrait, 300, GridAnchor::kSheetCorner, 8, 62},
      {__LINE__, Label(), kPortrait, 300, GridAnchor::kPageCorner, 8, 62},
      // Whole-dot strips put every grid in the same place.
      {__LINE__, OfficeA4(), kPortrait, 600, GridAnchor::kPrintableCorner, 100, 150},
      {__LINE__, OfficeA4(), kPortrait, 600, GridAnchor::kSheetCorner, 100, 150},
      // Turned label: the page's left strip is the sheet's bottom (62.13 dots); across, the
      // grid lies (sheet height - top strip) from the left edge, less whole dots: 61.87.
      {__LINE__, Label(), kLandscape, 300, GridAnchor::kPrintableCorner,
       labelHeightDots - 5.26 * 300 / 25.4 - 926, 0.71 * 300 / 25.4},
      // A4 turned at 600 dpi: the sheet's height is 7016.69 dots, so the sheet's grid lies
      // 0.31 dot off the page's own across it (199.69 instead of 200).
      {__LINE__, OfficeA4(), kLandscape, 600, GridAnchor::kSheetCorner, a4HeightDots - 6817, 100},
      {__LINE__, OfficeA4(), kLandscape, 600, GridAnchor::kPrintableCorner, a4HeightDots - 150 - 6667, 100},
      {__LINE__, OfficeA4(), kLandscape, 600, GridAnchor::kPageCorner, 200, 100},
      // A PostScript printer lays its dots up from the sheet's bottom edge: A4 is 7016.69
      // dots high, so the grid point nearest the printable top (150) is 149.69.
      {__LINE__, OfficeA4(), kPortrait, 600, GridAnchor::kSheetLowerLeft, 100, a4HeightDots - 6867},
      {__LINE__, OfficeA4(), kLandscape, 600, GridAnchor::kSheetLowerLeft, 200, 100},
  };
  for (const OriginRow& row : rows) {
    const PagePoint origin = PrintableOrigin(row.media, row.orientation, row.dpi, row.dpi, row.anchor);
    EXPECT_NEAR(origin.xPx, row.x, 1e-6) << "row at line " << row.line;
    EXPECT_NEAR(origin.yPx, row.y, 1e-6) << "row at line " << row.line;
  }
}

TEST(PrintableOrigin, NeverMoreThanHalfADotFromTheCorner) {
  for (const GridAnchor anchor : {GridAnchor::kPageCorner, GridAnchor::kSheetCorner, GridAnchor::kSheetLowerLeft,
                                  GridAnchor::kPrintableCorner}) {
    for (const int16_t orientation : {kPortrait, kLandscape}) {
      for (const double dpi : {203.0, 300.0, 360.0, 600.0}) {
        const PrinterMedia media = Label();
        const SheetMm page = OrientedPage(media.sheet, orientation);
        const PagePoint origin = PrintableOrigin(media, orientation, dpi, dpi, anchor);
        EXPECT_LE(std::fabs(origin.xPx - StripDots(page.leftMm, dpi)), 0.5) << dpi;
        EXPECT_LE(std::fabs(origin.yPx - StripDots(page.topMm, dpi)), 0.5) << dpi;
      }
    }
  }
}

}  // namespace
}  // namespace vant::printing
