// The page settings as a printer refuses them: each value's Japanese name (from the paper
// table and the value rows of the engine's setting rows) and the refusal's text.
#pragma once

#include <cstdint>
#include <span>

#include "common/text.h"
#include "engine/printer_setting.h"

namespace vant::printing {

// The Japanese name of a code ("A3", "横", "ドラフト", "下段トレイ", "カラー"); empty for
// a code the setting does not have.
TextView ChoiceName(PrinterSetting setting, int16_t code);

// The refusal of a value: "プリンター「Office」は用紙サイズ 8 (A3) に対応していません。";
// a code without a name is given as the number alone.
Text UnsupportedText(TextView printer, PrinterSetting setting, int16_t code);

}  // namespace vant::printing
