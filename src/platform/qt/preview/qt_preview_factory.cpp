#include "platform/qt/preview/qt_preview_factory.h"

namespace vant::qt {

void QtPreviewHandle::ShowModal(FrmPreview& window) {
  dialog_->Attach(&window);
  dialog_->Sync();
  dialog_->exec();
  dialog_->Attach(nullptr);
}

std::unique_ptr<PreviewWindowHandle> QtPreviewFactory::Open() {
  return std::make_unique<QtPreviewHandle>();
}

}  // namespace vant::qt
