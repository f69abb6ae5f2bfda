#include "barcode/barcode_messages.h"

namespace vant {

Text InvalidCharacterMessage(TextView character, TextView encoded) {
  Text message(u"不正な文字");
  message += character;
  message += u"があるため処理できません。";
  message += encoded;
  return message;
}

TextView CharacterAt(TextView text, size_t i) {
  const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF &&
                    text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
  return text.substr(i, pair ? 2 : 1);
}

}  // namespace vant
