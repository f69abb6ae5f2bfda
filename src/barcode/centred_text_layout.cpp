#include "barcode/centred_text_layout.h"

#include "barcode/font_fitting.h"
#include "common/numbers.h"

namespace vant {
namespace {

// The widest the text may be, as a share of the bar width.
inline constexpr double kTextShare = 0.7;

}  // namespace

void LayOutCentredText(DrawTarget& target, PictureBox* box, size_t moduleCount, TextView text,
                       const BarGeometry& g) {
  const int16_t barWidth = Product16(static_cast<long long>(moduleCount), g.m);
  const int tooWide = FirstTooWideSize(target, text, kTextShare * barWidth);
  // One size back; even a first size that is too wide steps back, to 0, which the target
  // refuses.
  target.SetFontSize(tooWide == 0 ? kLargestFittedSize : tooWide - 1);

  const int32_t textWidth = WholeInt32(target.TextWidth(text));
  const float textTop = g.y + static_cast<float>(g.barHeight);
  GrowHeight(box, WholeInt32(static_cast<double>(textTop) + static_cast<double>(target.TextHeight(text))));
  const double x = static_cast<double>(g.x) + (barWidth - textWidth) / 2.0 +
                   Product16(g.leftQuiet, g.m);
  PrintAt(target, static_cast<float>(x), textTop, text);
}

}  // namespace vant
