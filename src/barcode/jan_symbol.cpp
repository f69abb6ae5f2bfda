#include "barcode/jan_symbol.h"

#include <algorithm>

#include "common/failure.h"

namespace vant {

void RequireJanDigits(TextView digits, size_t count) {
  const bool digitsOnly =
      std::all_of(digits.begin(), digits.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
  if (digits.size() != count || !digitsOnly) throw Failure::InvalidPropertyValue();
}

void AppendDigit(ModuleString& modules, const std::array<TextView, 10>& table, char16_t digit) {
  modules += table[static_cast<size_t>(digit - u'0')];
}

}  // namespace vant
