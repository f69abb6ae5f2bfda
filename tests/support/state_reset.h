// Every test starts from the module-level state of a newly loaded library.
#pragma once

#include "barcode/barcode_state.h"
#include "control/control_state.h"
#include "engine/page_record.h"

namespace vant::test {

inline void ResetModuleState() {
  PrnCtlState() = ControlState{};
  Print32State() = EngineState{};
  BarcodeErrorText().clear();
}

}  // namespace vant::test
