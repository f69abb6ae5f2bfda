// Painting the symbols beyond the four barcodes on a target's dot grid: every module is
// whole device dots, m for a bar or space and m x m for a QR module, laid from one corner
// rounded to a whole dot; the customer barcode's bars at Japan Post's pitch and heights
// rounded to whole dots.
#pragma once

#include <optional>

#include "engine/draw_target.h"
#include "engine/preview_marks.h"
#include "engine/symbol_encoder.h"
#include "symbols/symbol_table.h"

namespace vant {

// Japan Post's sizes at 10 points, millimetres; other sizes in proportion.
inline constexpr double kCustomerBarMm = 0.6;     // a bar's width, and the space after it
inline constexpr double kCustomerThirdMm = 1.2;   // the timing bar; ascenders 2, long bars 3
inline constexpr double kCustomerBasePoints = 10;

// Paints what the encoder made (not refused) with the values in the target's unit. A
// linear symbol is painted by the bar painter with its quiet zones and centred text. The
// customer barcode's sizes come from pixelsPerMm when it is above 0, from the target
// otherwise. A QR side under one dot a module comes back as the refusal; nothing is painted.
std::optional<Text> PaintSymbol(const SymbolRow& row, DrawTarget& target, const SymbolValues& values,
                                const SymbolModules& modules, double pixelsPerMm);

// The customer barcode's bar width and third of its height in whole dots (at least 1).
struct CustomerDots {
  int32_t bar = 1;
  int32_t third = 1;
};
CustomerDots CustomerDotsFor(double points, double pixelsPerMm);

}  // namespace vant
