#include "app/render_view.h"

#include "common/failure.h"
#include "preview/preview_layout.h"

namespace vant::app {
namespace {

Pane PaneAt(const DesignPlace& place) {
  return Pane(TwipsToPixels(place.left), TwipsToPixels(place.top), TwipsToPixels(place.width),
              TwipsToPixels(place.height));
}

int PixelsOf(int32_t twips) { return static_cast<int>(TwipsToPixels(twips)); }

// The page picture starts as small as a picture can be; loading sizes it for each page.
constexpr int kInitialPictureSide = 1;

}  // namespace

RenderView::RenderView(int viewportWidth, int viewportHeight)
    : viewport_(PaneAt(kBasePlace)),
      canvas_(PaneAt(kCanvasPlace)),
      verticalPlace_(PaneAt(kVerticalBarPlace)),
      horizontalPlace_(PaneAt(kHorizontalBarPlace)),
      pageImage_(PixelsOf(kPageImagePlace.width), PixelsOf(kPageImagePlace.height)),
      scratch_(PixelsOf(kBarcodeScratchPlace.width), PixelsOf(kBarcodeScratchPlace.height)),
      windowWidth_(static_cast<float>(viewportWidth) + TwipsToPixels(kVerticalBarPlace.width)),
      windowHeight_(static_cast<float>(viewportHeight) + TwipsToPixels(kBasePlace.top) +
                    TwipsToPixels(kStatusBarPlace.height)),
      statusHeight_(TwipsToPixels(kStatusBarPlace.height)) {
  if (viewportWidth < 1 || viewportHeight < 1) throw Failure::InvalidPropertyValue();
  // The page image is a shrunken copy of the page picture, averaged as on the screen.
  pageImage_.Surface().SetStretchMode(StretchMode::kHalftone);
}

PictureBox& RenderView::CreatePagePicture() {
  pagePicture_ = std::make_unique<qt::QtPictureBox>(kInitialPictureSide, kInitialPictureSide);
  return pagePicture_->Surface();
}

PictureBox& RenderView::PagePicture() {
  if (!pagePicture_) throw Failure::IndexOutOfRange();
  return pagePicture_->Surface();
}

}  // namespace vant::app
