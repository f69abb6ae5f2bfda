// JAN-8 (EAN-8): 67 modules, both halves without parity choice.
#pragma once

#include <cstdint>

#include "barcode/module_string.h"
#include "engine/draw_target.h"

namespace vant {

inline constexpr size_t kJan8Modules = 67;

// The modules of the 8 completed digits; other text is refused with
// Failure::InvalidPropertyValue.
ModuleString Jan8Modules(TextView digits);

// Paints the symbol of data; false when the data is refused (message in BarcodeErrorText).
bool DrawJan8(DrawTarget& target, float x, float y, TextView data, int16_t width,
              int16_t height, bool showText);

}  // namespace vant
