// The preview conversion of the drawing methods: coordinates from the printer's unit to
// preview pixels at twice the picture's density, and the shown flag of the page being built.
#pragma once

#include <cstdint>

#include "engine/draw_target.h"
#include "engine/page_record.h"
#include "engine/printer.h"

namespace vant {

// The preview page is drawn at twice the picture box's own pixel density.
inline constexpr float kPreviewScale = 2;

// v in the printer's current unit -> millimetres (by the printer) -> picture pixels (by
// the picture) -> times 2, as a single. Overflows beyond the single range.
float PreviewX(const Printer& printer, const DrawTarget& picture, float v);
float PreviewY(const Printer& printer, const DrawTarget& picture, float v);

// Sets the page's shown flag when the anchor lies strictly left of and above the picture's
// far edges. Never clears it; negative anchors count.
void MarkPageShown(const DrawTarget& picture, PageRec& page, float x, float y);


}  // namespace vant
