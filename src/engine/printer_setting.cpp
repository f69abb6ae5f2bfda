#include "engine/printer_setting.h"

#include <stdexcept>

namespace vant {
namespace {

// The paper bin and the colour mode have no stop text of their own and give the scale
// mode's, as the control always has.
constexpr std::u16string_view kScaleModeStop = u"ScaleMode指定が不正です!";

const PrinterSettingRow kRows[] = {
    {PrinterSetting::kPaperSize,
     kPaperSizeKeywords,
     u"PaperSize指定が不正です!",
     u"用紙サイズ",
     {},
     "media-size",
     JobValueKind::kMedia,
     true,
     false,
     "paper"},
    {PrinterSetting::kOrientation, kOrientationKeywords, u"Orientation指定が不正です!", u"印刷の向き", kOrientations,
     "orientation-requested", JobValueKind::kEnum, false, false, "orientation"},
    {PrinterSetting::kPaperBin, kPaperBinKeywords, kScaleModeStop, u"給紙方法", kPaperBins, "media-source",
     JobValueKind::kQueueKeyword, true, true, "source"},
    {PrinterSetting::kPrintQuality, kPrintQualityKeywords, u"Printquality指定が不正です!", u"印刷品質", kPrintQualities,
     "print-quality", JobValueKind::kEnum, false, true, "quality"},
    {PrinterSetting::kColorMode, kColorModeKeywords, kScaleModeStop, u"カラーモード", kColourModes, "print-color-mode",
     JobValueKind::kKeyword, false, true, "colorMode"},
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
