#include "app/render/render_view.h"

#include "common/failure.h"
#include "preview/preview_layout.h"

namespace vant::app {

RenderView::RenderView(int viewportWidth, int viewportHeight, double ratio)
    : QtPreviewControls(ratio),
      windowWidth_(static_cast<float>(viewportWidth) + TwipsToPixels(kVerticalBarPlace.width)),
      windowHeight_(static_cast<float>(viewportHeight) + TwipsToPixels(kBasePlace.top) +
                    TwipsToPixels(kStatusBarPlace.height)),
      statusHeight_(TwipsToPixels(kStatusBarPlace.height)) {
  if (viewportWidth < 1 || viewportHeight < 1) throw Failure::InvalidPropertyValue();
}

}  // namespace vant::app
