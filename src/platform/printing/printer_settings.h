// One printer's page settings: the codes in force (paper size, orientation, print quality,
// paper bin, colour mode), each refused when the printer does not take it, and the page
// they give in millimetres and device pixels. Whatever draws for the printer (its PDF
// pages, or a surface that only records) asks these settings, so that a value is refused,
// and a page measured, the same way everywhere.
#pragma once

#include <cstdint>

#include "platform/printing/printer_capabilities.h"

namespace vant::printing {

class PrinterSettings {
 public:
  // Starts from the printer's defaults.
  explicit PrinterSettings(PrinterCapabilities capabilities);

  // Back to the printer's defaults.
  void Reset();

  // Codes the printer does not take are refused with a Failure that names the printer
  // and the value; the setting keeps its value.
  void SetPaperSize(int16_t code);
  int16_t PaperSize() const { return paperSize_; }
  void SetOrientation(int16_t code);
  int16_t Orientation() const { return orientation_; }
  void SetPrintQuality(int16_t code);
  int16_t PrintQuality() const { return quality_; }
  void SetPaperBin(int16_t code);
  int16_t PaperBin() const { return bin_; }
  void SetColorMode(int16_t code);
  int16_t ColorMode() const { return colour_; }

  const PrinterCapabilities& Capabilities() const { return caps_; }
  // The sheet in force, as the printer takes it.
  const PrinterMedia& Media() const { return media_; }
  // The sheet as it lies on the page in the orientation in force.
  PageGeometry Geometry() const { return OrientedPage(media_, orientation_); }
  // The same in whole device pixels.
  DevicePage Pixels() const { return DevicePixels(Geometry(), caps_.dpiX, caps_.dpiY); }
  // A device figure (kHorzRes, kPhysicalWidth, ...) of that page; an index without one
  // is refused with a Failure.
  int32_t DeviceCaps(int index) const;

 private:
  PrinterCapabilities caps_;
  int16_t paperSize_ = 0;
  PrinterMedia media_;
  int16_t orientation_ = 0;
  int16_t quality_ = 0;
  int16_t bin_ = 0;
  int16_t colour_ = 0;
};

}  // namespace vant::printing
