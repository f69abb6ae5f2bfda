#include "barcode/paint_symbol.h"

#include "barcode/barcode_state.h"
#include "barcode/paint_bars.h"

namespace vant {

bool PaintCentredSymbol(DrawTarget& target, float x, float y, const EncodedSymbol& symbol,
                        int16_t width, int16_t height, bool showText) {
  if (symbol.Refused()) {
    BarcodeErrorText() = symbol.refusal;
    return false;
  }
  PaintBars(target, x, y, symbol.modules, kQuietModules, kQuietModules,
            showText ? TextView(symbol.text) : TextView(), width, height, kTextCentred);
  return true;
}

}  // namespace vant
