#include "platform/qt/preview/qt_preview_controls.h"

#include "common/failure.h"
#include "preview/preview_layout.h"

namespace vant::qt {
namespace {

Pane PaneAt(const DesignPlace& place) {
  return Pane(TwipsToPixels(place.left), TwipsToPixels(place.top), TwipsToPixels(place.width),
              TwipsToPixels(place.height));
}


// The page picture starts as small as a picture can be; loading sizes it for each page.
constexpr int kInitialPictureSide = 1;

}  // namespace

QtPreviewControls::QtPreviewControls(double ratio)
    : ratio_(ratio),
      viewport_(PaneAt(kBasePlace)),
      canvas_(PaneAt(kCanvasPlace)),
      verticalPlace_(PaneAt(kVerticalBarPlace)),
      horizontalPlace_(PaneAt(kHorizontalBarPlace)),
      pageImage_(TwipsToWholePixels(kPageImagePlace.width), TwipsToWholePixels(kPageImagePlace.height), ratio),
      scratch_(TwipsToWholePixels(kBarcodeScratchPlace.width), TwipsToWholePixels(kBarcodeScratchPlace.height), ratio) {
  // The page image is a shrunken copy of the page picture: averaged, so that text and thin
  // lines stay legible.
  pageImage_.Surface().SetStretchMode(StretchMode::kHalftone);
}

PictureBox& QtPreviewControls::CreatePagePicture() {
  pagePicture_ = std::make_unique<QtPictureBox>(kInitialPictureSide, kInitialPictureSide, ratio_);
  return pagePicture_->Surface();
}

void QtPreviewControls::SetDevicePixelRatio(double ratio) {
  pageImage_.Device().SetDevicePixelRatio(ratio);
  scratch_.Device().SetDevicePixelRatio(ratio);
  if (pagePicture_) pagePicture_->Device().SetDevicePixelRatio(ratio);
  ratio_ = ratio;
}

PictureBox& QtPreviewControls::PagePicture() {
  if (!pagePicture_) throw Failure::IndexOutOfRange();
  return pagePicture_->Surface();
}

}  // namespace vant::qt
