#include "engine/module_state.h"

#include "common/failure.h"

namespace vant {

PageRec& BuiltPage(EngineState& engine, int16_t page) {
  if (page < 0 || static_cast<size_t>(page) >= engine.pageList.size()) throw Failure::IndexOutOfRange();
  return engine.pageList[static_cast<size_t>(page)];
}

const PageRec& ShownPage(const EngineState& engine, int16_t page) {
  if (page < 1 || static_cast<size_t>(page) >= engine.shownPageList.size()) throw Failure::IndexOutOfRange();
  return engine.shownPageList[static_cast<size_t>(page)];
}

}  // namespace vant
