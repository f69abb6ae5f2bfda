#include "barcode/jan8.h"

#include "barcode/jan_digits.h"
#include "barcode/jan_symbol.h"
#include "barcode/jan_tables.h"

namespace vant {

ModuleString Jan8Modules(TextView digits) {
  RequireJanDigits(digits, kJan8DataDigits + 1);
  ModuleString modules(kJanEdgeGuard);
  for (size_t i = 0; i < 4; ++i) AppendDigit(modules, JanLeftOdd, digits[i]);
  modules += kJanCentreGuard;
  for (size_t i = 4; i < 8; ++i) AppendDigit(modules, JanRight, digits[i]);
  modules += kJanEdgeGuard;
  return modules;
}

EncodedSymbol EncodeJan8(TextView data, bool /*check*/) {
  JanDigits digits = CompleteJanDigits(data, false);
  if (digits.digits.empty()) return Refusal(std::move(digits.refusal));
  ModuleString modules = Jan8Modules(digits.digits);
  return EncodedSymbol{std::move(modules), std::move(digits.digits), {}};
}

}  // namespace vant
