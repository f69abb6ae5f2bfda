// The font fitting of the bar painter's text layouts: the first whole size from 1 point
// up at which a text measures wider than a limit.
#pragma once

#include "engine/draw_target.h"

namespace vant {

// The sizes the fitting tries, in points: 1, 2, ... up to the largest a font takes (kMaxFontSize).
inline constexpr int kLargestFittedSize = 2160;

// The first size s in 1..2160 at which target.TextWidth(text), with FontSize = s, is
// greater than limit (in the current unit); 0 when no size is. Text width never shrinks
// as the size grows, so the sizes are halved rather than walked one by one: at most 13
// measurements where walking takes up to 2160. Leaves FontSize at one of the sizes tried;
// a size the target refuses goes to the caller.
int FirstTooWideSize(DrawTarget& target, TextView text, double limit);

}  // namespace vant
