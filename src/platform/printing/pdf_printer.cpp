#include "platform/printing/pdf_printer.h"

#include "engine/papers.h"
#include "engine/printer.h"
#include "engine/setting_values.h"

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
  caps.orientations = {kPortrait, kLandscape};
  for (const SettingValue& quality : kPrintQualities) caps.qualities.insert(quality.code);
  for (const SettingValue& bin : kPaperBins) caps.bins.emplace(bin.code, std::string(bin.ippKeywords[0]));
  caps.colourModes = {kMonochrome, kColour};
  caps.defaultQuality = kQualityMedium.code;
  caps.defaultBin = kBinAuto.code;
  caps.defaultColour = kColour;
  return caps;
}

}  // namespace vant::printing
