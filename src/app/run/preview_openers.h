// How the control's preview button opens the preview window: as a modal Qt window where a
// screen exists, or not at all without one (the click then shows why).
#pragma once

#include "common/failure.h"
#include "control/preview_opener.h"
#include "platform/qt/preview/qt_preview_factory.h"
#include "preview/run_preview.h"

namespace vant::app {

class QtPreviewOpener final : public PreviewOpener {
 public:
  void OpenModal(Platform& platform) override { RunPreview(platform, factory_); }

 private:
  qt::QtPreviewFactory factory_;
};

class NoPreview final : public PreviewOpener {
 public:
  void OpenModal(Platform&) override { throw Failure(u"この実行方法ではプレビューを表示できません。"); }
};

}  // namespace vant::app
