#include "platform/printing/printer_settings.h"

#include <utility>

#include "common/failure.h"
#include "engine/papers.h"
#include "engine/printer.h"
#include "platform/printing/printer_choices.h"

namespace vant::printing {

PrinterSettings::PrinterSettings(PrinterCapabilities capabilities) : caps_(std::move(capabilities)) { Reset(); }

void PrinterSettings::Reset() {
  paperSize_ = caps_.defaultPaper;
  media_ = caps_.defaultMedia;
  orientation_ = kPortrait;
  quality_ = caps_.defaultQuality;
  bin_ = caps_.defaultBin;
  colour_ = caps_.defaultColour;
}

void PrinterSettings::SetPaperSize(int16_t code) {
  if (code == kPaperUser) {
    // The user-defined size keeps the sheet in force.
    paperSize_ = code;
    return;
  }
  const auto found = caps_.papers.find(code);
  if (found == caps_.papers.end()) {
    throw Failure(UnsupportedText(caps_.name, Setting::kPaperSize, code));
  }
  paperSize_ = code;
  media_ = found->second;
}

void PrinterSettings::SetOrientation(int16_t code) {
  if (!caps_.orientations.contains(code)) {
    throw Failure(UnsupportedText(caps_.name, Setting::kOrientation, code));
  }
  orientation_ = code;
}

void PrinterSettings::SetPrintQuality(int16_t code) {
  if (!caps_.qualities.contains(code)) {
    throw Failure(UnsupportedText(caps_.name, Setting::kPrintQuality, code));
  }
  quality_ = code;
}

void PrinterSettings::SetPaperBin(int16_t code) {
  if (code != kBinAuto.code && !caps_.bins.contains(code)) {
    throw Failure(UnsupportedText(caps_.name, Setting::kPaperBin, code));
  }
  bin_ = code;
}

void PrinterSettings::SetColorMode(int16_t code) {
  if (!caps_.colourModes.contains(code)) {
    throw Failure(UnsupportedText(caps_.name, Setting::kColorMode, code));
  }
  colour_ = code;
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
