#include "barcode/jan13.h"

#include "barcode/jan_digits.h"
#include "barcode/jan_symbol.h"
#include "barcode/jan_tables.h"

namespace vant {

ModuleString Jan13Modules(TextView digits) {
  RequireJanDigits(digits, kJan13DataDigits + 1);
  // The leading digit is not drawn: it chooses the sets of the six left digits.
  const TextView parity = JanParity[static_cast<size_t>(digits[0] - u'0')];
  ModuleString modules(kJanEdgeGuard);
  for (size_t i = 0; i < 6; ++i) {
    AppendDigit(modules, parity[i] == u'0' ? JanLeftOdd : JanLeftEven, digits[i + 1]);
  }
  modules += kJanCentreGuard;
  for (size_t i = 7; i < 13; ++i) AppendDigit(modules, JanRight, digits[i]);
  modules += kJanEdgeGuard;
  return modules;
}

EncodedSymbol EncodeJan13(TextView data, bool /*check*/) {
  JanDigits digits = CompleteJanDigits(data, true);
  if (digits.digits.empty()) return Refusal(std::move(digits.refusal));
  ModuleString modules = Jan13Modules(digits.digits);
  return EncodedSymbol{std::move(modules), std::move(digits.digits), {}};
}

}  // namespace vant
