// NW-7 (Codabar): start and stop characters A to D, the optional modulo-16 check character
// just before the stop character.
#pragma once

#include "barcode/encoded_symbol.h"

namespace vant {

// The value of c in the NW-7 set, 0 to 19, or -1 outside it.
int Nw7Value(char16_t c);

// The check character of s (start and stop included): "0" when the sum of the values is
// a multiple of 16, else the character of value 16 - remainder; empty text when that lies
// outside the set (only with characters outside the set, which count -1).
Text Nw7CheckCharacter(TextView s);

// The data upper-cased, checked for start and stop, with the check character when check,
// and its modules; or the refusal.
EncodedSymbol EncodeNw7(TextView data, bool check);

}  // namespace vant
