// Pieces shared by the JAN-13 and JAN-8 module builders.
#pragma once

#include <array>

#include "barcode/module_string.h"

namespace vant {

// Throws Failure::InvalidPropertyValue unless digits is exactly count ASCII digits.
void RequireJanDigits(TextView digits, size_t count);

// Appends the pattern of digit from table.
void AppendDigit(ModuleString& modules, const std::array<TextView, 10>& table, char16_t digit);

}  // namespace vant
