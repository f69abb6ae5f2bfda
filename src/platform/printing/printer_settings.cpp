#include "platform/printing/printer_settings.h"

#include <utility>

#include "common/failure.h"
#include "engine/papers.h"
#include "engine/printer.h"
#include "platform/printing/printer_choices.h"

namespace vant::printing {

PrinterSettings::PrinterSettings(PrinterCapabilities capabilities) : caps_(std::move(capabilities)) { Reset(); }

namespace {

// The code a printer starts with for the setting.
int16_t DefaultCode(const PrinterCapabilities& caps, PrinterSetting setting) {
  return setting == PrinterSetting::kPaperSize ? caps.defaultPaper : caps.Choices(setting).defaultCode;
}

// Whether the printer takes the code for the setting: the paper size takes the sheets the
// printer lists and the user-defined size (which keeps the sheet in force); every printer
// takes the automatic paper bin, which lets it choose.
bool TakesCode(const PrinterCapabilities& caps, PrinterSetting setting, int16_t code) {
  if (setting == PrinterSetting::kPaperSize) return code == kPaperUser || caps.papers.contains(code);
  if (setting == PrinterSetting::kPaperBin && code == kBinAuto.code) return true;
  return caps.Choices(setting).codes.contains(code);
}

}  // namespace

void PrinterSettings::Reset() {
  for (const PrinterSettingRow& row : PrinterSettingRows()) codes_[IndexOf(row.id)] = DefaultCode(caps_, row.id);
  media_ = caps_.defaultMedia;
}

bool PrinterSettings::Takes(PrinterSetting setting, int16_t code) const { return TakesCode(caps_, setting, code); }

void PrinterSettings::Set(PrinterSetting setting, int16_t code) {
  if (!Takes(setting, code)) throw Failure(UnsupportedText(caps_.name, setting, code));
  codes_[IndexOf(setting)] = code;
  if (setting == PrinterSetting::kPaperSize && code != kPaperUser) media_ = caps_.papers.at(code);
}

int32_t PrinterSettings::DeviceCaps(int index) const {
  const DevicePage px = Pixels();
  switch (index) {
    case kHorzRes: return px.horzRes;
    case kVertRes: return px.vertRes;
    case kPhysicalWidth: return px.physicalWidth;
    case kPhysicalHeight: return px.physicalHeight;
    case kPhysicalOffsetX: return px.offsetX;
    case kPhysicalOffsetY: return px.offsetY;
    default: throw Failure::InvalidPropertyValue();
  }
}

}  // namespace vant::printing
