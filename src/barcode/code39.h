// Code 39: the optional modulo-43 check character, the frame of "*", and a one-module gap
// after every character.
#pragma once

#include "barcode/encoded_symbol.h"

namespace vant {

// The value of c in the Code 39 set, 0 to 43, or -1 outside it.
int Code39Value(char16_t c);

// The check character of s: the character of value (sum of values) mod 43, or empty text
// when the sum is negative (only with characters outside the set, which count -1).
Text Code39CheckCharacter(TextView s);

// The data upper-cased, with the check character when check, framed by "*", and its
// modules; or the refusal naming the framed text.
EncodedSymbol EncodeCode39(TextView data, bool check);

}  // namespace vant
