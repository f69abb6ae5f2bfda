// The four barcode methods' arguments as read from a method line or a preview copy, and
// the one painter of a symbol.
#pragma once

#include <cstdint>
#include <optional>

#include "barcode/symbologies.h"
#include "common/method_rec.h"
#include "engine/draw_target.h"

namespace vant {

struct BarcodeFields {
  float x = 0;
  float y = 0;
  Text data;         // JAN: the decimal text of the number in field 3
  int16_t width = 0;
  int16_t height = 0;
  bool showText = false;
  bool check = true;  // off only when field 7, lower-cased, is "false"
};

// Fields 1 to 7; overflows of the whole numbers and of x and y go to the caller.
BarcodeFields ReadBarcodeFields(Symbology symbology, const MethodRec& method);

// Encodes the data with the symbology's encoder and paints the symbol with its text
// layout. Data the encoder refuses paints nothing and comes back as the refusal's message;
// nothing comes back when the symbol was painted.
std::optional<Text> DrawSymbol(Symbology symbology, DrawTarget& target, const BarcodeFields& fields);

}  // namespace vant
