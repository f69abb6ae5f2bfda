// The barcode painter called as the tests read best: one function per symbology with the
// method's values as arguments.
#pragma once

#include <cstdint>
#include <optional>

#include "barcode/barcode_fields.h"

namespace vant {

// What painting returns for a symbol that was painted, and for data refused with a message.
inline const std::optional<Text> kPainted;
inline std::optional<Text> Refused(const Text& message) { return message; }

inline BarcodeFields FieldsOf(float x, float y, TextView data, int16_t width, int16_t height,
                              bool showText, bool check) {
  return BarcodeFields{x, y, Text(data), width, height, showText, check};
}

inline std::optional<Text> DrawJan13(DrawTarget& target, float x, float y, TextView data, int16_t width,
                      int16_t height, bool showText) {
  return DrawSymbol(Symbology::kJan13, target, FieldsOf(x, y, data, width, height, showText, false));
}

inline std::optional<Text> DrawJan8(DrawTarget& target, float x, float y, TextView data, int16_t width,
                     int16_t height, bool showText) {
  return DrawSymbol(Symbology::kJan8, target, FieldsOf(x, y, data, width, height, showText, false));
}

inline std::optional<Text> DrawNw7(DrawTarget& target, float x, float y, TextView data, int16_t width,
                    int16_t height, bool showText, bool check) {
  return DrawSymbol(Symbology::kNw7, target, FieldsOf(x, y, data, width, height, showText, check));
}

inline std::optional<Text> DrawCode39(DrawTarget& target, float x, float y, TextView data, int16_t width,
                       int16_t height, bool showText, bool check) {
  return DrawSymbol(Symbology::kCode39, target, FieldsOf(x, y, data, width, height, showText, check));
}

}  // namespace vant
