#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/papers.h"
#include "engine/printer.h"
#include "platform/printing/cups_media.h"
#include "platform/printing/printer_capabilities.h"
#include "platform/printing/queue_ppd.h"
#include "office_a4.h"

namespace vant::printing {
namespace {

using test::OfficeA4;

TEST(OrientedPage, PortraitIsTheSheetAsItIs) {
  const SheetMm page = OrientedPage(OfficeA4().sheet, kPortrait);
  EXPECT_DOUBLE_EQ(page.widthMm, 209.90);
  EXPECT_DOUBLE_EQ(page.heightMm, 297.04);
  EXPECT_DOUBLE_EQ(page.leftMm, 4.23);
  EXPECT_DOUBLE_EQ(page.topMm, 6.35);
  EXPECT_DOUBLE_EQ(page.rightMm, 4.23);
  EXPECT_DOUBLE_EQ(page.bottomMm, 8.47);
}

TEST(OrientedPage, LandscapeTurnsTheSheetCounterClockwise) {
  const SheetMm sheet{100, 200, 1, 2, 3, 4};  // left 1, top 2, right 3, bottom 4
  const SheetMm page = OrientedPage(sheet, kLandscape);
  EXPECT_DOUBLE_EQ(page.widthMm, 200);
  EXPECT_DOUBLE_EQ(page.heightMm, 100);
  EXPECT_DOUBLE_EQ(page.leftMm, 4);    // the sheet's bottom strip
  EXPECT_DOUBLE_EQ(page.topMm, 1);     // the sheet's left strip
  EXPECT_DOUBLE_EQ(page.rightMm, 2);   // the sheet's top strip
  EXPECT_DOUBLE_EQ(page.bottomMm, 3);  // the sheet's right strip
}

TEST(MediaLaidAs, WideSheetsTakeTheServersSheetTurned) {
  const PrinterMedia tabloid{"na_ledger_11x17in", {279.4, 431.8, 1, 2, 3, 4}, {}};
  const PrinterMedia ledger = MediaLaidAs(*SheetForCode(4), tabloid);
  EXPECT_EQ(ledger.keyword, "na_ledger_11x17in");
  EXPECT_DOUBLE_EQ(ledger.sheet.widthMm, 431.8);
  EXPECT_DOUBLE_EQ(ledger.sheet.heightMm, 279.4);
  EXPECT_DOUBLE_EQ(ledger.sheet.leftMm, 4);
  EXPECT_DOUBLE_EQ(ledger.sheet.topMm, 1);
  EXPECT_DOUBLE_EQ(ledger.sheet.rightMm, 2);
  EXPECT_DOUBLE_EQ(ledger.sheet.bottomMm, 3);
  // Tall sheets, and a wide sheet the server already gives wide, stay as they are.
  for (const int16_t code : std::initializer_list<int16_t>{3, 9, 35}) {
    const PaperSheet sheet = *SheetForCode(code);
    const PrinterMedia given{"m", {sheet.widthMm, sheet.heightMm, 1, 2, 3, 4}, {}};
    const PrinterMedia laid = MediaLaidAs(sheet, given);
    EXPECT_DOUBLE_EQ(laid.sheet.widthMm, sheet.widthMm) << code;
    EXPECT_DOUBLE_EQ(laid.sheet.leftMm, 1) << code;
  }
}

TEST(DevicePixels, OfficeA4At600Dpi) {
  const DevicePage px = DevicePixels(OrientedPage(OfficeA4().sheet, kPortrait), 600, 600);
  EXPECT_EQ(px.physicalWidth, 4958);   // 209.90 mm
  EXPECT_EQ(px.physicalHeight, 7017);  // 297.04 mm
  EXPECT_EQ(px.offsetX, 100);          // 12 pt
  EXPECT_EQ(px.offsetY, 150);          // 18 pt
  EXPECT_EQ(px.horzRes, 4758);         // 209.90 - 8.46 mm
  EXPECT_EQ(px.vertRes, 6667);         // 297.04 - 14.82 mm
}

TEST(DevicePixels, OfficeA4LandscapeAt600Dpi) {
  const DevicePage px = DevicePixels(OrientedPage(OfficeA4().sheet, kLandscape), 600, 600);
  EXPECT_EQ(px.physicalWidth, 7017);
  EXPECT_EQ(px.physicalHeight, 4958);
  EXPECT_EQ(px.offsetX, 200);  // the bottom strip, 24 pt
  EXPECT_EQ(px.offsetY, 100);  // the left strip, 12 pt
  EXPECT_EQ(px.horzRes, 6667);
  EXPECT_EQ(px.vertRes, 4758);
}

TEST(DevicePixels, WholeSheetPrinterHasNoOffsets) {
  const DevicePage px = DevicePixels(SheetMm{210, 297, 0, 0, 0, 0}, 600, 600);
  EXPECT_EQ(px.physicalWidth, 4961);
  EXPECT_EQ(px.physicalHeight, 7016);
  EXPECT_EQ(px.offsetX, 0);
  EXPECT_EQ(px.offsetY, 0);
  EXPECT_EQ(px.horzRes, px.physicalWidth);
  EXPECT_EQ(px.vertRes, px.physicalHeight);
}

TEST(DevicePixels, RoundToTheNearestPixel) {
  // 254 dpi: ten pixels a millimetre.
  const DevicePage px = DevicePixels(SheetMm{0.19, 0.31, 0.04, 0.06, 0, 0}, 254, 254);
  EXPECT_EQ(px.physicalWidth, 2);   // 1.9
  EXPECT_EQ(px.physicalHeight, 3);  // 3.1
  EXPECT_EQ(px.offsetX, 0);         // 0.4
  EXPECT_EQ(px.offsetY, 1);         // 0.6
  EXPECT_EQ(px.horzRes, 2);         // 1.5, a tie: to the even one
  EXPECT_EQ(px.vertRes, 2);         // 2.5, a tie: to the even one
}

TEST(DevicePixels, EachAxisHasItsOwnDensity) {
  const DevicePage px = DevicePixels(SheetMm{25.4, 25.4, 0, 0, 0, 0}, 300, 600);
  EXPECT_EQ(px.physicalWidth, 300);
  EXPECT_EQ(px.physicalHeight, 600);
}

TEST(DevicePixels, StripsWiderThanTheSheetLeaveNoPrintableArea) {
  const DevicePage px = DevicePixels(SheetMm{10, 10, 6, 0, 6, 0}, 600, 600);
  EXPECT_EQ(px.horzRes, 0);
}

// A sheet keeps the server's figures as the server listed them, whatever becomes of its
// millimetres, which therefore cannot stand in for them: a wide paper's sheet is turned
// in millimetres only, and a PPD's points give millimetres the server rounds its own way.
TEST(PrinterMedia, TheServersFiguresStayAsListed) {
  struct Row {
    int line;
    const char* name;     // the media name looked up among the queue's sizes
    ServerMedia listed;   // the queue's size for it, hundredths of a millimetre
    int16_t paper;        // the paper code the sheet is laid for; 0: not laid
    const char* ppd;      // the queue's PPD, whose points the sheet is made exact by; or none
    SheetMm sheet;        // the millimetres the program takes
    bool roundsBack;      // whether the millimetres, rounded to hundredths, give the listing
  };
  constexpr double kPt = 25.4 / 72;  // mm
  const std::vector<Row> rows = {
      {__LINE__, "iso_a4_210x297mm", {20990, 29704, 423, 635, 423, 847}, 9, nullptr,
       {209.90, 297.04, 4.23, 6.35, 4.23, 8.47}, true},
      {__LINE__, "na_letter_8.5x11in", {21590, 27940, 635, 1270, 635, 1270}, 1, nullptr,
       {215.9, 279.4, 6.35, 12.7, 6.35, 12.7}, true},
      {__LINE__, "Custom.50x30mm", {5000, 3000, 100, 100, 100, 100}, 0, nullptr, {50, 30, 1, 1, 1, 1}, true},
      // Ledger: the server's 11 x 17 in tabloid turned; the server is still asked for tabloid.
      {__LINE__, "na_ledger_11x17in", {27940, 43180, 100, 200, 300, 400}, 4, nullptr,
       {431.8, 279.4, 4, 1, 2, 3}, false},
      // JIS B5 as 516 x 729 pt: the server lists 729 pt, 25717.5 hundredths, as 25718.
      {__LINE__, "jis_b5_182x257mm", {18203, 25718, 423, 635, 423, 847}, 13,
       "*PaperDimension B5/JIS B5: \"516 729\"\n*ImageableArea B5/JIS B5: \"12 24 504 711\"\n",
       {516 * kPt, 729 * kPt, 12 * kPt, 18 * kPt, 12 * kPt, 24 * kPt}, false},
  };
  for (const Row& row : rows) {
    MediaEntry size, custom;
    size.media = row.listed;
    custom.range = true;
    custom.minWidth = custom.minLength = 1000, custom.maxWidth = custom.maxLength = 30000;
    custom.media = ServerMedia{0, 0, 100, 100, 100, 100};
    const std::vector<MediaEntry> entries = {std::string(row.name).starts_with("Custom.") ? custom : size};
    const std::optional<PrinterMedia> found = FindMedia(entries, row.name);
    ASSERT_TRUE(found.has_value()) << "row at line " << row.line;
    PrinterMedia media = row.paper != 0 ? MediaLaidAs(*SheetForCode(row.paper), *found) : *found;
    if (row.ppd != nullptr) media = ExactSheet(ParsePpd(row.ppd), media);
    EXPECT_EQ(media.server, row.listed) << "row at line " << row.line;
    const SheetMm& s = media.sheet;
    const double got[] = {s.widthMm, s.heightMm, s.leftMm, s.topMm, s.rightMm, s.bottomMm};
    const double want[] = {row.sheet.widthMm, row.sheet.heightMm, row.sheet.leftMm,
                           row.sheet.topMm,   row.sheet.rightMm,  row.sheet.bottomMm};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(got[i], want[i], 1e-9) << "row at line " << row.line << ", figure " << i;
    const auto hundredths = [](double mm) { return static_cast<int32_t>(std::lround(mm * 100)); };
    const ServerMedia rounded{hundredths(s.widthMm), hundredths(s.heightMm), hundredths(s.leftMm),
                              hundredths(s.topMm),   hundredths(s.rightMm),  hundredths(s.bottomMm)};
    EXPECT_EQ(rounded == row.listed, row.roundsBack) << "row at line " << row.line;
  }
}

}  // namespace
}  // namespace vant::printing
