#include "symbols/customer_barcode.h"

#include "barcode/barcode_messages.h"
#include "common/text.h"
#include "symbols/customer_table.h"
#include "symbols/symbol_messages.h"

namespace vant {
namespace {

// Full-width digits, letters and hyphens as their half-width forms; lower case as upper.
char16_t Narrowed(char16_t c) {
  if (c >= u'０' && c <= u'９') return static_cast<char16_t>(u'0' + (c - u'０'));
  if (c >= u'Ａ' && c <= u'Ｚ') return static_cast<char16_t>(u'A' + (c - u'Ａ'));
  if (c >= u'ａ' && c <= u'ｚ') return static_cast<char16_t>(u'A' + (c - u'ａ'));
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(u'A' + (c - u'a'));
  if (c == u'－' || c == u'‐' || c == u'−') return u'-';
  return c;
}


}  // namespace

std::variant<CustomerBars, Text> EncodeCustomer(TextView data) {
  if (data.empty()) return Text(kEmptyDataMessage);
  Text s;
  for (char16_t c : data) s += Narrowed(c);
  // "123-4567" is the postcode as it is usually written.
  if (s.size() >= 8 && s[3] == u'-') s.erase(3, 1);
  for (size_t i = 0; i < 7; ++i) {
    if (i >= s.size() || !IsAsciiDigit(s[i])) return Text(kNoPostcodeMessage) + Text(data);
  }

  Text values;  // one value a character
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (IsAsciiDigit(c)) {
      values += static_cast<char16_t>(c - u'0');
    } else if (c == u'-') {
      values += static_cast<char16_t>(customer::kHyphen);
    } else if (c >= u'A' && c <= u'Z' && i >= 7) {
      const int n = c - u'A';
      values += static_cast<char16_t>(n < 10 ? customer::kCc1 : n < 20 ? customer::kCc2 : customer::kCc3);
      values += static_cast<char16_t>(n % 10);
    } else {
      return InvalidCharacterMessage(CharacterAt(s, i), data);
    }
  }
  // Longer data is cut after the 20th character (a letter's control character may be the
  // last), shorter is filled with CC4.
  if (values.size() > customer::kDataCharacters) values.resize(customer::kDataCharacters);
  while (values.size() < customer::kDataCharacters) values += static_cast<char16_t>(customer::kCc4);

  int sum = 0;
  for (char16_t v : values) sum += v;
  values += static_cast<char16_t>((customer::kCheckModulus - sum % customer::kCheckModulus) % customer::kCheckModulus);

  CustomerBars result;
  result.characters = values;
  result.bars = Text(customer::kStartBars);
  for (char16_t v : values) result.bars += customer::kCharacterBars[v];
  result.bars += customer::kStopBars;
  return result;
}

}  // namespace vant
