#include "engine/printer_setting.h"

#include <stdexcept>

#include "engine/papers.h"

namespace vant {
namespace {

// The paper bin and the colour mode have no stop text of their own and give the scale
// mode's, as the control always has.
constexpr std::u16string_view kScaleModeStop = u"ScaleMode指定が不正です!";

// The paper size's values, codes and default are the printer's sheets (papers.h).
const PrinterSettingRow kRows[] = {
    {.id = PrinterSetting::kPaperSize, .keywords = kPaperSizeKeywords, .stopMessage = u"PaperSize指定が不正です!",
     .name = u"用紙サイズ", .values = {}, .jobAttribute = "media-size", .jobValue = JobValueKind::kMedia,
     .inMediaCol = true, .sentWhenTaken = false, .jsonName = "paper", .startCodes = {kPaperUser, kPaperUser},
     .readsServerDefault = true},
    {.id = PrinterSetting::kOrientation, .keywords = kOrientationKeywords, .stopMessage = u"Orientation指定が不正です!",
     .name = u"印刷の向き", .values = kOrientations, .jobAttribute = "orientation-requested",
     .jobValue = JobValueKind::kEnum, .inMediaCol = false, .sentWhenTaken = false, .jsonName = "orientation",
     .startCodes = {kPortrait, kPortrait}, .readsServerDefault = false},
    {.id = PrinterSetting::kPaperBin, .keywords = kPaperBinKeywords, .stopMessage = kScaleModeStop, .name = u"給紙方法",
     .values = kPaperBins, .jobAttribute = "media-source", .jobValue = JobValueKind::kQueueKeyword,
     .inMediaCol = true, .sentWhenTaken = true, .jsonName = "source", .startCodes = {kBinAuto.code, kBinAuto.code},
     .readsServerDefault = true},
    {.id = PrinterSetting::kPrintQuality, .keywords = kPrintQualityKeywords,
     .stopMessage = u"Printquality指定が不正です!", .name = u"印刷品質", .values = kPrintQualities,
     .jobAttribute = "print-quality", .jobValue = JobValueKind::kEnum, .inMediaCol = false, .sentWhenTaken = true,
     .jsonName = "quality", .startCodes = {kQualityMedium.code, kQualityMedium.code}, .readsServerDefault = true},
    // A printer that takes colour starts in colour, any other in monochrome.
    {.id = PrinterSetting::kColorMode, .keywords = kColorModeKeywords, .stopMessage = kScaleModeStop,
     .name = u"カラーモード", .values = kColourModes, .jobAttribute = "print-color-mode",
     .jobValue = JobValueKind::kKeyword, .inMediaCol = false, .sentWhenTaken = true, .jsonName = "colorMode",
     .startCodes = {kColour, kMonochrome}, .readsServerDefault = true},
};
static_assert(std::size(kRows) == kPrinterSettingCount);

// Each row stands at its id's index (checked once, where the rows are first read).
bool InIdOrder() {
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    if (IndexOf(kRows[i].id) != i) return false;
  }
  return true;
}

}  // namespace

std::span<const PrinterSettingRow> PrinterSettingRows() {
  static const bool ordered = InIdOrder();
  if (!ordered) throw std::logic_error("the printer setting rows are not in the order of their ids");
  return kRows;
}

const PrinterSettingRow& RowOf(PrinterSetting setting) { return PrinterSettingRows()[IndexOf(setting)]; }

}  // namespace vant
