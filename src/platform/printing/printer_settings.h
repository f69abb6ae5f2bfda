// One printer's page settings: the codes in force (paper size, orientation, print quality,
// paper bin, colour mode), each refused when the printer does not take it, and the page
// they give in millimetres and device pixels. Whatever draws for the printer (its PDF
// pages, or a surface that only records) asks these settings, so that a value is refused,
// and a page measured, the same way everywhere.
#pragma once

#include <cstdint>

#include "engine/printer_setting.h"
#include "platform/printing/printer_capabilities.h"

namespace vant::printing {

class PrinterSettings {
 public:
  // Starts from the printer's defaults.
  explicit PrinterSettings(PrinterCapabilities capabilities);

  // Back to the printer's defaults.
  void Reset();

  // A code the printer does not take is refused with a Failure that names the printer
  // and the value; the setting keeps its value. A paper size brings its sheet.
  void Set(PrinterSetting setting, int16_t code);
  int16_t Get(PrinterSetting setting) const { return codes_[IndexOf(setting)]; }
  const PrinterSettingCodes& Codes() const { return codes_; }
  // Whether the printer takes the code for the setting.
  bool Takes(PrinterSetting setting, int16_t code) const;

  const PrinterCapabilities& Capabilities() const { return caps_; }
  // The sheet in force, as the printer takes it.
  const PrinterMedia& Media() const { return media_; }
  // The sheet as it lies on the page in the orientation in force.
  SheetMm Geometry() const { return OrientedPage(media_.sheet, Get(PrinterSetting::kOrientation)); }
  // The same in whole device pixels.
  DevicePage Pixels() const { return DevicePixels(Geometry(), caps_.dpiX, caps_.dpiY); }
  // A device figure (kHorzRes, kPhysicalWidth, ...) of that page; an index without one
  // is refused with a Failure.
  int32_t DeviceCaps(int index) const;

 private:
  PrinterCapabilities caps_;
  PrinterSettingCodes codes_{};
  PrinterMedia media_;  // the sheet of the paper size in force
};

}  // namespace vant::printing
