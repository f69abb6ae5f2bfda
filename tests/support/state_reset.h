// A module state as a newly loaded library has it: for a test that starts over halfway.
// Every FakePlatform starts with such a state of its own.
#pragma once

#include "engine/module_state.h"

namespace vant::test {

inline void ResetModuleState(ModuleState& state) { state = ModuleState{}; }

}  // namespace vant::test
