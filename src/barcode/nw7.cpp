#include "barcode/nw7.h"

#include "barcode/barcode_messages.h"
#include "barcode/nw7_table.h"

namespace vant {
namespace {

inline constexpr int kNw7Modulus = 16;

bool IsStartStop(char16_t c) { return kNw7StartStop.find(c) != TextView::npos; }

}  // namespace

int Nw7Value(char16_t c) {
  const size_t at = kNw7Set.find(c);
  return at == TextView::npos ? -1 : static_cast<int>(at);
}

Text Nw7CheckCharacter(TextView s) {
  long long sum = 0;
  for (char16_t c : s) sum += Nw7Value(c);
  // The remainder keeps the sign of the sum.
  const long long r = sum % kNw7Modulus;
  if (r == 0) return u"0";
  const long long value = kNw7Modulus - r;
  if (value >= static_cast<long long>(kNw7Set.size())) return {};
  return Text(1, kNw7Set[static_cast<size_t>(value)]);
}

EncodedSymbol EncodeNw7(TextView data, bool check) {
  if (data.empty()) return Refusal(Text(kEmptyDataMessage));
  Text s = UpperCase(data);
  if (!IsStartStop(s.front()) || !IsStartStop(s.back())) {
    return Refusal(Text(kNoStartStopMessage) + s);
  }
  if (check) s.insert(s.size() - 1, Nw7CheckCharacter(s));
  EncodedSymbol symbol;
  symbol.modules.reserve(s.size() * kNw7CharacterModules);
  for (size_t i = 0; i < s.size(); ++i) {
    const int value = Nw7Value(s[i]);
    if (value < 0) return Refusal(InvalidCharacterMessage(CharacterAt(s, i), s));
    symbol.modules += Nw7Patterns[static_cast<size_t>(value)];
  }
  symbol.text = std::move(s);
  return symbol;
}

}  // namespace vant
