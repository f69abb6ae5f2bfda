// Fuzz input as a method list: one method line a line, at most 200, loaded into the
// control's list as the intake would store them.
#pragma once

#include <string_view>

#include "common/method_rec.h"
#include "control/method_line.h"
#include "engine/module_state.h"

namespace vant::fuzz {

inline void LoadMethodLines(ControlState& state, std::string_view input) {
  state.paramsLoaded = true;
  state.methodList.assign(1, MethodRec{});
  size_t start = 0;
  while (start <= input.size() && state.methodList.size() < 200) {
    size_t end = input.find('\n', start);
    if (end == std::string_view::npos) end = input.size();
    MethodRec rec;
    const auto parts = SplitMethodLine(FromUtf8(input.substr(start, end - start)));
    for (size_t f = 0; f < parts.size() && f < kMethodFields; ++f) rec.field[f] = parts[f];
    state.methodList.push_back(std::move(rec));
    start = end + 1;
  }
  state.methodCount = static_cast<int16_t>(state.methodList.size() - 1);
}

}  // namespace vant::fuzz
