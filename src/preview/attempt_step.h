// Many of the preview's handlers attempt each step on its own: a step a window control or the
// arithmetic refuses is skipped and the next one runs.
#pragma once

#include "common/failure.h"

namespace vant {

// Runs step; true when it completed, false when it was refused and skipped.
template <class Step>
bool AttemptStep(Step&& step) {
  try {
    step();
    return true;
  } catch (const Failure&) {
    return false;
  }
}

}  // namespace vant
