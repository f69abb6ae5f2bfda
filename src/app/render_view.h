// The preview window without a display, for `vant render` and the preview's benchmarks:
// the window's control models, picture boxes over QImages, and a window of a chosen size
// that stands maximised on a screen of that size. The window logic (FrmPreview) drives it
// exactly as it drives the window on the screen; nothing is ever painted to a display.
#pragma once

#include <memory>

#include "platform/qt_picture_box.h"
#include "preview/preview_view.h"

namespace vant::app {

class RenderView final : public PreviewView {
 public:
  // viewportWidth x viewportHeight is the size of picBase, in pixels, when the window is
  // laid out without a horizontal scroll bar; the window is that plus the vertical bar at
  // the right, the top row and the status bar.
  RenderView(int viewportWidth, int viewportHeight);

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
  PictureBox& CreatePagePicture() override;
  PictureBox& PagePicture() override;
  PictureBox& BarcodeScratch() override { return scratch_.Surface(); }

  float ScaleWidth() const override { return windowWidth_; }
  float ScaleHeight() const override { return windowHeight_; }
  float StatusBarHeight() const override { return statusHeight_; }
  // The maximised window fills the screen.
  float ScreenWidth() const override { return windowWidth_; }
  float ScreenHeight() const override { return windowHeight_; }

  void Maximize() override { maximized_ = true; }
  void FocusViewport() override {}
  void InstallWheelHandler(WheelTarget& target) override { wheel_ = &target; }
  void RemoveWheelHandler() override { wheel_ = nullptr; }
  void CloseWindow() override { closed_ = true; }

  // The visible page image as the window shows it.
  const qt::QtPictureBox& PageImageBox() const { return pageImage_; }
  bool Maximized() const { return maximized_; }
  bool Closed() const { return closed_; }
  bool WheelInstalled() const { return wheel_ != nullptr; }

 private:
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

  qt::QtPictureBox pageImage_;
  std::unique_ptr<qt::QtPictureBox> pagePicture_;
  qt::QtPictureBox scratch_;

  float windowWidth_;
  float windowHeight_;
  float statusHeight_;
  bool maximized_ = false;
  bool closed_ = false;
  WheelTarget* wheel_ = nullptr;  // while installed; not owned
};

}  // namespace vant::app
