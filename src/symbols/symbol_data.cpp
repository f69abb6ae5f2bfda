#include "symbols/symbol_data.h"

#include <array>

#include "barcode/barcode_messages.h"
#include "common/text.h"
#include "symbols/symbol_messages.h"

namespace vant {
namespace {

// Beyond what the largest symbol holds (a QR Code of version 40 takes 7089 digits): refused
// before any encoder spends time on it.
inline constexpr size_t kLongestData = 7089;

// ITF-14 without its check digit.
inline constexpr size_t kItf14Digits = 13;

// GS1 keys with a check digit: the AI and the key's length with it.
struct Gs1Key {
  TextView ai;
  size_t digits;
};
inline constexpr std::array<Gs1Key, 3> kGs1Keys = {{{u"00", 18}, {u"01", 14}, {u"02", 14}}};

bool AllDigits(TextView s) {
  for (char16_t c : s) {
    if (!IsAsciiDigit(c)) return false;
  }
  return true;
}

PreparedData RefusedData(Text message) { return PreparedData{{}, {}, std::move(message)}; }

// The first character outside [low, high], as a refusal; none when all are inside.
std::optional<Text> OutsideRange(TextView data, char16_t low, char16_t high) {
  for (size_t i = 0; i < data.size(); ++i) {
    if (data[i] < low || data[i] > high) return InvalidCharacterMessage(CharacterAt(data, i), data);
  }
  return std::nullopt;
}

PreparedData PrepareItf(TextView data) {
  for (size_t i = 0; i < data.size(); ++i) {
    if (!IsAsciiDigit(data[i])) return RefusedData(InvalidCharacterMessage(CharacterAt(data, i), data));
  }
  Text digits(data);
  if (digits.size() == kItf14Digits) digits += Gs1CheckDigit(digits);
  if (digits.size() % 2 != 0) return RefusedData(Text(kItfOddMessage) + Text(data));
  return PreparedData{digits, digits, {}};
}

// "(AI)value(AI)value...": each AI 2 to 4 digits, each value not empty. The keys of
// kGs1Keys one digit short get their check digit; written whole, theirs must be right.
PreparedData PrepareGs1(TextView data) {
  if (auto outside = OutsideRange(data, u' ' + 1, u'~')) return RefusedData(std::move(*outside));
  Text completed;
  size_t i = 0;
  while (i < data.size()) {
    if (data[i] != u'(') return RefusedData(Text(kGs1FormMessage) + Text(data));
    const size_t close = data.find(u')', i);
    if (close == TextView::npos) return RefusedData(Text(kGs1FormMessage) + Text(data));
    const TextView ai = data.substr(i + 1, close - i - 1);
    const size_t next = std::min(data.find(u'(', close), data.size());
    const TextView value = data.substr(close + 1, next - close - 1);
    if (ai.size() < 2 || ai.size() > 4 || !AllDigits(ai) || value.empty() ||
        value.find(u')') != TextView::npos) {
      return RefusedData(Text(kGs1FormMessage) + Text(data));
    }
    Text full(value);
    for (const Gs1Key& key : kGs1Keys) {
      if (ai != key.ai || !AllDigits(value)) continue;
      if (value.size() + 1 == key.digits) {
        full += Gs1CheckDigit(value);
      } else if (value.size() == key.digits && Gs1CheckDigit(value.substr(0, key.digits - 1)) != value.back()) {
        return RefusedData(Text(kGs1CheckDigitMessage) + u"(" + Text(ai) + u")" + Text(value));
      }
    }
    completed += u"(" + Text(ai) + u")" + full;
    i = next;
  }
  return PreparedData{completed, completed, {}};
}

}  // namespace

char16_t Gs1CheckDigit(TextView digits) {
  int sum = 0;
  for (size_t i = 0; i < digits.size(); ++i) {
    const int d = digits[digits.size() - 1 - i] - u'0';
    sum += i % 2 == 0 ? 3 * d : d;
  }
  return static_cast<char16_t>(u'0' + (10 - sum % 10) % 10);
}

std::optional<QrLevel> QrLevelFrom(TextView field) {
  if (field.empty()) return QrLevel::kM;
  if (field.size() != 1) return std::nullopt;
  switch (field[0]) {
    case u'L': case u'l': return QrLevel::kL;
    case u'M': case u'm': return QrLevel::kM;
    case u'Q': case u'q': return QrLevel::kQ;
    case u'H': case u'h': return QrLevel::kH;
    default: return std::nullopt;
  }
}

PreparedData PrepareData(EncodedKind kind, TextView data) {
  if (data.empty()) return RefusedData(Text(kEmptyDataMessage));
  if (data.size() > kLongestData) return RefusedData(Text(kTooLongMessage));
  switch (kind) {
    case EncodedKind::kItf: return PrepareItf(data);
    case EncodedKind::kGs1_128: return PrepareGs1(data);
    case EncodedKind::kCode128:
      // Code 128 holds ASCII (the control characters too), nothing else.
      if (auto outside = OutsideRange(data, 0, 0x7F)) return RefusedData(std::move(*outside));
      return PreparedData{Text(data), Text(data), {}};
    case EncodedKind::kQr: {
      // Any text; half a surrogate pair is no character and cannot be written in UTF-8.
      for (size_t i = 0; i < data.size(); ++i) {
        const char16_t c = data[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < data.size() && data[i + 1] >= 0xDC00 && data[i + 1] <= 0xDFFF) {
          ++i;
        } else if (high || low) {
          return RefusedData(InvalidCharacterMessage(TextView(&data[i], 1), data));
        }
      }
      return PreparedData{Text(data), {}, {}};
    }
  }
  return RefusedData(Text(kEncoderFaultMessage));
}

}  // namespace vant
