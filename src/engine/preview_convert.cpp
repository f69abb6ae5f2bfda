#include "engine/preview_convert.h"

#include "common/failure.h"
#include "common/numbers.h"
#include "engine/module_state.h"

namespace vant {
namespace {

PageRec& PageEntry(int16_t page) {
  auto& pages = ThisThreadState().engine.pageList;
  if (page < 0 || static_cast<size_t>(page) >= pages.size()) throw Failure::IndexOutOfRange();
  return pages[static_cast<size_t>(page)];
}

}  // namespace

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

void MarkPageShown(const DrawTarget& picture, int16_t page, float x, float y) {
  if (picture.ScaleWidth() > x && picture.ScaleHeight() > y) PageEntry(page).shown = true;
}

void AppendPreviewCopy(int16_t page, MethodRec copy) {
  PageEntry(page).methods.push_back(std::move(copy));
}

}  // namespace vant
