#include "preview/run_preview.h"

#include "common/failure.h"
#include "preview/preview_messages.h"

namespace vant {

void RunPreview(Platform& platform, PreviewWindowFactory& factory) {
  std::unique_ptr<PreviewWindowHandle> handle;
  try {
    handle = factory.Open();
  } catch (const Failure& failure) {
    platform.messages.Show(LoadStopMessage(failure), MessageIcon::kCritical, Text(kErrorTitle));
    return;
  }
  FrmPreview window(platform, handle->View());
  window.Load();
  if (window.PreviewReady()) {
    handle->ShowModal(window);
  } else {
    window.Activate();  // a failed load closes the window as soon as it would appear
  }
  window.Unload();  // nothing more when the window has unloaded itself
}

}  // namespace vant
