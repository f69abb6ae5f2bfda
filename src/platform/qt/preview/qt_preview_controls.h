// The preview window's controls as the window logic sees them: the models of the panes,
// scroll bars, zoom list, page buttons and status panels, and the picture boxes over
// QImages. The Qt window shows them on the screen; the headless render view keeps them off
// it. Both derive from this and add the window itself.
#pragma once

#include <memory>

#include "platform/qt/qt_picture_box.h"
#include "preview/preview_view.h"

namespace vant::qt {

class QtPreviewControls : public PreviewView {
 public:
  // ratio: the device pixels the screen has for each of the window's pixels; the three
  // picture boxes hold that many for each of theirs (QtImageDevice).
  explicit QtPreviewControls(double ratio = 1);

  double DevicePixelRatio() const { return ratio_; }
  // The window is on a screen of another ratio: every picture box takes it, keeping what
  // it holds; the page is rendered anew by FrmPreview::ScreenChanged.
  void SetDevicePixelRatio(double ratio);

  Pane& Viewport() override { return viewport_; }
  Pane& Canvas() override { return canvas_; }
  Pane& VerticalBarPlace() override { return verticalPlace_; }
  Pane& HorizontalBarPlace() override { return horizontalPlace_; }
  ScrollBarModel& VerticalBar() override { return vertical_; }
  ScrollBarModel& HorizontalBar() override { return horizontal_; }
  ZoomList& ZoomChoices() override { return zoom_; }
  ButtonState& NextPageButton() override { return next_; }
  ButtonState& BackPageButton() override { return back_; }
  StatusPanels& StatusBar() override { return panels_; }

  PictureBox& PageImage() override { return pageImage_.Surface(); }
  // picImage(1): created at load, never shown.
  PictureBox& CreatePagePicture() override;
  PictureBox& PagePicture() override;
  PictureBox& BarcodeScratch() override { return scratch_.Surface(); }

  // The visible page image, as the window shows it.
  const QtPictureBox& PageImageBox() const { return pageImage_; }
  // The hidden page picture, once loading has created it; null before.
  const QtPictureBox* PagePictureBox() const { return pagePicture_.get(); }
  const QtPictureBox& BarcodeScratchBox() const { return scratch_; }

 protected:
  double ratio_;
  Pane viewport_;
  Pane canvas_;
  Pane verticalPlace_;
  Pane horizontalPlace_;
  ScrollBarModel vertical_;
  ScrollBarModel horizontal_;
  ZoomList zoom_;
  ButtonState next_;
  ButtonState back_;
  StatusPanels panels_;

  QtPictureBox pageImage_;
  std::unique_ptr<QtPictureBox> pagePicture_;
  QtPictureBox scratch_;
};

}  // namespace vant::qt
