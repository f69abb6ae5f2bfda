#include "barcode/jan13.h"

#include "barcode/jan_digits.h"
#include "barcode/jan_symbol.h"
#include "barcode/jan_tables.h"
#include "barcode/paint_bars.h"

namespace vant {

ModuleString Jan13Modules(TextView digits) {
  RequireJanDigits(digits, kJan13DataDigits + 1);
  // The leading digit is not drawn: it chooses the sets of the six left digits.
  const TextView parity = JanParity[static_cast<size_t>(digits[0] - u'0')];
  ModuleString modules(kJanEdgeGuard);
  for (size_t i = 0; i < 6; ++i) {
    AppendDigit(modules, parity[i] == u'0' ? JanLeftOdd : JanLeftEven, digits[i + 1]);
  }
  modules += kJanCentreGuard;
  for (size_t i = 7; i < 13; ++i) AppendDigit(modules, JanRight, digits[i]);
  modules += kJanEdgeGuard;
  return modules;
}

bool DrawJan13(DrawTarget& target, float x, float y, TextView data, int16_t width,
               int16_t height, bool showText) {
  const Text digits = MakeJanDigits(data, true);
  if (digits.empty()) return false;
  PaintBars(target, x, y, Jan13Modules(digits), kQuietModules, kQuietModules,
            showText ? TextView(digits) : TextView(), width, height, kTextJan13);
  return true;
}

}  // namespace vant
