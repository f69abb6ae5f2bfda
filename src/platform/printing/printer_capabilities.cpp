#include "platform/printing/printer_capabilities.h"

#include <algorithm>

#include "common/numbers.h"
#include "engine/papers.h"
#include "engine/printer.h"

namespace vant::printing {
namespace {

int32_t Pixels(double mm, double dpi) {
  return WholeInt32(RoundHalfEven(std::max(0.0, mm) * dpi / kInch));
}

}  // namespace

PageGeometry OrientedPage(const PrinterMedia& media, int16_t orientation) {
  if (orientation == kLandscape) {
    return PageGeometry{media.heightMm, media.widthMm, media.bottomMm,
                        media.leftMm,   media.topMm,   media.rightMm};
  }
  return PageGeometry{media.widthMm, media.heightMm, media.leftMm,
                      media.topMm,   media.rightMm,  media.bottomMm};
}

PrinterMedia MediaLaidAs(const PaperSheet& sheet, PrinterMedia media) {
  if ((sheet.widthMm > sheet.heightMm) == (media.widthMm > media.heightMm)) return media;
  const PageGeometry turned = OrientedPage(media, kLandscape);
  media.widthMm = turned.widthMm;
  media.heightMm = turned.heightMm;
  media.leftMm = turned.leftMm;
  media.topMm = turned.topMm;
  media.rightMm = turned.rightMm;
  media.bottomMm = turned.bottomMm;
  return media;
}

DevicePage DevicePixels(const PageGeometry& page, double dpiX, double dpiY) {
  DevicePage px;
  px.physicalWidth = Pixels(page.widthMm, dpiX);
  px.physicalHeight = Pixels(page.heightMm, dpiY);
  px.offsetX = Pixels(page.leftMm, dpiX);
  px.offsetY = Pixels(page.topMm, dpiY);
  px.horzRes = Pixels(page.widthMm - page.leftMm - page.rightMm, dpiX);
  px.vertRes = Pixels(page.heightMm - page.topMm - page.bottomMm, dpiY);
  return px;
}

}  // namespace vant::printing
