#include "platform/printing/printer_capabilities.h"

#include <algorithm>

#include "common/numbers.h"
#include "engine/paper_sizes.h"
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
