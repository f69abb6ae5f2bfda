// The platform every control and run of the vant command and of its browser host is given:
// the thread's module state and libzint's symbols are the same for all of them; the
// printers, message boxes and mouse pointer are the caller's (a terminal's, a window's,
// the browser's).
#pragma once

#include "engine/printer_object.h"
#include "platform/symbols/zint_encoder.h"

namespace vant::app {

// No run is followed (no watcher). The references are held, not copied: what they name
// outlives the platform.
Platform CommandPlatform(PrinterObject& printer, MessageBoxes& messages, MousePointer& pointer,
                         const symbols::ZintEncoder& symbols);

}  // namespace vant::app
