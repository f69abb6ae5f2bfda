// The text layout of NW-7 and Code 39: one line centred under the bars, its font fitted
// to 0.7 of their width.
#pragma once

#include "barcode/bar_geometry.h"
#include "engine/picture_box.h"

namespace vant {

// moduleCount is the length of the module string (the bars without the quiet zones).
void LayOutCentredText(DrawTarget& target, PictureBox* box, size_t moduleCount, TextView text,
                       const BarGeometry& g);

}  // namespace vant
