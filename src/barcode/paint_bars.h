// The bar painter behind every encoder: modules in whole device pixels, bars as filled
// black boxes, the human-readable text under the bars, and a picture box grown to fit.
#pragma once

#include <cstdint>

#include "engine/draw_target.h"

namespace vant {

// x, y, width and height are in the target's scale unit at the time of the call; width is
// the wanted width of the whole symbol with both quiet zones, height that of the bars
// without the text. text is empty for no text; layout is kTextJan13, kTextJan8 or (any
// other value) the centred line. ScaleMode and DrawWidth come back as they were, also
// when the painting fails; FontSize and FontBold keep what the text layout set. A value
// the target refuses, and a length beyond its 16- or 32-bit range (an overflow), end the
// painting and go to the caller. Bars are H pixels high, H the height in pixels and at
// least 1, the guard bars of the JAN layouts H + half the text height; the text starts on
// the row below the bars. A module string with anything but "1" and "0" is refused with
// Failure::InvalidPropertyValue before anything is painted.
void PaintBars(DrawTarget& target, float x, float y, TextView modules, int16_t leftQuiet,
               int16_t rightQuiet, TextView text, int16_t width, int16_t height, int16_t layout);

// Module width in device pixels for n modules asked to span wanted pixels: the smallest
// whole number m with n x m >= wanted, and at least 1. Beyond 16 bits an overflow.
int16_t ModuleWidthFor(double wanted, int32_t n);

}  // namespace vant
