// One method of the method list: ten text fields, field 0 the command name, fields 1 to 9
// the arguments, as written and untrimmed. Preview copies of drawing methods use the same
// record with converted values in their fields.
#pragma once

#include <array>
#include <vector>

#include "common/text.h"

namespace vant {

inline constexpr int kMethodFields = 10;

struct MethodRec {
  std::array<Text, kMethodFields> field;

  bool operator==(const MethodRec&) const = default;
};

// Positions 1 to count hold the methods; position 0 exists and is never filled.
using MethodArray = std::vector<MethodRec>;

}  // namespace vant
