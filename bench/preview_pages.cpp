#include "preview_pages.h"

#include <stdexcept>

#include "engine/module_state.h"
#include "preview/preview_pages.h"

namespace vant::bench {

int BuildPreviewPages(Platform& platform, qt::QtPictureBox& picture) {
  if (!vant::BuildPreviewPages(platform, picture.Surface())) {
    throw std::runtime_error("preview building stopped");
  }
  return static_cast<int>(platform.state.engine.shownPageList.size()) - 1;
}

void ClearPreviewPages(EngineState& engine) { vant::ClearPreviewPages(engine); }

void PrepareBarcodeScratch(PictureBox& scratch) {
  scratch.SetScaleMode(kScalePixels);
  scratch.SetBackColor(kWhitePicture);
  scratch.SetVisible(false);
}

}  // namespace vant::bench
