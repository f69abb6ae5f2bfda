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

void SettingsPrinter::SetPaperSize(int16_t code) {
  settings_.SetPaperSize(code);
  Relayout();
}

void SettingsPrinter::SetOrientation(int16_t code) {
  settings_.SetOrientation(code);
  Relayout();
}

}  // namespace vant::printing
