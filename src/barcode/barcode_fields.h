// The four barcode methods' arguments as read from a method line, and the one painter of a
// symbol.
#pragma once

#include <cstdint>
#include <optional>

#include "barcode/symbologies.h"
#include "common/method_rec.h"
#include "engine/draw_target.h"
#include "engine/preview_marks.h"

namespace vant {

// In the method's unit as read, in preview pixels as recorded.
using BarcodeFields = BarcodeValues;

// Fields 1 to 7; overflows of the whole numbers and of x and y go to the caller.
BarcodeFields ReadBarcodeFields(Symbology symbology, const MethodRec& method);

// Encodes the data with the symbology's encoder and paints the symbol with its text
// layout. Data the encoder refuses paints nothing and comes back as the refusal's message;
// nothing comes back when the symbol was painted.
std::optional<Text> DrawSymbol(Symbology symbology, DrawTarget& target, const BarcodeFields& fields);

}  // namespace vant
