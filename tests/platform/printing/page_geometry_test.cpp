#include <gtest/gtest.h>

#include "engine/papers.h"
#include "engine/printer.h"
#include "platform/printing/printer_capabilities.h"
#include "office_a4.h"

namespace vant::printing {
namespace {

using test::OfficeA4;

TEST(OrientedPage, PortraitIsTheSheetAsItIs) {
  const PageGeometry page = OrientedPage(OfficeA4(), kPortrait);
  EXPECT_DOUBLE_EQ(page.widthMm, 209.90);
  EXPECT_DOUBLE_EQ(page.heightMm, 297.04);
  EXPECT_DOUBLE_EQ(page.leftMm, 4.23);
  EXPECT_DOUBLE_EQ(page.topMm, 6.35);
  EXPECT_DOUBLE_EQ(page.rightMm, 4.23);
  EXPECT_DOUBLE_EQ(page.bottomMm, 8.47);
}

TEST(OrientedPage, LandscapeTurnsTheSheetCounterClockwise) {
  PrinterMedia media{"x", 100, 200, 1, 2, 3, 4, {}};  // left 1, top 2, right 3, bottom 4
  const PageGeometry page = OrientedPage(media, kLandscape);
  EXPECT_DOUBLE_EQ(page.widthMm, 200);
  EXPECT_DOUBLE_EQ(page.heightMm, 100);
  EXPECT_DOUBLE_EQ(page.leftMm, 4);    // the sheet's bottom strip
  EXPECT_DOUBLE_EQ(page.topMm, 1);     // the sheet's left strip
  EXPECT_DOUBLE_EQ(page.rightMm, 2);   // the sheet's top strip
  EXPECT_DOUBLE_EQ(page.bottomMm, 3);  // the sheet's right strip
}

TEST(MediaLaidAs, WideSheetsTakeTheServersSheetTurned) {
  const PrinterMedia tabloid{"na_ledger_11x17in", 279.4, 431.8, 1, 2, 3, 4, {}};
  const PrinterMedia ledger = MediaLaidAs(*SheetForCode(4), tabloid);
  EXPECT_EQ(ledger.keyword, "na_ledger_11x17in");
  EXPECT_DOUBLE_EQ(ledger.widthMm, 431.8);
  EXPECT_DOUBLE_EQ(ledger.heightMm, 279.4);
  EXPECT_DOUBLE_EQ(ledger.leftMm, 4);
  EXPECT_DOUBLE_EQ(ledger.topMm, 1);
  EXPECT_DOUBLE_EQ(ledger.rightMm, 2);
  EXPECT_DOUBLE_EQ(ledger.bottomMm, 3);
  // Tall sheets, and a wide sheet the server already gives wide, stay as they are.
  for (const int16_t code : std::initializer_list<int16_t>{3, 9, 35}) {
    const PaperSheet sheet = *SheetForCode(code);
    const PrinterMedia given{"m", sheet.widthMm, sheet.heightMm, 1, 2, 3, 4, {}};
    const PrinterMedia laid = MediaLaidAs(sheet, given);
    EXPECT_DOUBLE_EQ(laid.widthMm, sheet.widthMm) << code;
    EXPECT_DOUBLE_EQ(laid.leftMm, 1) << code;
  }
}

TEST(DevicePixels, OfficeA4At600Dpi) {
  const DevicePage px = DevicePixels(OrientedPage(OfficeA4(), kPortrait), 600, 600);
  EXPECT_EQ(px.physicalWidth, 4958);   // 209.90 mm
  EXPECT_EQ(px.physicalHeight, 7017);  // 297.04 mm
  EXPECT_EQ(px.offsetX, 100);          // 12 pt
  EXPECT_EQ(px.offsetY, 150);          // 18 pt
  EXPECT_EQ(px.horzRes, 4758);         // 209.90 - 8.46 mm
  EXPECT_EQ(px.vertRes, 6667);         // 297.04 - 14.82 mm
}

TEST(DevicePixels, OfficeA4LandscapeAt600Dpi) {
  const DevicePage px = DevicePixels(OrientedPage(OfficeA4(), kLandscape), 600, 600);
  EXPECT_EQ(px.physicalWidth, 7017);
  EXPECT_EQ(px.physicalHeight, 4958);
  EXPECT_EQ(px.offsetX, 200);  // the bottom strip, 24 pt
  EXPECT_EQ(px.offsetY, 100);  // the left strip, 12 pt
  EXPECT_EQ(px.horzRes, 6667);
  EXPECT_EQ(px.vertRes, 4758);
}

TEST(DevicePixels, WholeSheetPrinterHasNoOffsets) {
  const DevicePage px = DevicePixels(PageGeometry{210, 297, 0, 0, 0, 0}, 600, 600);
  EXPECT_EQ(px.physicalWidth, 4961);
  EXPECT_EQ(px.physicalHeight, 7016);
  EXPECT_EQ(px.offsetX, 0);
  EXPECT_EQ(px.offsetY, 0);
  EXPECT_EQ(px.horzRes, px.physicalWidth);
  EXPECT_EQ(px.vertRes, px.physicalHeight);
}

TEST(DevicePixels, RoundToTheNearestPixel) {
  // 254 dpi: ten pixels a millimetre.
  const DevicePage px = DevicePixels(PageGeometry{0.19, 0.31, 0.04, 0.06, 0, 0}, 254, 254);
  EXPECT_EQ(px.physicalWidth, 2);   // 1.9
  EXPECT_EQ(px.physicalHeight, 3);  // 3.1
  EXPECT_EQ(px.offsetX, 0);         // 0.4
  EXPECT_EQ(px.offsetY, 1);         // 0.6
  EXPECT_EQ(px.horzRes, 2);         // 1.5, a tie: to the even one
  EXPECT_EQ(px.vertRes, 2);         // 2.5, a tie: to the even one
}

TEST(DevicePixels, EachAxisHasItsOwnDensity) {
  const DevicePage px = DevicePixels(PageGeometry{25.4, 25.4, 0, 0, 0, 0}, 300, 600);
  EXPECT_EQ(px.physicalWidth, 300);
  EXPECT_EQ(px.physicalHeight, 600);
}

TEST(DevicePixels, StripsWiderThanTheSheetLeaveNoPrintableArea) {
  const DevicePage px = DevicePixels(PageGeometry{10, 10, 6, 0, 6, 0}, 600, 600);
  EXPECT_EQ(px.horzRes, 0);
}

}  // namespace
}  // namespace vant::printing
