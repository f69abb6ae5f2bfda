// The refusal messages of the encoders. A message that names data has the data directly
// after the fixed text.
#pragma once

#include "common/text.h"

namespace vant {

// Ends in the half-width full stop U+FF61, unlike the others.
inline constexpr TextView kEmptyDataMessage = u"データが空です\uFF61";
inline constexpr TextView kInvalidJanDataMessage = u"データが不正です。";
inline constexpr TextView kNoStartStopMessage =
    u"A,B,C,Dいづれかのスタート、ストップコードが必要です。";

// "不正な文字" + the character + "があるため処理できません。" + the text being encoded.
Text InvalidCharacterMessage(TextView character, TextView encoded);

// The character at position i as the message names it: both halves of a surrogate pair,
// so that the message never shows half a character.
TextView CharacterAt(TextView text, size_t i);

}  // namespace vant
