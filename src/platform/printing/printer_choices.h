// The page settings as a printer refuses them: the setting's Japanese name, each value's
// name (from the paper table and the setting rows of the engine) and the refusal's text.
#pragma once

#include <cstdint>
#include <span>

#include "common/text.h"
#include "engine/setting_values.h"

namespace vant::printing {

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

// The rows of a setting other than the paper size (whose rows are the papers).
std::span<const SettingValue> ValuesOf(Setting setting);

}  // namespace vant::printing
