#include "platform/printing/pdf_printer.h"

#include "engine/papers.h"

namespace vant::printing {

PrinterCapabilities PdfPrinterCapabilities() {
  PrinterCapabilities caps;
  caps.name = Text(kPdfPrinterName);
  caps.dpiX = caps.dpiY = kPdfPrinterDpi;
  for (const PaperSheet& sheet : kPaperSheets) {
    PrinterMedia media;
    media.keyword = sheet.media;
    media.sheet.widthMm = sheet.widthMm;
    media.sheet.heightMm = sheet.heightMm;
    caps.papers.emplace(sheet.code, media);
  }
  caps.defaultPaper = kPdfPrinterDefaultPaper;
  caps.defaultMedia = caps.papers.at(kPdfPrinterDefaultPaper);
  caps.settings = EveryChoice();
  return caps;
}

}  // namespace vant::printing
