#include "app/process/thread_state.h"

namespace vant::app {

ModuleState& ThreadModuleState() {
  thread_local ModuleState state;
  return state;
}

}  // namespace vant::app
