#include "engine/setup_keywords.h"

#include "engine/papers.h"

namespace vant {
namespace {

// The paper table's keywords, one row per paper.
constexpr auto kPaperSize = [] {
  std::array<KeywordRow, std::size(kPapers)> rows{};
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = KeywordRow{kPapers[i].keywords, kPapers[i].code};
  return rows;
}();

// Orientation has no form with the prefix "vb".
constexpr KeywordRow kOrientation[] = {
    {{u"prorportrait", u"1", u"縦"}, 1},
    {{u"prorlandscape", u"2", u"横"}, 2},
};

constexpr KeywordRow kScaleMode[] = {
    {{u"mm", u"vbmillimeters", u"millimeters", u"1"}, 6},
    {{u"cm", u"vbcentimeters", u"centimeters", u"2"}, 7},
    {{u"pxl", u"vbpixels", u"pixels", u"3"}, 3},
};

constexpr KeywordRow kPrintQuality[] = {
    {{u"vbprpqdraft", u"prpqdraft", u"1"}, -1},
    {{u"vbprpqlow", u"prpqlow", u"2"}, -2},
    {{u"vbprpqmedium", u"prpqmedium", u"3"}, -3},
    {{u"vbprpqhigh", u"prpqhigh", u"4"}, -4},
};

constexpr KeywordRow kPaperBin[] = {
    {{u"vbprbnupper", u"prbnupper", u"1"}, 1},
    {{u"vbprbnlower", u"prbnlower", u"2"}, 2},
    {{u"vbprbnmiddle", u"prbnmiddle", u"3"}, 3},
    {{u"vbprbnmanual", u"prbnmanual", u"4"}, 4},
    {{u"vbprbnenvelope", u"prbnenvelope", u"5"}, 5},
    {{u"vbprbnenvmanual", u"prbnenvmanual", u"6"}, 6},
    {{u"vbprbnauto", u"prbnauto", u"7"}, 7},
    {{u"vbprbntractor", u"prbntractor", u"8"}, 8},
    {{u"vbprbnsmallfmt", u"prbnsmallfmt", u"9"}, 9},
    {{u"vbprbnlargefmt", u"prbnlargefmt", u"10"}, 10},
    {{u"vbprbnlargecapacity", u"prbnlargecapacity", u"11"}, 11},
    {{u"vbprbncassette", u"prbncassette", u"12"}, 14},
};
static_assert(std::size(kPaperBin) == 12);

// Monochrome has only its "vb" name and its number.
constexpr KeywordRow kColorMode[] = {
    {{u"vbprcmmonochrome", u"1"}, 1},
    {{u"vbprcmcolor", u"prcmcolor", u"2"}, 2},
};

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
