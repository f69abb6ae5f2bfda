#include "symbols/symbol_painting.h"

#include <algorithm>

#include "barcode/bar_geometry.h"
#include "barcode/in_pixels.h"
#include "barcode/module_string.h"
#include "barcode/paint_bars.h"
#include "common/numbers.h"
#include "engine/picture_box.h"
#include "symbols/customer_table.h"
#include "symbols/symbol_messages.h"

namespace vant {
namespace {

// Fills the box of w x h dots whose top-left dot is (left, top); both corners are
// included, as the bar painter's bars are.
void FillDots(DrawTarget& target, double left, double top, int64_t w, int64_t h) {
  target.Line(ToSingle(left), ToSingle(top), ToSingle(left + static_cast<double>(w - 1)),
              ToSingle(top + static_cast<double>(h - 1)), 0, LineKind::kFilledBox);
}

// A corner rounded to a whole device dot once, every module laid from it.
struct DotCorner {
  double x = 0;
  double y = 0;
};
DotCorner CornerOf(const DrawTarget& target, int16_t unit, float x, float y) {
  return {RoundHalfEven(ToSingle(target.ScaleX(x, unit, kScalePixels))),
          RoundHalfEven(ToSingle(target.ScaleY(y, unit, kScalePixels)))};
}

std::optional<Text> PaintMatrix(DrawTarget& target, const SymbolValues& v, const SymbolModules& modules) {
  return InPixels(target, [&](int16_t unit) -> std::optional<Text> {
    const DotCorner corner = CornerOf(target, unit, v.x, v.y);
    const double wanted = ToSingle(target.ScaleX(v.width, unit, kScalePixels));
    const int32_t n = modules.columns;
    if (!(wanted >= n)) return Text(kQrTooSmallMessage);
    const int64_t m = ModuleWidthFor(wanted, n);
    auto* box = dynamic_cast<PictureBox*>(&target);
    GrowWidth(box, WholeInt32(corner.x + static_cast<double>(Product32(n, m))));
    GrowHeight(box, WholeInt32(corner.y + static_cast<double>(Product32(modules.rows, m))));
    for (int32_t r = 0; r < modules.rows; ++r) {
      const double top = corner.y + static_cast<double>(r * m);
      for (int32_t c = 0; c < n;) {
        if (!modules.Dark(r, c)) {
          ++c;
          continue;
        }
        int32_t run = 1;
        while (c + run < n && modules.Dark(r, c + run)) ++run;
        // A row's run of dark modules is one box: m dots tall, run x m wide.
        FillDots(target, corner.x + static_cast<double>(c * m), top, run * m, m);
        c += run;
      }
    }
    return std::nullopt;
  });
}

std::optional<Text> PaintPostal(DrawTarget& target, const SymbolValues& v, const SymbolModules& modules,
                                double pixelsPerMm) {
  return InPixels(target, [&](int16_t unit) -> std::optional<Text> {
    const DotCorner corner = CornerOf(target, unit, v.x, v.y);
    const double perMm = pixelsPerMm > 0 ? pixelsPerMm : target.ScaleX(1, kScaleMillimeters, kScalePixels);
    const CustomerDots dots = CustomerDotsFor(v.points, perMm);
    const int32_t n = modules.columns;
    auto* box = dynamic_cast<PictureBox*>(&target);
    GrowWidth(box, WholeInt32(corner.x + static_cast<double>(Product32(2 * n - 1, dots.bar))));
    GrowHeight(box, WholeInt32(corner.y + static_cast<double>(Product32(3, dots.third))));
    for (int32_t i = 0; i < n; ++i) {
      const char16_t kind = static_cast<char16_t>(u'0' + modules.dark[static_cast<size_t>(i)]);
      // In thirds of the long bar, from the top: where the bar begins and how many it spans.
      const int first = kind == customer::kLong || kind == customer::kAscender ? 0 : 1;
      const int thirds = kind == customer::kLong ? 3 : kind == customer::kTiming ? 1 : 2;
      FillDots(target, corner.x + static_cast<double>(2 * i) * dots.bar, corner.y + first * dots.third, dots.bar,
               static_cast<int64_t>(thirds) * dots.third);
    }
    return std::nullopt;
  });
}

}  // namespace

CustomerDots CustomerDotsFor(double points, double pixelsPerMm) {
  const double scale = points / kCustomerBasePoints * pixelsPerMm;
  // Japan Post's sizes are nominal with a tolerance either side: the nearest whole dot.
  return {std::max<int32_t>(1, WholeInt32(kCustomerBarMm * scale)),
          std::max<int32_t>(1, WholeInt32(kCustomerThirdMm * scale))};
}

std::optional<Text> PaintSymbol(const SymbolRow& row, DrawTarget& target, const SymbolValues& values,
                                const SymbolModules& modules, double pixelsPerMm) {
  switch (row.shape) {
    case SymbolShape::kMatrix: return PaintMatrix(target, values, modules);
    case SymbolShape::kPostal: return PaintPostal(target, values, modules, pixelsPerMm);
    case SymbolShape::kLinear: {
      ModuleString bars;
      for (uint8_t dark : modules.dark) bars += dark != 0 ? kBarModule : kSpaceModule;
      PaintBars(target, values.x, values.y, bars, row.quietModules, row.quietModules,
                values.showText ? TextView(modules.text) : TextView(), values.width, values.height, kTextCentred);
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace vant
