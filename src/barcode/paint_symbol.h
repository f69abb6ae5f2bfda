// The last step of the NW-7 and Code 39 encoders: a refusal goes to BarcodeErrorText, an
// encoded symbol to the bar painter with the centred text.
#pragma once

#include <cstdint>

#include "barcode/encoded_symbol.h"
#include "engine/draw_target.h"

namespace vant {

// Returns false (the refusal in BarcodeErrorText) or paints and returns true.
bool PaintCentredSymbol(DrawTarget& target, float x, float y, const EncodedSymbol& symbol,
                        int16_t width, int16_t height, bool showText);

}  // namespace vant
