// The preview window's controls as its logic drives them. The window that implements this
// owns the controls' models and picture boxes, shows their state, and reports the user's
// actions to the logic (FrmPreview): the models' own events (zoom list, scroll bars,
// canvas size) reach the logic through their callbacks, which the logic sets.
#pragma once

#include "engine/picture_box.h"
#include "preview/bas_wheel_mouse.h"
#include "preview/pane.h"
#include "preview/preview_controls.h"
#include "preview/scroll_bar_model.h"
#include "preview/zoom_list.h"

namespace vant {

class PreviewView {
 public:
  virtual ~PreviewView() = default;

  virtual Pane& Viewport() = 0;              // picBase
  virtual Pane& Canvas() = 0;                // picZoom, never shown
  virtual Pane& VerticalBarPlace() = 0;      // vsbPicture's place
  virtual Pane& HorizontalBarPlace() = 0;    // hsbPicture's place
  virtual ScrollBarModel& VerticalBar() = 0;    // vsbPicture
  virtual ScrollBarModel& HorizontalBar() = 0;  // hsbPicture
  virtual ZoomList& ZoomChoices() = 0;       // cmbZoom
  virtual ButtonState& NextPageButton() = 0; // cmdNextPage
  virtual ButtonState& BackPageButton() = 0; // cmdBackPage
  virtual StatusPanels& StatusBar() = 0;     // StatusBar1

  // picImage(0), the visible page image, inside the viewport.
  virtual PictureBox& PageImage() = 0;
  // picImage(1), the hidden page picture: created by loading; before that, and when it
  // cannot be created, a Failure.
  virtual PictureBox& CreatePagePicture() = 0;
  virtual PictureBox& PagePicture() = 0;
  // picBarCode, the barcode painter's hidden scratch box.
  virtual PictureBox& BarcodeScratch() = 0;

  // The window's inner size, the status bar's height and the screen's size, in pixels.
  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;
  virtual float StatusBarHeight() const = 0;
  virtual float ScreenWidth() const = 0;
  virtual float ScreenHeight() const = 0;

  virtual void Maximize() = 0;
  virtual void FocusViewport() = 0;
  // Wheel and middle-button messages of the window go to WheelWindowProc with target
  // until the handler is removed; every message still reaches the window.
  virtual void InstallWheelHandler(WheelTarget& target) = 0;
  virtual void RemoveWheelHandler() = 0;
  // Takes the window off the screen; the modal run that shows it returns.
  virtual void CloseWindow() = 0;
};

}  // namespace vant
