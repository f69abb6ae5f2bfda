// Whoever follows a run method by method without changing it: told of each method before
// it runs. `vant check` follows the printing run with one to tell which method put which
// mark on paper; printing and the preview give none.
#pragma once

#include <cstdint>

#include "common/method_rec.h"

namespace vant {

struct CommandRow;  // engine/command_table.h

class RunWatcher {
 public:
  virtual ~RunWatcher() = default;
  // Method position is about to run; row is its command's row in the run's table, nullptr
  // for a command the table does not have (the run then stops). A watcher must not throw
  // and must not touch the printers or the module state.
  virtual void MethodStarting(int16_t position, const CommandRow* row, const MethodRec& method) noexcept = 0;
};

}  // namespace vant
