// The four barcode methods: which encoder a command names, and its arguments as read from
// a method line or a preview copy.
#pragma once

#include <cstdint>
#include <optional>

#include "common/method_rec.h"
#include "engine/draw_target.h"

namespace vant {

enum class Symbology { kJan13, kJan8, kNw7, kCode39 };

// command is field 0, lower-cased: "prnjan13", "prnjan8", "prnnw7" or "prncode39".
std::optional<Symbology> SymbologyOf(TextView command);
TextView CommandOf(Symbology symbology);
// NW-7 and Code 39 take the check-character flag of field 7.
bool HasCheckCharacter(Symbology symbology);

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

// Calls the encoder of symbology on target with these values; its success flag.
bool DrawSymbol(Symbology symbology, DrawTarget& target, const BarcodeFields& fields);

}  // namespace vant
