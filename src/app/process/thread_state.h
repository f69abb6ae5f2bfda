// The module-level state of the thread that owns the controls. It is made here, on its first
// use, and nowhere else: the verb or host that starts the controls hands it to them in the
// Platform, so that every control and run of the thread shares it (the last property
// reading wins).
#pragma once

#include "engine/module_state.h"

namespace vant::app {

ModuleState& ThreadModuleState();

}  // namespace vant::app
