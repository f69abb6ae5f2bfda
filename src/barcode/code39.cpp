#include "barcode/code39.h"

#include "barcode/barcode_messages.h"
#include "barcode/code39_table.h"

namespace vant {
namespace {

inline constexpr int kCode39Modulus = 43;

}  // namespace

int Code39Value(char16_t c) {
  const size_t at = kCode39Set.find(c);
  return at == TextView::npos ? -1 : static_cast<int>(at);
}

Text Code39CheckCharacter(TextView s) {
  long long sum = 0;
  for (char16_t c : s) sum += Code39Value(c);
  if (sum < 0) return {};
  return Text(1, kCode39Set[static_cast<size_t>(sum % kCode39Modulus)]);
}

EncodedSymbol EncodeCode39(TextView data, bool check) {
  if (data.empty()) return Refusal(Text(kEmptyDataMessage));
  Text s = UpperCase(data);
  if (check) s += Code39CheckCharacter(s);
  // An "*" inside the data is encoded like any other character.
  s = kCode39StartStop + s + kCode39StartStop;
  EncodedSymbol symbol;
  symbol.modules.reserve(s.size() * (kCode39CharacterModules + 1));
  for (size_t i = 0; i < s.size(); ++i) {
    const int value = Code39Value(s[i]);
    if (value < 0) return Refusal(InvalidCharacterMessage(CharacterAt(s, i), s));
    symbol.modules += Code39Patterns[static_cast<size_t>(value)];
    symbol.modules += kSpaceModule;  // the gap between characters, after the stop too
  }
  symbol.text = std::move(s);
  return symbol;
}

}  // namespace vant
