#include "engine/preview_convert.h"

#include "common/numbers.h"

namespace vant {

float PreviewX(const Printer& printer, const DrawTarget& picture, float v) {
  const double mm = printer.ScaleX(v, printer.ScaleMode(), kScaleMillimeters);
  const auto px = ToSingle(picture.ScaleX(mm, kScaleMillimeters, kScalePixels));
  return ToSingle(px * kPreviewScale);
}

float PreviewY(const Printer& printer, const DrawTarget& picture, float v) {
  const double mm = printer.ScaleY(v, printer.ScaleMode(), kScaleMillimeters);
  const auto px = ToSingle(picture.ScaleY(mm, kScaleMillimeters, kScalePixels));
  return ToSingle(px * kPreviewScale);
}

void MarkPageShown(const DrawTarget& picture, PageRec& page, float x, float y) {
  if (picture.ScaleWidth() > x && picture.ScaleHeight() > y) page.shown = true;
}

}  // namespace vant
