// The keyword tables of the six printer property commands. A row accepts up to four forms
// (a long name with the prefix "vb", the same without it, a number that is the row's
// position in the list, sometimes a short form); the first row holding the lower-cased
// argument gives the value.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vant {

struct KeywordRow {
  std::array<std::u16string_view, 4> forms;
  int16_t value;
};

extern const std::span<const KeywordRow> kPaperSizeKeywords;
extern const std::span<const KeywordRow> kOrientationKeywords;
extern const std::span<const KeywordRow> kScaleModeKeywords;
extern const std::span<const KeywordRow> kPrintQualityKeywords;
extern const std::span<const KeywordRow> kPaperBinKeywords;
extern const std::span<const KeywordRow> kColorModeKeywords;

// The value of the first row whose forms hold keyword (compared exactly).
std::optional<int16_t> FindKeyword(std::span<const KeywordRow> table, std::u16string_view keyword);

}  // namespace vant
