#include "platform/printing/printer_settings.h"

#include <stdexcept>
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
  switch (setting) {
    case PrinterSetting::kPaperSize: return caps.defaultPaper;
    case PrinterSetting::kOrientation: return kPortrait;
    case PrinterSetting::kPrintQuality: return caps.defaultQuality;
    case PrinterSetting::kPaperBin: return caps.defaultBin;
    case PrinterSetting::kColorMode: return caps.defaultColour;
  }
  throw std::logic_error("a printer setting without a default");
}

// Whether the printer takes the code for the setting (the paper size: papers.h's sizes the
// printer lists, and the user-defined size, which keeps the sheet in force).
bool TakesCode(const PrinterCapabilities& caps, PrinterSetting setting, int16_t code) {
  switch (setting) {
    case PrinterSetting::kPaperSize: return code == kPaperUser || caps.papers.contains(code);
    case PrinterSetting::kOrientation: return caps.orientations.contains(code);
    case PrinterSetting::kPrintQuality: return caps.qualities.contains(code);
    case PrinterSetting::kPaperBin: return code == kBinAuto.code || caps.bins.contains(code);
    case PrinterSetting::kColorMode: return caps.colourModes.contains(code);
  }
  return false;
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
