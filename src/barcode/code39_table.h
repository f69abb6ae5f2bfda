// Code 39: the character set in value order and each character's 12 modules, derived from
// the standard's element widths: nine elements from a bar, bar and space alternating,
// three of them wide (2 modules), the others narrow (1 module).
#pragma once

#include <array>
#include <string_view>

#include "barcode/module_checks.h"

namespace vant {

inline constexpr TextView kCode39Set = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
inline constexpr char16_t kCode39StartStop = u'*';
inline constexpr size_t kCode39Elements = 9;
inline constexpr size_t kCode39CharacterModules = 12;
inline constexpr int kCode39WideElements = 3;

// The standard's width table: element by element, "1" wide and "0" narrow.
inline constexpr std::array<std::string_view, 44> kCode39Widths = {
    "000110100", "100100001", "001100001", "101100000", "000110001",  // 0-4
    "100110000", "001110000", "000100101", "100100100", "001100100",  // 5-9
    "100001001", "001001001", "101001000", "000011001", "100011000",  // A-E
    "001011000", "000001101", "100001100", "001001100", "000011100",  // F-J
    "100000011", "001000011", "101000010", "000010011", "100010010",  // K-O
    "001010010", "000000111", "100000110", "001000110", "000010110",  // P-T
    "110000001", "011000001", "111000000", "010010001", "110010000",  // U-Y
    "011010000", "010000101", "110000100", "011000100", "010101000",  // Z - . blank $
    "010100010", "010001010", "000101010", "010010100",               // / + % *
};

namespace code39_checks {

constexpr int CountWide(std::string_view widths) {
  int wide = 0;
  for (char c : widths) wide += c == '1' ? 1 : 0;
  return wide;
}

constexpr bool EveryWidthEntry() {
  for (std::string_view w : kCode39Widths) {
    if (w.size() != kCode39Elements || CountWide(w) != kCode39WideElements) return false;
  }
  return true;
}

}  // namespace code39_checks

static_assert(code39_checks::EveryWidthEntry(), "nine elements, three of them wide");

using Code39Modules = std::array<char16_t, kCode39CharacterModules>;

constexpr Code39Modules ModulesFromWidths(std::string_view widths) {
  Code39Modules modules{};
  size_t at = 0;
  for (size_t e = 0; e < widths.size(); ++e) {
    const char16_t module = e % 2 == 0 ? kBarModule : kSpaceModule;
    const size_t width = widths[e] == '1' ? 2 : 1;
    for (size_t k = 0; k < width && at < modules.size(); ++k) modules[at++] = module;
  }
  return modules;
}

inline constexpr std::array<Code39Modules, 44> kCode39ModuleStore = [] {
  std::array<Code39Modules, 44> store{};
  for (size_t v = 0; v < store.size(); ++v) store[v] = ModulesFromWidths(kCode39Widths[v]);
  return store;
}();

inline constexpr std::array<TextView, 44> Code39Patterns = [] {
  std::array<TextView, 44> patterns{};
  for (size_t v = 0; v < patterns.size(); ++v) {
    patterns[v] = TextView(kCode39ModuleStore[v].data(), kCode39CharacterModules);
  }
  return patterns;
}();

namespace code39_checks {
using namespace module_checks;

constexpr TextView PatternOf(char16_t c) { return Code39Patterns[kCode39Set.find(c)]; }

constexpr bool EveryPattern() {
  for (size_t v = 0; v < Code39Patterns.size(); ++v) {
    const TextView p = Code39Patterns[v];
    int wide = 0;
    for (int k = 0; k < static_cast<int>(kCode39Elements); ++k) {
      const int w = ElementWidth(p, k);
      if (w != 1 && w != 2) return false;
      wide += w == 2 ? 1 : 0;
    }
    if (CountElements(p) != static_cast<int>(kCode39Elements) || wide != kCode39WideElements ||
        p.front() != kBarModule || p.back() != kBarModule) {
      return false;
    }
  }
  return true;
}

}  // namespace code39_checks

static_assert(kCode39Set.size() == Code39Patterns.size());
static_assert(kCode39Set.back() == kCode39StartStop);
static_assert(module_checks::AllOfLength(Code39Patterns, kCode39CharacterModules));
static_assert(module_checks::AllDistinct(Code39Patterns));
static_assert(code39_checks::EveryPattern(), "12 modules, three wide, from bar to bar");
static_assert(code39_checks::PatternOf(u'0') == u"101001101101");
static_assert(code39_checks::PatternOf(u'A') == u"110101001011");
static_assert(code39_checks::PatternOf(u'-') == u"100101011011");
static_assert(code39_checks::PatternOf(u'.') == u"110010101101");
static_assert(code39_checks::PatternOf(u' ') == u"100110101101");
static_assert(code39_checks::PatternOf(u'$') == u"100100100101");
static_assert(code39_checks::PatternOf(u'%') == u"101001001001");
static_assert(code39_checks::PatternOf(u'*') == u"100101101101");

}  // namespace vant
