#include "platform/printing/settings_printer.h"

namespace vant::printing {

void SettingsPrinter::ResetToDefaults() {
  settings_.Reset();
  Relayout();
  ResetState(kScaleTwips, FontSpec{Text(kPrinterFontName), 1, false, false}, kPrinterFontPoints);
}

void SettingsPrinter::Relayout() {
  const DevicePage px = settings_.Pixels();
  ResizeDevice(px.horzRes, px.vertRes);
}

void SettingsPrinter::Set(PrinterSetting setting, int16_t code) {
  settings_.Set(setting, code);
  // The page's size and shape follow these two; the others leave the surface as it is.
  if (setting == PrinterSetting::kPaperSize || setting == PrinterSetting::kOrientation) Relayout();
}

}  // namespace vant::printing
