// The preview button's window without a display: the preview is loaded and laid out as on
// the screen, taken to the wanted page as its page buttons would take it, set to the wanted zoom
// through the zoom list, and what it shows is kept before the window closes.
#pragma once

#include <QImage>

#include <array>
#include <cstdint>
#include <optional>

#include "common/text.h"
#include "control/preview_opener.h"
#include "preview/preview_layout.h"

namespace vant::app {

struct RenderRequest {
  int page = 1;   // from 1
  int zoom = 0;   // a zoom list percentage; 0 for オート
  int viewportWidth = 1280;   // pixels
  int viewportHeight = 800;
  double scale = 1;           // the screen's device pixels per pixel
};

// What the window showed.
struct RenderedPage {
  QImage image;  // picImage(0): the page at the zoom, with its unprintable strips, in
                 // device pixels and tagged with the scale
  std::array<Text, kStatusPanelCount> panels;
};

struct RenderOutcome {
  bool opened = false;     // loading produced pages and the window was shown
  int shownPages = 0;      // the preview's page count, when opened
  bool pageBeyond = false; // the wanted page is not among the shown pages
  std::optional<RenderedPage> shown;  // empty when the page could not be shown
};

// Opens the preview headless for one request; each OpenModal overwrites the outcome.
class RenderOpener final : public PreviewOpener {
 public:
  explicit RenderOpener(RenderRequest request) : request_(request) {}
  void OpenModal(Platform& platform) override;
  const RenderOutcome& Outcome() const { return outcome_; }

 private:
  RenderRequest request_;
  RenderOutcome outcome_;
};

// The zoom list's index of a percentage; a percentage the list does not hold is refused
// with InvalidPropertyValue.
int16_t ZoomIndexOf(int percent);

}  // namespace vant::app
