#include "engine/module_state.h"

namespace vant {

ModuleState& ThisThreadState() {
  thread_local ModuleState state;
  return state;
}

}  // namespace vant
