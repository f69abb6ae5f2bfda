// What the core checks of a symbol's data before an encoder sees it, and what it completes:
// the characters each symbology holds, ITF-14's and GS1 keys' check digits, the QR level.
#pragma once

#include <optional>

#include "common/text.h"
#include "engine/symbol_encoder.h"

namespace vant {

// The data to encode and the human-readable text, or the refusal.
struct PreparedData {
  Text data;
  Text text;
  Text refusal;
};

PreparedData PrepareData(EncodedKind kind, TextView data);

// "L", "M", "Q" or "H" in either case; empty text is M. None for anything else.
std::optional<QrLevel> QrLevelFrom(TextView field);

// The GS1 (and EAN) modulo-10 check digit of digits: weights 3 and 1 from the right.
char16_t Gs1CheckDigit(TextView digits);

}  // namespace vant
