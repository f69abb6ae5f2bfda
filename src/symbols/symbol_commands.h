// The commands of the symbols beyond the four barcodes: their argument reader, the encoding
// (the core's checks, then the customer barcode's own encoder or the run's SymbolEncoder),
// drawing on paper, recording for the preview and replaying a recorded symbol.
#pragma once

#include <optional>

#include "common/method_rec.h"
#include "engine/command_table.h"
#include "engine/preview_marks.h"
#include "engine/printer.h"
#include "symbols/symbol_table.h"

namespace vant {

// Fields 1 to 6 as the command has them; overflows of the whole numbers go to the caller.
//   QR:          x, y, data, side, level
//   linear:      x, y, data, width, height, show text (as for the JAN barcodes, the data as written)
//   customer:    x, y, data, points (empty: 10)
SymbolValues ReadSymbolValues(SymbolCommand command, const MethodRec& method);

// The modules of the values' data, or the refusal.
SymbolModules EncodeSymbol(SymbolCommand command, const SymbolValues& values, const SymbolEncoder* symbols);

// Paper: encodes and paints; the refusal comes back, nothing when the symbol was painted.
std::optional<Text> DrawSymbolCommand(SymbolCommand command, DrawTarget& target, const SymbolValues& values,
                                      const SymbolEncoder* symbols);

// Preview building: converts position and sizes to preview pixels, marks the page shown and
// keeps the encoded symbol (or its refusal) for the page.
SymbolValues RecordSymbol(SymbolCommand command, const Printer& printer, DrawTarget& picture, PageRec& page,
                          const SymbolValues& values, const SymbolEncoder* symbols);

// Showing a preview page: a refused symbol leaves its place blank, without a message.
void ReplaySymbolCommand(SymbolCommand command, const SymbolValues& mark, const ReplaySurfaces& surfaces);

}  // namespace vant
