// Opening the preview window on Qt: what the preview button hands to RunPreview.
#pragma once

#include <memory>

#include "platform/qt/preview/qt_preview_window.h"
#include "preview/run_preview.h"

namespace vant::qt {

// One preview window, shown modally by exec().
class QtPreviewHandle final : public PreviewWindowHandle {
 public:
  QtPreviewHandle() : dialog_(std::make_unique<QtPreviewWindow>()) {}
  PreviewView& View() override { return *dialog_; }
  void ShowModal(FrmPreview& window) override;
  QtPreviewWindow& Dialog() { return *dialog_; }

 private:
  std::unique_ptr<QtPreviewWindow> dialog_;
};

class QtPreviewFactory final : public PreviewWindowFactory {
 public:
  std::unique_ptr<PreviewWindowHandle> Open() override;
};

}  // namespace vant::qt
