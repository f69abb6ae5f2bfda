// The preview window without a display, for `vant render` and the preview's benchmarks:
// the window's control models, picture boxes over QImages, and a window of a chosen size
// that stands maximised on a screen of that size. The window logic (FrmPreview) drives it
// exactly as it drives the window on the screen; nothing is ever painted to a display.
#pragma once

#include <memory>

#include "platform/qt/preview/qt_preview_controls.h"

namespace vant::app {

class RenderView final : public qt::QtPreviewControls {
 public:
  // viewportWidth x viewportHeight is the size of picBase, in pixels, when the window is
  // laid out without a horizontal scroll bar; the window is that plus the vertical bar at
  // the right, the top row and the status bar. ratio is the device pixel ratio of the
  // screen it stands for: the page image holds that many device pixels for each pixel.
  RenderView(int viewportWidth, int viewportHeight, double ratio = 1);

  float ScaleWidth() const override { return windowWidth_; }
  float ScaleHeight() const override { return windowHeight_; }
  float StatusBarHeight() const override { return statusHeight_; }
  // The maximised window fills the screen.
  float ScreenWidth() const override { return windowWidth_; }
  float ScreenHeight() const override { return windowHeight_; }

  // Already the size of the screen; no one turns a wheel or closes it.
  void Maximize() override {}
  void FocusViewport() override {}
  void InstallWheelHandler(WheelTarget&) override {}
  void RemoveWheelHandler() override {}
  void CloseWindow() override {}

 private:
  float windowWidth_;
  float windowHeight_;
  float statusHeight_;
};

}  // namespace vant::app
