// The digits of a JAN symbol: the data brought to 12 (JAN-13) or 7 (JAN-8) digits and the
// check digit, which is always computed afresh.
#pragma once

#include "common/text.h"

namespace vant {

inline constexpr size_t kJan13DataDigits = 12;
inline constexpr size_t kJan8DataDigits = 7;

// The EAN modulo-10 check digit of digits (ASCII digits only).
char16_t JanCheckDigit(TextView digits);

struct JanDigits {
  Text digits;   // empty when refused
  Text refusal;  // the message when refused
};

// The completed digits, 13 (longForm) or 8; or, for data that is empty or not plain
// digits, the refusal. Short data is padded with zeros on the right, long data cut; a
// check digit in the data is replaced.
JanDigits CompleteJanDigits(TextView data, bool longForm);

}  // namespace vant
