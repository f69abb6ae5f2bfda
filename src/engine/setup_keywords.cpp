#include "engine/setup_keywords.h"

namespace vant {
namespace {

constexpr KeywordRow kPaperSize[] = {
    {{u"vbprpsletter", u"prpsletter", u"1"}, 1},
    {{u"vbprpslettersmall", u"prpslettersmall", u"2"}, 2},
    {{u"vbprpstabloid", u"prpstabloid", u"3"}, 3},
    {{u"vbprpsledger", u"prpsledger", u"4"}, 4},
    {{u"vbprpslegal", u"prpslegal", u"5"}, 5},
    {{u"vbprpsstatement", u"prpsstatement", u"6"}, 6},
    {{u"vbprpsexecutive", u"prpsexecutive", u"7"}, 7},
    {{u"a3", u"vbprpsa3", u"prpsa3", u"8"}, 8},
    {{u"a4", u"vbprpsa4", u"prpsa4", u"9"}, 9},
    {{u"a4s", u"vbprpsa4small", u"prpsa4small", u"10"}, 10},
    {{u"a5", u"vbprpsa5", u"prpsa5", u"11"}, 11},
    {{u"b4", u"vbprpsb4", u"prpsb4", u"12"}, 12},
    {{u"b5", u"vbprpsb5", u"prpsb5", u"13"}, 13},
    {{u"vbprpsfolio", u"prpsfolio", u"14"}, 14},
    {{u"vbprpsquarto", u"prpsquarto", u"15"}, 15},
    {{u"vbprps10x14", u"prps10x14", u"16"}, 16},
    {{u"vbprps11x17", u"prps11x17", u"17"}, 17},
    {{u"vbprpsnote", u"prpsnote", u"18"}, 18},
    {{u"vbprpsenv9", u"prpsenv9", u"19"}, 19},
    {{u"vbprpsenv10", u"prpsenv10", u"20"}, 20},
    {{u"vbprpsenv11", u"prpsenv11", u"21"}, 21},
    {{u"vbprpsenv12", u"prpsenv12", u"22"}, 22},
    {{u"vbprpsenv14", u"prpsenv14", u"23"}, 23},
    {{u"vbprpscsheet", u"prpscsheet", u"24"}, 24},
    {{u"vbprpsdsheet", u"prpsdsheet", u"25"}, 25},
    {{u"vbprpsesheet", u"prpsesheet", u"26"}, 26},
    {{u"vbprpsenvdl", u"prpsenvdl", u"27"}, 27},
    // The envelopes C3, C4 and C5 carry the platform's codes 29, 30 and 28; their number
    // keywords follow the list order.
    {{u"vbprpsenvc3", u"prpsenvc3", u"28"}, 29},
    {{u"vbprpsenvc4", u"prpsenvc4", u"29"}, 30},
    {{u"vbprpsenvc5", u"prpsenvc5", u"30"}, 28},
    {{u"vbprpsenvc6", u"prpsenvc6", u"31"}, 31},
    {{u"vbprpsenvc65", u"prpsenvc65", u"32"}, 32},
    {{u"vbprpsenvb4", u"prpsenvb4", u"33"}, 33},
    {{u"vbprpsenvb5", u"prpsenvb5", u"34"}, 34},
    {{u"vbprpsenvb6", u"prpsenvb6", u"35"}, 35},
    {{u"vbprpsenvitaly", u"prpsenvitaly", u"36"}, 36},
    {{u"vbprpsenvmonarch", u"prpsenvmonarch", u"37"}, 37},
    {{u"vbprpsenvpersonal", u"prpsenvpersonal", u"38"}, 38},
    {{u"vbprpsfanfoldus", u"prpsfanfoldus", u"39"}, 39},
    {{u"vbprpsfanfoldstdgerman", u"prpsfanfoldstdgerman", u"40"}, 40},
    {{u"vbprpsfanfoldlglgerman", u"prpsfanfoldlglgerman", u"41"}, 41},
    {{u"vbprpsuser", u"prpsuser", u"256"}, 256},
};
static_assert(std::size(kPaperSize) == 42);

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
