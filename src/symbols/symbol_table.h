// The symbols beyond the four barcodes, one row each: how the symbol is drawn, which
// encoder makes it and the quiet zone it needs. The command table names the command that
// draws each.
#pragma once

#include <cstdint>

#include "engine/preview_marks.h"
#include "engine/symbol_encoder.h"

namespace vant {

enum class SymbolCommand : uint8_t { kQr, kGs1_128, kCode128, kItf, kCustomer };

struct SymbolRow {
  SymbolCommand command;
  SymbolShape shape;
  EncodedKind encoded;   // (not used by kPostal, which the core encodes itself)
  int16_t quietModules;  // each side; counted in a linear symbol's width
};

const SymbolRow& RowOf(SymbolCommand command);

}  // namespace vant
