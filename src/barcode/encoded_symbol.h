// What an encoder makes of its data before painting: the modules and the text as encoded,
// or the message of a refusal.
#pragma once

#include "barcode/module_string.h"

namespace vant {

struct EncodedSymbol {
  ModuleString modules;  // empty when refused
  Text text;             // the human-readable text: the characters as encoded
  Text refusal;          // the message when refused

  bool Refused() const { return modules.empty(); }
};

inline EncodedSymbol Refusal(Text message) { return EncodedSymbol{{}, {}, std::move(message)}; }

}  // namespace vant
