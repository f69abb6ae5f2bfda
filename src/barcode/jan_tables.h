// The JAN (EAN) character sets, the parity rule of the implied leading digit and the guard
// patterns, as the EAN/JAN standard gives them.
#pragma once

#include <array>

#include "barcode/module_checks.h"

namespace vant {

inline constexpr size_t kJanDigitModules = 7;

// Left half, odd parity (set A), digits 0 to 9.
inline constexpr std::array<TextView, 10> JanLeftOdd = {
    u"0001101", u"0011001", u"0010011", u"0111101", u"0100011",
    u"0110001", u"0101111", u"0111011", u"0110111", u"0001011",
};

// Left half, even parity (set B).
inline constexpr std::array<TextView, 10> JanLeftEven = {
    u"0100111", u"0110011", u"0011011", u"0100001", u"0011101",
    u"0111001", u"0000101", u"0010001", u"0001001", u"0010111",
};

// Right half (set C).
inline constexpr std::array<TextView, 10> JanRight = {
    u"1110010", u"1100110", u"1101100", u"1000010", u"1011100",
    u"1001110", u"1010000", u"1000100", u"1001000", u"1110100",
};

// Sets of the six left digits of a JAN-13 symbol by its leading digit: "0" set A, "1" set B.
inline constexpr std::array<TextView, 10> JanParity = {
    u"000000", u"001011", u"001101", u"001110", u"010011",
    u"011001", u"011100", u"010101", u"010110", u"011010",
};

inline constexpr TextView kJanEdgeGuard = u"101";
inline constexpr TextView kJanCentreGuard = u"01010";

namespace jan_checks {
using namespace module_checks;

constexpr bool EverySetShape() {
  for (size_t d = 0; d < 10; ++d) {
    // A left digit starts with a space and ends with a bar; two bars and two spaces.
    if (JanLeftOdd[d].front() != kSpaceModule || JanLeftOdd[d].back() != kBarModule) return false;
    if (CountElements(JanLeftOdd[d]) != 4 || CountElements(JanLeftEven[d]) != 4) return false;
    if (CountBars(JanLeftOdd[d]) % 2 != 1 || CountBars(JanLeftEven[d]) % 2 != 0) return false;
    if (!IsComplement(JanLeftOdd[d], JanRight[d])) return false;
    if (!IsReverse(JanRight[d], JanLeftEven[d])) return false;
  }
  return true;
}

constexpr bool EveryParityHasThreeEven() {
  for (size_t d = 1; d < 10; ++d) {
    if (CountBars(JanParity[d]) != 3 || JanParity[d].front() != u'0') return false;
  }
  return true;
}

}  // namespace jan_checks

static_assert(module_checks::AllOfLength(JanLeftOdd, kJanDigitModules));
static_assert(module_checks::AllOfLength(JanLeftEven, kJanDigitModules));
static_assert(module_checks::AllOfLength(JanRight, kJanDigitModules));
static_assert(module_checks::AllOfLength(JanParity, 6));
static_assert(module_checks::AllDistinct(JanLeftOdd) && module_checks::AllDistinct(JanLeftEven));
static_assert(module_checks::AllDistinct(JanParity));
static_assert(jan_checks::EverySetShape(), "sets A, B and C must follow from each other");
static_assert(JanParity[0] == u"000000" && jan_checks::EveryParityHasThreeEven());
static_assert(JanLeftOdd[0] == u"0001101" && JanLeftEven[0] == u"0100111" &&
              JanRight[0] == u"1110010");

}  // namespace vant
