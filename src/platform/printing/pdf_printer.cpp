#include "platform/printing/pdf_printer.h"

#include "engine/papers.h"
#include "engine/printer.h"
#include "platform/printing/printer_choices.h"

namespace vant::printing {

PrinterCapabilities PdfPrinterCapabilities() {
  PrinterCapabilities caps;
  caps.name = Text(kPdfPrinterName);
  caps.dpiX = caps.dpiY = kPdfPrinterDpi;
  for (const PaperSheet& sheet : kPaperSheets) {
    PrinterMedia media;
    media.keyword = sheet.media;
    media.widthMm = sheet.widthMm;
    media.heightMm = sheet.heightMm;
    caps.papers.emplace(sheet.code, media);
  }
  caps.defaultPaper = kPdfPrinterDefaultPaper;
  caps.defaultMedia = caps.papers.at(kPdfPrinterDefaultPaper);
  caps.orientations = {kPortrait, kLandscape};
  caps.qualities = {-1, -2, -3, -4};
  for (const int16_t code : PaperBinCodes()) {
    caps.bins.emplace(code, std::string(MediaSourcesFor(code).front()));
  }
  caps.colourModes = {kMonochrome, kColour};
  caps.defaultQuality = -3;
  caps.defaultBin = 7;
  caps.defaultColour = kColour;
  return caps;
}

}  // namespace vant::printing
