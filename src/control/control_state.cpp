#include "control/control_state.h"

namespace vant {

ControlState& PrnCtlState() {
  thread_local ControlState state;
  return state;
}

}  // namespace vant
