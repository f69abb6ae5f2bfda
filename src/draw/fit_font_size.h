// The font size of a preview text copy: the largest whole size at which the text, set in
// the picture's own font, is not wider than twice its width at the requested size.
#pragma once

#include "engine/draw_target.h"

namespace vant {

// The sizes tried run from 1 to this many points.
inline constexpr int kFitSizeLimit = 2160;

// Leaves the picture's font size as it found it (rounded to a whole number). The
// requested size is set on the picture first; a size the picture refuses is a Failure.
double FitPreviewFontSize(DrawTarget& picture, TextView text, double requestedSize);

}  // namespace vant
