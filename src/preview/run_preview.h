// The entry point of the control's preview button: opens the preview window modally over
// the method list and returns when it has closed.
#pragma once

#include <memory>

#include "engine/printer_object.h"
#include "preview/frm_preview.h"
#include "preview/preview_view.h"

namespace vant {

// One preview window on the screen.
class PreviewWindowHandle {
 public:
  virtual ~PreviewWindowHandle() = default;
  virtual PreviewView& View() = 0;
  // Shows the window modally, reporting the user's actions and the window's resizes to
  // window, until it closes.
  virtual void ShowModal(FrmPreview& window) = 0;
};

class PreviewWindowFactory {
 public:
  virtual ~PreviewWindowFactory() = default;
  // A new, not yet shown window; a Failure when none can be created.
  virtual std::unique_ptr<PreviewWindowHandle> Open() = 0;
};

// Loads the window; when loading produced pages shows it until the user closes it,
// otherwise lets it close at once. The page lists are erased and NextMethod is 0
// afterwards in every case. A window that cannot be created is reported in a message.
void RunPreview(Platform& platform, PreviewWindowFactory& factory);

}  // namespace vant
