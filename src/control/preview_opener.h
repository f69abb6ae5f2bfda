// Opening the preview window: modal, returning when the window has been closed (whether it
// showed pages or closed itself at once after a failed load).
#pragma once

#include "engine/printer_object.h"

namespace vant {

class PreviewOpener {
 public:
  virtual ~PreviewOpener() = default;
  virtual void OpenModal(Platform& platform) = 0;
};

}  // namespace vant
