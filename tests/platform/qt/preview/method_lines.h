// The preview window tests' method list, as the control's intake leaves it: one method per
// line, fields split at every comma.
#pragma once

#include <initializer_list>

#include "engine/module_state.h"

namespace vant::test {

inline void SetMethodLines(ModuleState& state, std::initializer_list<const char16_t*> lines) {
  auto& control = state.control;
  control = ControlState{};
  for (const char16_t* line : lines) {
    MethodRec method;
    const auto fields = SplitAt(line, u',');
    for (size_t i = 0; i < fields.size() && i < method.field.size(); ++i) method.field[i] = fields[i];
    control.methodList.push_back(method);
  }
  control.methodCount = static_cast<int16_t>(control.methodList.size() - 1);
  control.paramsLoaded = true;
}

}  // namespace vant::test
