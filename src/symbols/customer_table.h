// The Japan Post customer barcode's characters: each is three bars of four kinds, and has a
// value for the check digit. Digits 0 to 9 are worth 0 to 9, the hyphen 10, the control
// characters CC1 to CC8 11 to 18.
#pragma once

#include <array>

#include "common/text.h"

namespace vant::customer {

// The four bars, as their digit in the table below.
inline constexpr char16_t kLong = u'1';       // from the top to the bottom
inline constexpr char16_t kAscender = u'2';   // the upper two thirds
inline constexpr char16_t kDescender = u'3';  // the lower two thirds
inline constexpr char16_t kTiming = u'4';     // the middle third

// Indexed by value: 0 to 9, "-", CC1 to CC8.
inline constexpr std::array<TextView, 19> kCharacterBars = {
    u"144", u"114", u"132", u"312", u"123", u"141", u"321", u"213", u"231", u"411",  // 0-9
    u"414",                                                                          // -
    u"324", u"342", u"234", u"432", u"243", u"423", u"441", u"111",                  // CC1-CC8
};
inline constexpr TextView kStartBars = u"13";
inline constexpr TextView kStopBars = u"31";

inline constexpr int kHyphen = 10;
inline constexpr int kCc1 = 11;  // letters A to J: CC1 and 0 to 9
inline constexpr int kCc2 = 12;  // K to T: CC2 and 0 to 9
inline constexpr int kCc3 = 13;  // U to Z: CC3 and 0 to 5
inline constexpr int kCc4 = 14;  // fills the data up to its 20 characters
inline constexpr int kCheckModulus = 19;
inline constexpr size_t kDataCharacters = 20;  // the postcode's 7 and the address's 13

constexpr bool TableIsWellFormed() {
  for (size_t i = 0; i < kCharacterBars.size(); ++i) {
    if (kCharacterBars[i].size() != 3) return false;
    for (char16_t bar : kCharacterBars[i]) {
      if (bar < kLong || bar > kTiming) return false;
    }
    for (size_t j = i + 1; j < kCharacterBars.size(); ++j) {
      if (kCharacterBars[i] == kCharacterBars[j]) return false;
    }
  }
  return true;
}
static_assert(TableIsWellFormed(), "every character is three bars of the four kinds, each pattern once");

}  // namespace vant::customer
