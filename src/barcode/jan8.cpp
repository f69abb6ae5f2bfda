#include "barcode/jan8.h"

#include "barcode/jan_digits.h"
#include "barcode/jan_symbol.h"
#include "barcode/jan_tables.h"
#include "barcode/paint_bars.h"

namespace vant {

ModuleString Jan8Modules(TextView digits) {
  RequireJanDigits(digits, kJan8DataDigits + 1);
  ModuleString modules(kJanEdgeGuard);
  for (size_t i = 0; i < 4; ++i) AppendDigit(modules, JanLeftOdd, digits[i]);
  modules += kJanCentreGuard;
  for (size_t i = 4; i < 8; ++i) AppendDigit(modules, JanRight, digits[i]);
  modules += kJanEdgeGuard;
  return modules;
}

bool DrawJan8(DrawTarget& target, float x, float y, TextView data, int16_t width,
              int16_t height, bool showText) {
  const Text digits = MakeJanDigits(data, false);
  if (digits.empty()) return false;
  PaintBars(target, x, y, Jan8Modules(digits), kQuietModules, kQuietModules,
            showText ? TextView(digits) : TextView(), width, height, kTextJan8);
  return true;
}

}  // namespace vant
