#include "platform/printing/printer_capabilities.h"

#include <algorithm>

#include "common/numbers.h"
#include "engine/papers.h"
#include "engine/printer.h"

namespace vant::printing {
namespace {

int32_t Pixels(double mm, double dpi) {
  return WholeInt32(RoundHalfEven(std::max(0.0, mm) * dpi / kInch));
}

}  // namespace

SheetMm OrientedPage(const SheetMm& sheet, int16_t orientation) {
  if (orientation == kLandscape) {
    return SheetMm{sheet.heightMm, sheet.widthMm, sheet.bottomMm,
                   sheet.leftMm,   sheet.topMm,   sheet.rightMm};
  }
  return sheet;
}

PrinterMedia MediaLaidAs(const PaperSheet& sheet, PrinterMedia media) {
  if ((sheet.widthMm > sheet.heightMm) == (media.sheet.widthMm > media.sheet.heightMm)) return media;
  media.sheet = OrientedPage(media.sheet, kLandscape);
  return media;
}

DevicePage DevicePixels(const SheetMm& page, double dpiX, double dpiY) {
  DevicePage px;
  px.physicalWidth = Pixels(page.widthMm, dpiX);
  px.physicalHeight = Pixels(page.heightMm, dpiY);
  px.offsetX = Pixels(page.leftMm, dpiX);
  px.offsetY = Pixels(page.topMm, dpiY);
  px.horzRes = Pixels(page.widthMm - page.leftMm - page.rightMm, dpiX);
  px.vertRes = Pixels(page.heightMm - page.topMm - page.bottomMm, dpiY);
  return px;
}

std::array<SettingChoices, kPrinterSettingCount> StartingChoices() {
  std::array<SettingChoices, kPrinterSettingCount> choices;
  for (const PrinterSettingRow& row : PrinterSettingRows()) choices[IndexOf(row.id)].defaultCode = row.startCodes[0];
  return choices;
}

int16_t StartCode(const PrinterSettingRow& row, const SettingChoices& choices) {
  for (const int16_t code : row.startCodes) {
    if (choices.codes.contains(code)) return code;
  }
  return row.startCodes.back();
}

std::array<SettingChoices, kPrinterSettingCount> EveryChoice() {
  std::array<SettingChoices, kPrinterSettingCount> choices;
  for (const PrinterSettingRow& row : PrinterSettingRows()) {
    SettingChoices& taken = choices[IndexOf(row.id)];
    for (const SettingValue& value : row.values) {
      taken.codes.emplace(value.code, row.jobValue == JobValueKind::kQueueKeyword ? value.ippKeywords[0] : "");
    }
    taken.defaultCode = StartCode(row, taken);
  }
  return choices;
}

}  // namespace vant::printing
