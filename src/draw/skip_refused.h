// The drawing routines attempt every step on its own: a value the target refuses leaves
// its previous value in place and the next step runs.
#pragma once

#include "common/failure.h"

namespace vant {

template <class Step>
void SkipRefused(Step&& step) {
  try {
    step();
  } catch (const Failure&) {
    // Refused by the target: this step is skipped without a message.
  }
}

}  // namespace vant
