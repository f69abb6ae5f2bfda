// The symbol encoder of the Linux platform: libzint makes the modules of QR Code, GS1-128,
// Code 128 and Interleaved 2 of 5 from data the core has checked; the core paints them.
#pragma once

#include "engine/symbol_encoder.h"

namespace vant::symbols {

class ZintEncoder final : public SymbolEncoder {
 public:
  SymbolModules Encode(EncodedKind kind, TextView data, QrLevel level) const override;
};

}  // namespace vant::symbols
