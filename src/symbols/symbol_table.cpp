#include "symbols/symbol_table.h"

#include <array>

namespace vant {
namespace {

// Quiet zones: 4 modules round a QR Code, 10 beside Code 128, GS1-128 and ITF.
inline constexpr std::array<SymbolRow, 5> kSymbolRows = {{
    {SymbolCommand::kQr, SymbolShape::kMatrix, EncodedKind::kQr, 4},
    {SymbolCommand::kGs1_128, SymbolShape::kLinear, EncodedKind::kGs1_128, 10},
    {SymbolCommand::kCode128, SymbolShape::kLinear, EncodedKind::kCode128, 10},
    {SymbolCommand::kItf, SymbolShape::kLinear, EncodedKind::kItf, 10},
    {SymbolCommand::kCustomer, SymbolShape::kPostal, EncodedKind::kQr, 0},
}};

constexpr bool InEnumOrder() {
  for (size_t i = 0; i < kSymbolRows.size(); ++i) {
    if (static_cast<size_t>(kSymbolRows[i].command) != i) return false;
  }
  return true;
}
static_assert(InEnumOrder(), "kSymbolRows is indexed by SymbolCommand");

}  // namespace

const SymbolRow& RowOf(SymbolCommand command) { return kSymbolRows[static_cast<size_t>(command)]; }

}  // namespace vant
