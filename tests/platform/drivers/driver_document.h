// The document every driver queue prints: the four symbologies at module widths of 1, 2
// and 3 dots and the width an invoice's symbol gets at the queue's resolution, each from
// an origin at a different fraction of a dot; lines and box outlines 1 to 6 dots wide
// across and down; a text. Laid out in the queue's printable area, in millimetres from its
// corner, with what each mark should come out as.
#pragma once

#include <string>
#include <vector>

#include "barcode/module_string.h"
#include "platform/printing/printer_capabilities.h"

namespace vant::test::drivers {

struct SymbolCase {
  std::string name;   // "prnjan13, 2 dots"
  int m = 1;          // the module width asked for, in dots
  ModuleString modules;
  double xMm = 0;     // the left quiet zone's left edge
  double yMm = 0;     // the top of the bars
  double heightMm = 0;
  std::string zbarOptions;
  std::string expected;  // what zbarimg reads
};

struct StrokeCase {
  std::string name;
  int width = 1;      // dots asked
  bool box = false;   // a box outline (else a line)
  bool vertical = false;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // millimetres
};

struct DriverDocument {
  std::vector<std::string> methods;  // "scalemode,mm" first; no set-up, no "enddoc"
  std::vector<SymbolCase> symbols;
  std::vector<StrokeCase> strokes;
  double textXMm = 0, textYMm = 0;
};

// The cases on a printable area of widthMm x heightMm at dpi; modules are the module widths
// wanted (dots); the lines, outlines and text unless symbolsOnly (a small label). Throws
// when they do not fit.
DriverDocument CasesFor(double dpi, double widthMm, double heightMm, const std::vector<int>& modules,
                        bool symbolsOnly = false);

// The module width of a JAN-13 asked 40 mm wide, as on an invoice.
int InvoiceModule(double dpi);

// The cases in the printable area of a printer's sheet in an orientation.
DriverDocument CasesOn(const printing::PrinterCapabilities& caps, const printing::PrinterMedia& media,
                       int16_t orientation, const std::vector<int>& modules, bool symbolsOnly = false);

}  // namespace vant::test::drivers
