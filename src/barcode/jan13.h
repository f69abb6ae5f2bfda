// JAN-13 (EAN-13): 95 modules, the leading digit implied by the parity of the left half.
#pragma once

#include <cstdint>

#include "barcode/module_string.h"
#include "engine/draw_target.h"

namespace vant {

inline constexpr size_t kJan13Modules = 95;

// The modules of the 13 completed digits (as MakeJanDigits gives them); other text is
// refused with Failure::InvalidPropertyValue.
ModuleString Jan13Modules(TextView digits);

// Paints the symbol of data; false when the data is refused (message in BarcodeErrorText).
bool DrawJan13(DrawTarget& target, float x, float y, TextView data, int16_t width,
               int16_t height, bool showText);

}  // namespace vant
