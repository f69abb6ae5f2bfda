// The values of the page settings besides the paper (papers.h has those), one row per value:
// the code the printer property holds, the setup command's keywords, what the print server
// is sent for it and the Japanese name a refusal and the status bar give it. The setup
// commands, the printers and the status bar all read these rows; nothing else writes a code.
//
// Which IPP attribute a setting's values go to, and how, is the setting's row
// (printer_setting.h): print-quality's enum is mapped by the server to the queue's own
// quality choice, print-color-mode's keyword to its colour choice.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "common/text.h"

namespace vant {

// IPP "orientation-requested" values.
inline constexpr int kIppPortrait = 3;
inline constexpr int kIppLandscape = 4;
// IPP "print-quality" values.
inline constexpr int kIppDraft = 3;
inline constexpr int kIppNormal = 4;
inline constexpr int kIppHigh = 5;

struct SettingValue {
  int16_t code;
  // The command's argument forms (lower case): the "vb" name, the same without "vb", the
  // row's position in the original list (not always the code: the cassette), sometimes a
  // short form. Unused forms are empty.
  std::array<std::u16string_view, 4> keywords;
  // The IPP enum value (orientation-requested, print-quality); 0 for keyword settings.
  int ippEnum;
  // The IPP keywords that serve the value (print-color-mode, media-source), preferred
  // first; the second is empty unless a queue may name it otherwise.
  std::array<std::string_view, 2> ippKeywords;
  TextView name;  // "縦", "ドラフト", "手差し", "カラー"
};

// Orientation has no form with the prefix "vb".
inline constexpr SettingValue kOrientationPortrait{1, {u"prorportrait", u"1", u"縦"}, kIppPortrait, {}, u"縦"};
inline constexpr SettingValue kOrientationLandscape{2, {u"prorlandscape", u"2", u"横"}, kIppLandscape, {}, u"横"};
inline constexpr SettingValue kOrientations[] = {kOrientationPortrait, kOrientationLandscape};

// Low quality is printed as draft: the server knows three qualities, the language four.
inline constexpr SettingValue kQualityDraft{-1, {u"vbprpqdraft", u"prpqdraft", u"1"}, kIppDraft, {}, u"ドラフト"};
inline constexpr SettingValue kQualityLow{-2, {u"vbprpqlow", u"prpqlow", u"2"}, kIppDraft, {}, u"低"};
inline constexpr SettingValue kQualityMedium{-3, {u"vbprpqmedium", u"prpqmedium", u"3"}, kIppNormal, {}, u"中"};
inline constexpr SettingValue kQualityHigh{-4, {u"vbprpqhigh", u"prpqhigh", u"4"}, kIppHigh, {}, u"高"};
inline constexpr SettingValue kPrintQualities[] = {kQualityDraft, kQualityLow, kQualityMedium, kQualityHigh};

// Paper bins with the media-source keywords that serve them. Where the PWG registry has no
// keyword of its own (tractor, small and large format) the keyword is the one the print
// server derives from a driver's slot of that name. "auto" lets the printer choose and is
// taken by every printer: it is sent as the queue's own "auto" source when the queue lists
// one, and as no source otherwise.
inline constexpr SettingValue kBinUpper{1, {u"vbprbnupper", u"prbnupper", u"1"}, 0, {"top", ""}, u"上段トレイ"};
inline constexpr SettingValue kBinLower{2, {u"vbprbnlower", u"prbnlower", u"2"}, 0, {"bottom", ""}, u"下段トレイ"};
inline constexpr SettingValue kBinMiddle{3, {u"vbprbnmiddle", u"prbnmiddle", u"3"}, 0, {"middle", ""}, u"中段トレイ"};
inline constexpr SettingValue kBinManual{4, {u"vbprbnmanual", u"prbnmanual", u"4"}, 0, {"manual", ""}, u"手差し"};
inline constexpr SettingValue kBinEnvelope{5, {u"vbprbnenvelope", u"prbnenvelope", u"5"}, 0, {"envelope", ""}, u"封筒"};
inline constexpr SettingValue kBinEnvelopeManual{6, {u"vbprbnenvmanual", u"prbnenvmanual", u"6"}, 0, {"by-pass-tray", ""}, u"封筒手差し"};
inline constexpr SettingValue kBinAuto{7, {u"vbprbnauto", u"prbnauto", u"7"}, 0, {"auto", ""}, u"自動選択"};
inline constexpr SettingValue kBinTractor{8, {u"vbprbntractor", u"prbntractor", u"8"}, 0, {"tractor", ""}, u"トラクター"};
inline constexpr SettingValue kBinSmallFormat{9, {u"vbprbnsmallfmt", u"prbnsmallfmt", u"9"}, 0, {"small-format", ""}, u"小型用紙"};
inline constexpr SettingValue kBinLargeFormat{10, {u"vbprbnlargefmt", u"prbnlargefmt", u"10"}, 0, {"large-format", ""}, u"大型用紙"};
inline constexpr SettingValue kBinLargeCapacity{11, {u"vbprbnlargecapacity", u"prbnlargecapacity", u"11"}, 0, {"large-capacity", ""}, u"大容量トレイ"};
// The twelfth row sets 14, the platform's code for the cassette.
inline constexpr SettingValue kBinCassette{14, {u"vbprbncassette", u"prbncassette", u"12"}, 0, {"main", "tray-1"}, u"カセット"};
inline constexpr SettingValue kPaperBins[] = {
    kBinUpper,   kBinLower,         kBinMiddle,      kBinManual,        kBinEnvelope,         kBinEnvelopeManual,
    kBinAuto,    kBinTractor,       kBinSmallFormat, kBinLargeFormat,   kBinLargeCapacity,    kBinCassette,
};

// Monochrome has only its "vb" name and its number.
inline constexpr SettingValue kColourMonochrome{1, {u"vbprcmmonochrome", u"1"}, 0, {"monochrome", ""}, u"モノクロ"};
inline constexpr SettingValue kColourColour{2, {u"vbprcmcolor", u"prcmcolor", u"2"}, 0, {"color", ""}, u"カラー"};
inline constexpr SettingValue kColourModes[] = {kColourMonochrome, kColourColour};

// The codes the engine itself names.
inline constexpr int16_t kPortrait = kOrientationPortrait.code;
inline constexpr int16_t kLandscape = kOrientationLandscape.code;
inline constexpr int16_t kMonochrome = kColourMonochrome.code;
inline constexpr int16_t kColour = kColourColour.code;

namespace setting_rows {
constexpr bool Sound(std::span<const SettingValue> rows, bool enums) {
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].keywords[0].empty() || rows[i].name.empty()) return false;
    if (enums != (rows[i].ippEnum != 0) || enums != rows[i].ippKeywords[0].empty()) return false;
    for (size_t j = 0; j < i; ++j) {
      if (rows[j].code == rows[i].code) return false;
    }
  }
  return true;
}
}  // namespace setting_rows
static_assert(setting_rows::Sound(kOrientations, true) && setting_rows::Sound(kPrintQualities, true));
static_assert(setting_rows::Sound(kPaperBins, false) && setting_rows::Sound(kColourModes, false));
static_assert(std::size(kPaperBins) == 12 && kPaperBins[11].keywords[2] == u"12" && kPaperBins[11].code == 14,
              "the twelfth bin, the cassette, sets 14");

// The row of a code; nullptr for a code the setting does not have.
constexpr const SettingValue* RowFor(std::span<const SettingValue> rows, int16_t code) {
  for (const SettingValue& row : rows) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

// The first row an IPP enum value or keyword stands for (draft is the draft row, not low).
constexpr const SettingValue* RowForIpp(std::span<const SettingValue> rows, int ippEnum) {
  for (const SettingValue& row : rows) {
    if (row.ippEnum != 0 && row.ippEnum == ippEnum) return &row;
  }
  return nullptr;
}
constexpr const SettingValue* RowForIpp(std::span<const SettingValue> rows, std::string_view keyword) {
  for (const SettingValue& row : rows) {
    for (const std::string_view k : row.ippKeywords) {
      if (!k.empty() && k == keyword) return &row;
    }
  }
  return nullptr;
}

}  // namespace vant
