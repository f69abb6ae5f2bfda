#include "engine/page_record.h"

namespace vant {

EngineState& Print32State() {
  thread_local EngineState state;
  return state;
}

}  // namespace vant
