// The Japan Post customer barcode (郵便カスタマバーコード): the postcode and the address
// number brought to 20 characters, a check character, framed by the start and stop bars.
#pragma once

#include <variant>

#include "common/text.h"

namespace vant {

struct CustomerBars {
  Text characters;  // the 20 characters and the check character as values, one char16_t each (0-18)
  Text bars;        // every bar left to right: customer::kLong ... customer::kTiming
};

// data: the 7-digit postcode (a hyphen after its third digit is allowed) followed by the
// address number: digits, hyphens and the letters A to Z; full-width forms and lower case
// are taken as the same. Refused with the message of what is wrong.
std::variant<CustomerBars, Text> EncodeCustomer(TextView data);

}  // namespace vant
