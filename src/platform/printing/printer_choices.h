// The printer settings of the method language as a print server takes them: each code of
// paper size, orientation, print quality, paper bin and colour mode with the IPP value it
// stands for and the Japanese name the refusal messages give it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace vant::printing {

// IPP "orientation-requested" values.
inline constexpr int kIppPortrait = 3;
inline constexpr int kIppLandscape = 4;

// IPP "print-quality" values.
inline constexpr int kIppDraft = 3;
inline constexpr int kIppNormal = 4;
inline constexpr int kIppHigh = 5;

// IPP "print-color-mode" keywords.
inline constexpr std::string_view kIppMonochrome = "monochrome";
inline constexpr std::string_view kIppColor = "color";

// The setting a refusal names, with its Japanese name.
enum class Setting { kPaperSize, kOrientation, kPrintQuality, kPaperBin, kColorMode };

// "用紙サイズ", "印刷の向き", ...
TextView SettingName(Setting setting);

// The Japanese name of a code ("A3", "横", "ドラフト", "下段トレイ", "カラー"); empty for
// a code the setting does not have.
TextView ChoiceName(Setting setting, int16_t code);

// The refusal of a value: "プリンター「Office」は用紙サイズ 8 (A3) に対応していません。";
// a code without a name is given as the number alone.
Text UnsupportedText(TextView printer, Setting setting, int16_t code);

// orientation-requested for an orientation code; nullopt for a code that is neither
// portrait nor landscape.
std::optional<int> IppOrientation(int16_t code);

// print-quality for a print quality code (-1 draft ... -4 high).
std::optional<int> IppQuality(int16_t code);
// The print quality code that stands for a print-quality value (4 is medium).
std::optional<int16_t> QualityCode(int ippQuality);

// print-color-mode for a colour mode code.
std::optional<std::string_view> IppColorMode(int16_t code);
std::optional<int16_t> ColorModeCode(std::string_view ippColorMode);

// The paper bin "auto": the printer chooses the source itself. Every printer takes it; it
// is sent as the queue's own "auto" source when the queue lists one, and as no source
// otherwise.
inline constexpr int16_t kPaperBinAuto = 7;

// The media-source keywords that serve a paper bin code, the preferred first; empty for
// a code that is no paper bin.
std::vector<std::string_view> MediaSourcesFor(int16_t code);
// The paper bin code a media-source keyword stands for.
std::optional<int16_t> PaperBinCode(std::string_view mediaSource);

// The bin codes of the method language, in code order.
std::vector<int16_t> PaperBinCodes();

}  // namespace vant::printing
