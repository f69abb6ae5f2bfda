// JAN-8 (EAN-8): 67 modules, both halves without parity choice.
#pragma once

#include "barcode/encoded_symbol.h"
#include "barcode/module_string.h"

namespace vant {

inline constexpr size_t kJan8Modules = 67;

// The modules of the 8 completed digits; other text is refused with
// Failure::InvalidPropertyValue.
ModuleString Jan8Modules(TextView digits);

// The modules of the completed digits and the digits as the text; or the refusal of data
// that is empty or not plain digits. The check digit is always computed, so check is unused.
EncodedSymbol EncodeJan8(TextView data, bool check);

}  // namespace vant
