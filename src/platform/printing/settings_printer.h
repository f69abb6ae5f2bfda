// What every printer of this platform has in common, whether it prints or records: its page
// settings answered as the run asks them (refused when the printer does not take a code),
// and its surface laid out on the page those settings give, again after each change.
#pragma once

#include "engine/printer.h"
#include "engine/surface.h"
#include "platform/printing/printer_capabilities.h"
#include "platform/printing/printer_settings.h"

namespace vant::printing {

// The font a printer starts with, and after it becomes current with no document open.
inline constexpr TextView kPrinterFontName = u"ＭＳ 明朝";
inline constexpr double kPrinterFontPoints = 10;

class SettingsPrinter : public Surface, public Printer {
 public:
  Text DeviceName() const override { return settings_.Capabilities().name; }

  // Codes the printer does not take are refused with a Failure that names the printer
  // and the value (PrinterSettings); the setting keeps its value. A change of the paper
  // size or the orientation lays the surface out again.
  void Set(PrinterSetting setting, int16_t code) override;
  int16_t Get(PrinterSetting setting) const override { return settings_.Get(setting); }
  int32_t DeviceCaps(int index) const override { return settings_.DeviceCaps(index); }

  // The state of a printer that becomes current with no document open: its default
  // settings, scale mode twips, the printer font, position and pen reset.
  void ResetToDefaults();

  const PrinterCapabilities& Capabilities() const { return settings_.Capabilities(); }
  // The sheet in force, as the printer takes it.
  const PrinterMedia& Media() const { return settings_.Media(); }

 protected:
  // device: the derived printer's own, constructed after this part; it is used only once
  // the derived constructor calls ResetToDefaults.
  SettingsPrinter(PaintDevice& device, PrinterCapabilities capabilities)
      : Surface(device), settings_(std::move(capabilities)) {}
  const PrinterSettings& Settings() const { return settings_; }

 private:
  // Sizes the paint device to the printable area (device pixels).
  virtual void ResizeDevice(double widthPx, double heightPx) = 0;
  void Relayout();

  PrinterSettings settings_;  // from the printer's defaults
};

}  // namespace vant::printing
