// Every test starts from the module-level state of a newly loaded library.
#pragma once

#include "engine/module_state.h"

namespace vant::test {

inline void ResetModuleState() { ThisThreadState() = ModuleState{}; }

}  // namespace vant::test
