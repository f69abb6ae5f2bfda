// The text layouts of JAN-13 and JAN-8: the digits under the halves of the symbol, the
// font fitted to a half, and the guard bars lengthened by half the text height.
#pragma once

#include <cstdint>

#include "barcode/bar_geometry.h"
#include "engine/picture_box.h"

namespace vant {

struct JanTextLayout;

// The layout of BarTextLayout code 13 or 8; nullptr for any other code (the centred text).
const JanTextLayout* JanLayoutFor(int16_t layout);

// Whether module (from 1) is a guard bar of the layout; never for nullptr.
bool IsGuardModule(const JanTextLayout* layout, size_t module);

// Fits the font, grows box (when there is one) to the text, prints the digit groups and
// returns the guard extension in pixels.
int32_t LayOutJanText(DrawTarget& target, PictureBox* box, const JanTextLayout& layout,
                      TextView text, const BarGeometry& g);

}  // namespace vant
