#include "engine/printer_geometry.h"

#include <exception>

#include "common/failure.h"
#include "common/numbers.h"
#include "engine/module_state.h"

namespace vant {
namespace {

// The printer's ScaleX/ScaleY answer singles.
float MmAcross(const Printer& printer, int index) {
  return ToSingle(printer.ScaleX(printer.DeviceCaps(index), kScalePixels, kScaleMillimeters));
}

float MmDown(const Printer& printer, int index) {
  return ToSingle(printer.ScaleY(printer.DeviceCaps(index), kScalePixels, kScaleMillimeters));
}

PrinterGeometry Measure(const Printer& printer) {
  PrinterGeometry g;
  g.offsetLeft = WholeInt32(MmAcross(printer, kPhysicalOffsetX));
  g.offsetTop = WholeInt32(MmDown(printer, kPhysicalOffsetY));
  g.paperWidth = WholeInt32(MmAcross(printer, kPhysicalWidth));
  g.paperHeight = WholeInt32(MmDown(printer, kPhysicalHeight));
  // The printable size is used unrounded; the other two terms are the rounded values.
  g.marginRight = WholeInt32(static_cast<double>(g.paperWidth) -
                             (static_cast<double>(MmAcross(printer, kHorzRes)) + g.offsetLeft));
  g.marginBottom = WholeInt32(static_cast<double>(g.paperHeight) -
                              (static_cast<double>(MmDown(printer, kVertRes)) + g.offsetTop));
  g.printableWidth = g.paperWidth - (g.marginRight + g.offsetLeft);
  g.printableHeight = g.paperHeight - (g.offsetTop + g.marginBottom);
  return g;
}

int32_t PicturePixelsAcross(const PictureBox& picture, int32_t mm) {
  return WholeInt32(picture.ScaleX(mm, kScaleMillimeters, kScalePixels));
}

int32_t PicturePixelsDown(const PictureBox& picture, int32_t mm) {
  return WholeInt32(picture.ScaleY(mm, kScaleMillimeters, kScalePixels));
}

}  // namespace

int16_t ReadPrinterGeometry(Platform& platform, Printer& printer) {
  try {
    platform.state.engine.printerGeometry = Measure(printer);
    return 0;
  } catch (const std::exception&) {
    platform.messages.Show(u"プリンター情報が取得できません!", MessageIcon::kCritical, u"エラー");
    return 1;
  }
}

void SetupPreviewPage(Platform& platform, PictureBox& picture, int16_t page) {
  Printer& printer = platform.printer;
  (void)ReadPrinterGeometry(platform, printer);  // after a failure the last measurement serves
  const PrinterGeometry& g = platform.state.engine.printerGeometry;

  picture.SetWidth(ToSingle(picture.ScaleX(g.printableWidth, kScaleMillimeters, kScalePixels) * 2));
  picture.SetHeight(ToSingle(picture.ScaleY(g.printableHeight, kScaleMillimeters, kScalePixels) * 2));

  PageRec& p = BuiltPage(platform.state.engine, page);
  p.offsetLeft = PicturePixelsAcross(picture, g.offsetLeft);
  p.marginRight = PicturePixelsAcross(picture, g.marginRight);
  p.paperWidth = PicturePixelsAcross(picture, g.paperWidth);
  p.printableWidth = PicturePixelsAcross(picture, g.printableWidth);
  p.offsetTop = PicturePixelsDown(picture, g.offsetTop);
  p.marginBottom = PicturePixelsDown(picture, g.marginBottom);
  p.paperHeight = PicturePixelsDown(picture, g.paperHeight);
  p.printableHeight = PicturePixelsDown(picture, g.printableHeight);
  p.paperSize = printer.Get(PrinterSetting::kPaperSize);
  p.orientation = printer.Get(PrinterSetting::kOrientation);
  p.shown = false;
  p.printerName = printer.DeviceName();
  p.printerPixelFactorX = ToSingle(ToSingle(printer.ScaleX(1, kScaleMillimeters, kScalePixels)) /
                                   ToSingle(picture.ScaleX(2, kScaleMillimeters, kScalePixels)));
  p.printerPixelFactorY = ToSingle(ToSingle(printer.ScaleY(1, kScaleMillimeters, kScalePixels)) /
                                   ToSingle(picture.ScaleY(2, kScaleMillimeters, kScalePixels)));
}

}  // namespace vant
