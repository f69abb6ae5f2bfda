#include "app/run/command_platform.h"

#include "app/process/thread_state.h"

namespace vant::app {

Platform CommandPlatform(PrinterObject& printer, MessageBoxes& messages, MousePointer& pointer,
                         const symbols::ZintEncoder& symbols) {
  return Platform{printer, messages, pointer, ThreadModuleState(), nullptr, &symbols};
}

}  // namespace vant::app
