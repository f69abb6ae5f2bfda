// The Printer object a run draws on: whatever printer is current. Every member goes to the
// printer that is current at the moment of the call, so that after a "changeprinter" the
// run draws on, pages and ends the document of the newly selected printer.
#pragma once

#include "engine/module_state.h"
#include "engine/platform.h"
#include "engine/symbol_encoder.h"

namespace vant {

class PrinterObject final : public Printer {
 public:
  explicit PrinterObject(InstalledPrinters& printers) : printers_(printers) {}

  InstalledPrinters& Installed() { return printers_; }
  Printer& Selected() { return printers_.At(printers_.CurrentIndex()); }
  const Printer& Selected() const { return printers_.At(printers_.CurrentIndex()); }

  void SetFontName(TextView name) override { Selected().SetFontName(name); }
  Text FontName() const override { return Selected().FontName(); }
  void SetFontSize(double points) override { Selected().SetFontSize(points); }
  double FontSize() const override { return Selected().FontSize(); }
  void SetFontItalic(bool v) override { Selected().SetFontItalic(v); }
  bool FontItalic() const override { return Selected().FontItalic(); }
  void SetFontBold(bool v) override { Selected().SetFontBold(v); }
  bool FontBold() const override { return Selected().FontBold(); }
  void SetForeColor(int32_t c) override { Selected().SetForeColor(c); }
  int32_t ForeColor() const override { return Selected().ForeColor(); }
  void SetCurrentX(float x) override { Selected().SetCurrentX(x); }
  float CurrentX() const override { return Selected().CurrentX(); }
  void SetCurrentY(float y) override { Selected().SetCurrentY(y); }
  float CurrentY() const override { return Selected().CurrentY(); }
  void SetDrawWidth(int16_t w) override { Selected().SetDrawWidth(w); }
  int16_t DrawWidth() const override { return Selected().DrawWidth(); }
  void SetDrawStyle(int16_t s) override { Selected().SetDrawStyle(s); }
  int16_t DrawStyle() const override { return Selected().DrawStyle(); }
  void SetScaleMode(int16_t m) override { Selected().SetScaleMode(m); }
  int16_t ScaleMode() const override { return Selected().ScaleMode(); }
  float ScaleWidth() const override { return Selected().ScaleWidth(); }
  float ScaleHeight() const override { return Selected().ScaleHeight(); }
  void Print(TextView text) override { Selected().Print(text); }
  void Line(float x1, float y1, float x2, float y2, int32_t c, LineKind k) override {
    Selected().Line(x1, y1, x2, y2, c, k);
  }
  void Circle(float x, float y, float r, int32_t c) override { Selected().Circle(x, y, r, c); }
  float TextWidth(TextView t) override { return Selected().TextWidth(t); }
  float TextHeight(TextView t) override { return Selected().TextHeight(t); }
  double ScaleX(double v, int16_t from, int16_t to) const override { return Selected().ScaleX(v, from, to); }
  double ScaleY(double v, int16_t from, int16_t to) const override { return Selected().ScaleY(v, from, to); }

  Text DeviceName() const override { return Selected().DeviceName(); }
  void Set(PrinterSetting setting, int16_t c) override { Selected().Set(setting, c); }
  int16_t Get(PrinterSetting setting) const override { return Selected().Get(setting); }
  void NewPage() override { Selected().NewPage(); }
  void EndDoc() override { Selected().EndDoc(); }
  void KillDoc() override { Selected().KillDoc(); }
  uint64_t OpenDocumentId() const override { return Selected().OpenDocumentId(); }
  int32_t DeviceCaps(int index) const override { return Selected().DeviceCaps(index); }

 private:
  InstalledPrinters& printers_;
};

class RunWatcher;  // engine/run_watcher.h

// Everything a control and its runs reach: the platform, and the thread's module-level
// state, which travels with it.
struct Platform {
  PrinterObject& printer;   // the current printer, following the selection
  MessageBoxes& messages;
  MousePointer& pointer;
  ModuleState& state;
  // Told of each method of every run before it runs; none but for a run that is followed.
  RunWatcher* watcher = nullptr;
  // The encoder of the symbols the core does not encode itself; without one (a build of the
  // core alone) those commands stop the run, saying so.
  const SymbolEncoder* symbols = nullptr;
};

}  // namespace vant
