#include "barcode/paint_bars.h"

#include <algorithm>
#include <cmath>

#include "barcode/bar_geometry.h"
#include "barcode/centred_text_layout.h"
#include "barcode/in_pixels.h"
#include "barcode/jan_text_layout.h"
#include "barcode/module_string.h"
#include "common/failure.h"
#include "common/numbers.h"
#include "engine/picture_box.h"

namespace vant {
namespace {

// Each module takes exactly m pixels: a bar is a box m pixels wide, a space moves on by m.
void PaintModules(DrawTarget& target, TextView modules, const JanTextLayout* jan,
                  const BarGeometry& g) {
  const auto lastPixel = static_cast<float>(g.m - 1);
  target.SetCurrentX(g.x + static_cast<float>(Product16(g.leftQuiet, g.m)));
  for (size_t i = 0; i < modules.size(); ++i) {
    if (modules[i] == kBarModule) {
      const int32_t h = IsGuardModule(jan, i + 1) ? g.barHeight + g.guardExtension : g.barHeight;
      const float left = target.CurrentX();
      // Both corners are included, so the bar ends on its h-th row, just above the text;
      // the box leaves CurrentX at its right edge.
      target.Line(left, g.y, left + lastPixel, g.y + static_cast<float>(h - 1), 0,
                  LineKind::kFilledBox);
    } else {
      target.SetCurrentX(target.CurrentX() + lastPixel);
    }
    target.SetCurrentX(target.CurrentX() + 1);
  }
}

bool IsModuleString(TextView modules) {
  return std::all_of(modules.begin(), modules.end(),
                     [](char16_t c) { return c == kBarModule || c == kSpaceModule; });
}

void PaintInPixels(DrawTarget& target, int16_t saved, float x, float y, TextView modules,
                   int16_t leftQuiet, int16_t rightQuiet, TextView text, int16_t width,
                   int16_t height, int16_t layout) {
  BarGeometry g;
  // The symbol's corner is rounded to a whole device pixel once and every module is laid
  // from it, so each bar and space is exactly m pixels wherever the symbol starts (from a
  // corner at k + 0.5, bar edges rounded on their own would alternate between m - 1 and
  // m + 1 pixels).
  g.x = ToSingle(RoundHalfEven(ToSingle(target.ScaleX(x, saved, kScalePixels))));
  g.y = ToSingle(RoundHalfEven(ToSingle(target.ScaleY(y, saved, kScalePixels))));
  const float wanted = ToSingle(target.ScaleX(width, saved, kScalePixels));
  const int32_t n = WholeInt32(static_cast<double>(modules.size()) + leftQuiet + rightQuiet);
  g.leftQuiet = leftQuiet;
  g.m = ModuleWidthFor(wanted, n);
  g.barHeight =
      std::max<int32_t>(1, WholeInt32(ToSingle(target.ScaleY(height, saved, kScalePixels))));

  auto* box = dynamic_cast<PictureBox*>(&target);
  GrowWidth(box, WholeInt32(static_cast<double>(g.x) + Product32(n, g.m)));
  // The bars themselves must fit too: without a text line nothing else would make the
  // picture tall enough, and a preview symbol would be cut to the scratch box's height.
  GrowHeight(box, WholeInt32(static_cast<double>(g.y) + g.barHeight));

  const JanTextLayout* jan = JanLayoutFor(layout);
  if (!text.empty()) {
    target.SetFontBold(false);
    if (jan != nullptr) {
      g.guardExtension = LayOutJanText(target, box, *jan, text, g);
    } else {
      LayOutCentredText(target, box, modules.size(), text, g);
    }
  }
  PaintModules(target, modules, jan, g);
}

}  // namespace

int16_t ModuleWidthFor(double wanted, int32_t n) {
  if (!(wanted > n)) return 1;
  const double estimate = std::ceil(wanted / n);
  if (estimate > 32767) throw Failure::Overflow();
  auto m = static_cast<long long>(estimate);
  // The quotient is rounded: settle on the smallest m with n x m >= wanted exactly.
  while (m > 1 && static_cast<double>(n) * static_cast<double>(m - 1) >= wanted) --m;
  while (static_cast<double>(n) * static_cast<double>(m) < wanted) ++m;
  if (m > 32767) throw Failure::Overflow();
  return static_cast<int16_t>(m);
}

void PaintBars(DrawTarget& target, float x, float y, TextView modules, int16_t leftQuiet,
               int16_t rightQuiet, TextView text, int16_t width, int16_t height, int16_t layout) {
  // Only the encoders make module strings; anything but bars and spaces is a fault there.
  if (!IsModuleString(modules)) throw Failure::InvalidPropertyValue();
  // A failed painting goes to the caller, but the target keeps its unit and pen.
  InPixels(target, [&](int16_t unit) {
    PaintInPixels(target, unit, x, y, modules, leftQuiet, rightQuiet, text, width, height, layout);
  });
}

}  // namespace vant
