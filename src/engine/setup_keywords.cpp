#include "engine/setup_keywords.h"

#include "engine/papers.h"
#include "engine/setting_values.h"

namespace vant {
namespace {

// The keyword rows of a table whose rows carry keywords and a code: the papers and the
// values of the other settings.
template <typename Row, size_t N>
constexpr std::array<KeywordRow, N> KeywordRows(const Row (&values)[N]) {
  std::array<KeywordRow, N> rows{};
  for (size_t i = 0; i < N; ++i) rows[i] = KeywordRow{values[i].keywords, values[i].code};
  return rows;
}

constexpr auto kPaperSize = KeywordRows(kPapers);
constexpr auto kOrientation = KeywordRows(kOrientations);

constexpr KeywordRow kScaleMode[] = {
    {{u"mm", u"vbmillimeters", u"millimeters", u"1"}, 6},
    {{u"cm", u"vbcentimeters", u"centimeters", u"2"}, 7},
    {{u"pxl", u"vbpixels", u"pixels", u"3"}, 3},
};

constexpr auto kPrintQuality = KeywordRows(kPrintQualities);
constexpr auto kPaperBin = KeywordRows(kPaperBins);
constexpr auto kColorMode = KeywordRows(kColourModes);

}  // namespace

const std::span<const KeywordRow> kPaperSizeKeywords{kPaperSize};
const std::span<const KeywordRow> kOrientationKeywords{kOrientation};
const std::span<const KeywordRow> kScaleModeKeywords{kScaleMode};
const std::span<const KeywordRow> kPrintQualityKeywords{kPrintQuality};
const std::span<const KeywordRow> kPaperBinKeywords{kPaperBin};
const std::span<const KeywordRow> kColorModeKeywords{kColorMode};

std::optional<int16_t> FindKeyword(std::span<const KeywordRow> table, std::u16string_view keyword) {
  for (const auto& row : table) {
    for (const auto form : row.forms) {
      // Unused forms are empty; an empty argument matches none of them.
      if (!form.empty() && form == keyword) return row.value;
    }
  }
  return std::nullopt;
}

}  // namespace vant
