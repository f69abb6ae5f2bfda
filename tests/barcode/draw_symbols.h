// The barcode painter called as the tests read best: one function per symbology with the
// method's values as arguments.
#pragma once

#include <cstdint>

#include "barcode/barcode_fields.h"

namespace vant {

inline BarcodeFields FieldsOf(float x, float y, TextView data, int16_t width, int16_t height,
                              bool showText, bool check) {
  return BarcodeFields{x, y, Text(data), width, height, showText, check};
}

inline bool DrawJan13(DrawTarget& target, float x, float y, TextView data, int16_t width,
                      int16_t height, bool showText) {
  return DrawSymbol(Symbology::kJan13, target, FieldsOf(x, y, data, width, height, showText, false));
}

inline bool DrawJan8(DrawTarget& target, float x, float y, TextView data, int16_t width,
                     int16_t height, bool showText) {
  return DrawSymbol(Symbology::kJan8, target, FieldsOf(x, y, data, width, height, showText, false));
}

inline bool DrawNw7(DrawTarget& target, float x, float y, TextView data, int16_t width,
                    int16_t height, bool showText, bool check) {
  return DrawSymbol(Symbology::kNw7, target, FieldsOf(x, y, data, width, height, showText, check));
}

inline bool DrawCode39(DrawTarget& target, float x, float y, TextView data, int16_t width,
                       int16_t height, bool showText, bool check) {
  return DrawSymbol(Symbology::kCode39, target, FieldsOf(x, y, data, width, height, showText, check));
}

}  // namespace vant
