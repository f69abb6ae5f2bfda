// NW-7 (Codabar): the character set in value order and each character's 14 modules, its
// seven elements (narrow 1, wide 3 modules) followed by the gap to the next character.
#pragma once

#include <array>

#include "barcode/module_checks.h"

namespace vant {

inline constexpr TextView kNw7Set = u"0123456789-$:/.+ABCD";
inline constexpr TextView kNw7StartStop = u"ABCD";
inline constexpr size_t kNw7CharacterModules = 14;

inline constexpr std::array<TextView, 20> Nw7Patterns = {
    u"10101000111000",  // 0
    u"10101110001000",  // 1
    u"10100010111000",  // 2
    u"11100010101000",  // 3
    u"10111010001000",  // 4
    u"11101010001000",  // 5
    u"10001010111000",  // 6
    u"10001011101000",  // 7
    u"10001110101000",  // 8
    u"11101000101000",  // 9
    u"10100011101000",  // -
    u"10111000101000",  // $
    u"11101011101110",  // :
    u"11101110101110",  // /
    u"11101110111010",  // .
    u"10111011101110",  // +
    u"10111000100010",  // A
    u"10001000101110",  // B
    u"10100010001110",  // C
    u"10100011100010",  // D
};

namespace nw7_checks {
using namespace module_checks;

// Seven elements of 1 or 3 modules from a bar, then the gap: 3 modules after a character
// with two wide elements (11 modules), 1 after one with three (13 modules).
constexpr bool IsCharacter(TextView p) {
  if (p.front() != kBarModule || CountElements(p) != 8) return false;
  int wide = 0;
  for (int k = 0; k < 7; ++k) {
    const int w = ElementWidth(p, k);
    if (w != 1 && w != 3) return false;
    wide += w == 3 ? 1 : 0;
  }
  const int gap = ElementWidth(p, 7);
  return (wide == 2 && gap == 3) || (wide == 3 && gap == 1);
}

constexpr bool EveryCharacter() {
  for (TextView p : Nw7Patterns) {
    if (!IsCharacter(p)) return false;
  }
  return true;
}

// The characters with three wide elements are ":", "/", ".", "+" and A to D.
constexpr bool WideGroupsAsStandard() {
  for (size_t v = 0; v < Nw7Patterns.size(); ++v) {
    const bool threeWide = ElementWidth(Nw7Patterns[v], 7) == 1;
    if (threeWide != (v >= 12)) return false;
  }
  return true;
}

}  // namespace nw7_checks

static_assert(kNw7Set.size() == Nw7Patterns.size());
static_assert(module_checks::AllOfLength(Nw7Patterns, kNw7CharacterModules));
static_assert(module_checks::AllDistinct(Nw7Patterns));
static_assert(nw7_checks::EveryCharacter());
static_assert(nw7_checks::WideGroupsAsStandard());
static_assert(kNw7Set.substr(16) == kNw7StartStop);

}  // namespace vant
