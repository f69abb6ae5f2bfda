// JAN-13 (EAN-13): 95 modules, the leading digit implied by the parity of the left half.
#pragma once

#include "barcode/encoded_symbol.h"
#include "barcode/module_string.h"

namespace vant {

inline constexpr size_t kJan13Modules = 95;

// The modules of the 13 completed digits (as CompleteJanDigits gives them); other text is
// refused with Failure::InvalidPropertyValue.
ModuleString Jan13Modules(TextView digits);

// The modules of the completed digits and the digits as the text; or the refusal of data
// that is empty or not plain digits. The check digit is always computed, so check is unused.
EncodedSymbol EncodeJan13(TextView data, bool check);

}  // namespace vant
