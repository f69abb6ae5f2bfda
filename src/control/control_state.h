// The control's module-level state: one set per thread, shared by every control on that
// thread; the last property reading wins.
#pragma once

#include <cstdint>

#include "common/method_rec.h"

namespace vant {

struct ControlState {
  bool paramsLoaded = false;       // true from the start of any property reading
  int16_t runMode = 0;             // 1: print when shown
  MethodArray methodList{1};       // positions 1..methodCount; position 0 is never filled
  int16_t methodCount = 0;
  Text printCaption;
  int16_t printButtonWidth = 0;    // pixels; 0 means the default
  int16_t printButtonHeight = 0;   // pixels; 0 means the default
};

// This thread's state.
ControlState& PrnCtlState();

}  // namespace vant
