// One printer's settings on their own: what the printer takes is kept, what it does not is
// refused naming the printer and the value and changes nothing, and the page follows the
// sheet and the orientation in force.
#include "platform/printing/printer_settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/printer.h"
#include "printing_fixtures.h"

namespace vant::printing {
namespace {

using test::RefusalText;
using test::SmallOffice;

TEST(PrinterSettings, EachSettingKeepsWhatThePrinterTakesAndRefusesTheRest) {
  struct Row {
    int line;
    std::function<void(PrinterSettings&)> set;
    std::function<int16_t(const PrinterSettings&)> read;
    int16_t before;  // the small office printer's default
    int16_t after;   // the value in force afterwards
    const char* refusal;  // "accepted" when taken
  };
  const Row rows[] = {
      {__LINE__, [](auto& s) { s.Set(PrinterSetting::kPaperSize, 8); },
       [](auto& s) { return s.Get(PrinterSetting::kPaperSize); }, 9, 8, "accepted"},
      {__LINE__, [](auto& s) { s.Set(PrinterSetting::kPaperSize, 12); },
       [](auto& s) { return s.Get(PrinterSetting::kPaperSize); }, 9, 9,
       "プリンター「Small」は用紙サイズ 12 (B4) に対応していません。"},
      {__LINE__, [](auto& s) { s.Set(PrinterSetting::kOrientation, 2); },
       [](auto& s) { return s.Get(PrinterSetting::kOrientation); }, 1, 2, "accepted"},
      {__LINE__, [](auto& s) { s.Set(PrinterSetting::kOrientation, 3); },
       [](auto& s) { return s.Get(PrinterSetting::kOrientation); }, 1, 1,
       "プリンター「Small」は印刷の向き 3 に対応していません。"},
      {__LINE__, [](auto& s) { s.Set(PrinterSetting::kPrintQuality, -1); },
       [](auto& s) { return s.Get(PrinterSetting::kPrintQuality); }, -3, -1, "accepted"},
      {__LINE__, [](auto& s) { s.Set(PrinterSetting::kPrintQuality, -4); },
       [](auto& s) { return s.Get(PrinterSetting::kPrintQuality); }, -3, -3,
       "プリンター「Small」は印刷品質 -4 (高) に対応していません。"},
      {__LINE__, [](auto& s) { s.Set(PrinterSetting::kPaperBin, 1); },
       [](auto& s) { return s.Get(PrinterSetting::kPaperBin); }, 7, 1, "accepted"},
      {__LINE__, [](auto& s) { s.Set(PrinterSetting::kPaperBin, 2); },
       [](auto& s) { return s.Get(PrinterSetting::kPaperBin); }, 7, 7,
       "プリンター「Small」は給紙方法 2 (下段トレイ) に対応していません。"},
      {__LINE__, [](auto& s) { s.Set(PrinterSetting::kColorMode, 2); },
       [](auto& s) { return s.Get(PrinterSetting::kColorMode); }, 1, 1,
       "プリンター「Small」はカラーモード 2 (カラー) に対応していません。"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    PrinterSettings settings(SmallOffice(u"Small"));
    EXPECT_EQ(row.read(settings), row.before);
    EXPECT_EQ(RefusalText([&] { row.set(settings); }), row.refusal);
    EXPECT_EQ(row.read(settings), row.after);
    settings.Reset();
    EXPECT_EQ(row.read(settings), row.before);
  }
}

TEST(PrinterSettings, ThePageFollowsTheSheetAndTheOrientation) {
  PrinterSettings settings(SmallOffice(u"Small"));  // 300 dpi, strips 5 mm left and right, 10 mm top and bottom
  EXPECT_EQ(settings.DeviceCaps(kPhysicalWidth), 2480);   // 210 mm
  EXPECT_EQ(settings.DeviceCaps(kPhysicalHeight), 3508);  // 297 mm
  EXPECT_EQ(settings.DeviceCaps(kPhysicalOffsetX), 59);   // 5 mm
  EXPECT_EQ(settings.DeviceCaps(kPhysicalOffsetY), 118);  // 10 mm
  EXPECT_EQ(settings.DeviceCaps(kHorzRes), 2362);         // 200 mm
  EXPECT_EQ(settings.DeviceCaps(kVertRes), 3272);         // 277 mm
  settings.Set(PrinterSetting::kPaperSize, 8);
  settings.Set(PrinterSetting::kOrientation, kLandscape);
  EXPECT_EQ(settings.Media().keyword, "iso_a3_297x420mm");
  EXPECT_EQ(settings.DeviceCaps(kPhysicalWidth), 4961);   // 420 mm across
  EXPECT_EQ(settings.DeviceCaps(kPhysicalOffsetX), 118);  // the sheet's bottom strip
  // The user-defined size keeps the sheet in force.
  settings.Set(PrinterSetting::kPaperSize, kPaperUser);
  EXPECT_EQ(settings.Get(PrinterSetting::kPaperSize), kPaperUser);
  EXPECT_EQ(settings.Media().keyword, "iso_a3_297x420mm");
  EXPECT_EQ(RefusalText([&] { (void)settings.DeviceCaps(999); }), ToUtf8(Failure::InvalidPropertyValue().Description()));
}

}  // namespace
}  // namespace vant::printing
