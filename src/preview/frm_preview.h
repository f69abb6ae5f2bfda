// The print preview window frmPreview: builds every page of the method list once when it
// loads, shows one page at a time at a chosen zoom, scrolls, pages, prints the whole list
// and closes. It drives its controls through a PreviewView, so that it runs the same on
// the screen and in tests.
#pragma once

#include <cstdint>

#include "engine/printer_object.h"
#include "preview/bas_wheel_mouse.h"
#include "preview/preview_keys.h"
#include "preview/preview_view.h"

namespace vant {

// The pages are drawn at twice the screen's density.
inline constexpr float kPageDensity = 2;

class FrmPreview final : public WheelTarget {
 public:
  FrmPreview(Platform& platform, PreviewView& view);
  ~FrmPreview() override;
  FrmPreview(const FrmPreview&) = delete;
  FrmPreview& operator=(const FrmPreview&) = delete;

  // Window events.
  void Load();
  void Activate();
  void Unload();
  void Resize();
  void DoubleClick();  // on picBase or on the page image
  // The window is now on a screen with another device pixel ratio, its picture boxes
  // already holding that many device pixels: the page is shown again as after a resize,
  // the scroll bars keeping their values.
  void ScreenChanged();

  // Buttons.
  void NextPageClick();
  void BackPageClick();
  void PrintClick();
  void CloseClick();
  // Goes to shown page `page` as pressing the page buttons until it is reached would, but
  // renders only that page; a page that is not shown is ignored.
  void GoToPage(int16_t page);
  // A key of the window (PreviewKey); a key whose button is disabled, or a zoom step past
  // either end of the list, does nothing.
  void KeyPress(PreviewKey key);

  // Renders ShownPageList entry page and shows it at zoom: 0 for the automatic fit,
  // otherwise a percentage (100, 150, 200, 300 map to 0.5, 0.75, 1, 1.5 of the double-
  // density picture; any other value is the factor itself). zoom is rewritten with the
  // factor used. Failures while rendering (steps before sizing) go to the caller.
  void ShowPage(int16_t& page, float& zoom);
  void UpdateStatusBar();

  void vbWheelMinus() override;
  void vbWheelPlus() override;
  void vbMButtonUp() override;
  bool& WheelBusy() override { return platform_.state.wheelBusy; }

  int16_t CurrentPage() const { return currentPage_; }
  bool PreviewReady() const { return previewReady_; }

 private:
  // Loading's page building; false when loading has to end, not ready.
  bool BuildPages();
  void FitToViewport(PictureBox& image, const PictureBox& picture, float& factor);
  void ShowAtFactor(PictureBox& image, const PictureBox& picture, float factor, int16_t page);
  void CopyPage(PictureBox& image, const PictureBox& picture, float factor, int16_t page);

  // Events of the controls.
  void ZoomClick();
  void CanvasResize();
  void VerticalScroll();
  void HorizontalScroll();

  // The selected zoom as ShowPage takes it.
  float SelectedZoom() const;
  // ShowPage for the page buttons and the double-click, which report a page that cannot be
  // rendered instead of letting it go.
  void ShowPageReported();
  // ShowPage of the current page at the selected zoom, the bars put back at a fixed zoom;
  // nothing while the window is not ready.
  void ShowAgainKeepingScroll();
  void WheelStep(int delta);

  Platform& platform_;
  PreviewView& view_;
  int16_t currentPage_ = 0;
  bool previewReady_ = false;
  bool wheelInstalled_ = false;
  bool unloaded_ = false;
};

}  // namespace vant
