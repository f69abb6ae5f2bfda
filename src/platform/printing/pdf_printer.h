// The built-in PDF printer, always the last installed printer: every paper size code on
// its own sheet with no unprintable strips, both orientations, every quality, paper bin
// and colour mode (a PDF file has no trays and keeps colour), 600 dpi, A4 by default.
#pragma once

#include "platform/printing/printer_capabilities.h"

namespace vant::printing {

inline constexpr TextView kPdfPrinterName = u"Vant3 PDF";
inline constexpr double kPdfPrinterDpi = 600;
inline constexpr int16_t kPdfPrinterDefaultPaper = 9;  // A4

PrinterCapabilities PdfPrinterCapabilities();

}  // namespace vant::printing
