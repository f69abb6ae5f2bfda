#include "barcode/jan_digits.h"

#include <algorithm>

#include "barcode/barcode_messages.h"
#include "common/text.h"

namespace vant {
namespace {


}  // namespace

char16_t JanCheckDigit(TextView digits) {
  // Positions count from the right, the rightmost being 1; odd positions weigh 3.
  int sum = 0;
  for (size_t i = 0; i < digits.size(); ++i) {
    const size_t position = digits.size() - i;
    const int digit = digits[i] - u'0';
    sum += position % 2 == 1 ? 3 * digit : digit;
  }
  const int r = sum % 10;
  return static_cast<char16_t>(u'0' + (r == 0 ? 0 : 10 - r));
}

JanDigits CompleteJanDigits(TextView data, bool longForm) {
  if (data.empty()) return JanDigits{{}, Text(kEmptyDataMessage)};
  if (!std::all_of(data.begin(), data.end(), IsAsciiDigit)) {
    return JanDigits{{}, Text(kInvalidJanDataMessage) + Text(data)};
  }
  const size_t length = longForm ? kJan13DataDigits : kJan8DataDigits;
  Text digits(data.substr(0, length));
  digits.resize(length, u'0');
  digits.push_back(JanCheckDigit(digits));
  return JanDigits{std::move(digits), {}};
}

}  // namespace vant
