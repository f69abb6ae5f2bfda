// Zoom selection, the scroll bars over the hidden canvas, the window's resize layout, the
// double-click back to the automatic fit and the wheel steps.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/failure.h"
#include "common/numbers.h"
#include "preview/attempt_step.h"
#include "preview/frm_preview.h"
#include "preview/preview_messages.h"

namespace vant {
namespace {

// One wheel message scrolls this many pixels.
constexpr int kWheelStep = 20;

// A canvas more than 32767 pixels larger than the viewport cannot be expressed in the
// bars: the bar reaches as far as 16 bits go instead of refusing the whole page.
int16_t BarLimit(double pixels) {
  const double whole = RoundHalfEven(pixels);
  if (std::isnan(whole)) throw Failure::Overflow();
  return static_cast<int16_t>(std::clamp(whole, -32768.0, 32767.0));
}

// value / maximum as the zoom selection keeps it; 0 when the division fails.
float ScrollRatio(const ScrollBarModel& bar) {
  if (bar.Max() == 0) return 0;
  return ToSingle(static_cast<double>(bar.Value()) / bar.Max());
}

}  // namespace

float FrmPreview::SelectedZoom() const {
  return static_cast<float>(view_.ZoomChoices().SelectedData());
}

void FrmPreview::ZoomClick() {
  if (previewReady_) {
    float zoom = 0;
    if (AttemptStep([&] { zoom = SelectedZoom(); })) {
      auto& vertical = view_.VerticalBar();
      auto& horizontal = view_.HorizontalBar();
      const float rv = zoom != 0 ? ScrollRatio(vertical) : 0;
      const float rh = zoom != 0 ? ScrollRatio(horizontal) : 0;
      AttemptStep([&] {
        int16_t page = currentPage_;
        float shown = zoom;
        ShowPage(page, shown);
      });
      if (zoom != 0) {
        AttemptStep([&] { vertical.SetValue(WholeInt16(vertical.Max() * static_cast<double>(rv))); });
        AttemptStep(
            [&] { horizontal.SetValue(WholeInt16(horizontal.Max() * static_cast<double>(rh))); });
      }
    }
  }
  AttemptStep([&] { view_.FocusViewport(); });
}

void FrmPreview::CanvasResize() {
  const auto& canvas = view_.Canvas();
  const auto& base = view_.Viewport();
  const int16_t change = BarLimit(canvas.Width() / 10.0);

  auto& horizontal = view_.HorizontalBar();
  horizontal.SetMax(BarLimit(static_cast<double>(canvas.Width()) - base.Width()));
  horizontal.SetLargeChange(change);
  horizontal.SetSmallChange(change);
  horizontal.SetVisible(base.Width() < canvas.Width());

  // Both bars step by a tenth of the canvas's width.
  auto& vertical = view_.VerticalBar();
  vertical.SetMax(BarLimit(static_cast<double>(canvas.Height()) - base.Height()));
  vertical.SetLargeChange(change);
  vertical.SetSmallChange(change);
  vertical.SetEnabled(base.Height() < canvas.Height());
}

// The canvas moves up by the bar's value and the page image with it, keeping its place on
// the canvas.
void FrmPreview::VerticalScroll() {
  auto& canvas = view_.Canvas();
  auto& image = view_.PageImage();
  const float d = canvas.Top() - image.Top();
  canvas.SetTop(-static_cast<float>(view_.VerticalBar().Value()));
  image.SetTop(canvas.Top() - d);
}

void FrmPreview::HorizontalScroll() {
  auto& canvas = view_.Canvas();
  auto& image = view_.PageImage();
  const float d = canvas.Left() - image.Left();
  canvas.SetLeft(-static_cast<float>(view_.HorizontalBar().Value()));
  image.SetLeft(canvas.Left() - d);
}

void FrmPreview::Resize() {
  auto& base = view_.Viewport();
  const auto& canvas = view_.Canvas();
  auto& vPlace = view_.VerticalBarPlace();
  auto& hPlace = view_.HorizontalBarPlace();
  auto& vertical = view_.VerticalBar();
  auto& horizontal = view_.HorizontalBar();
  const float width = view_.ScaleWidth();
  const float height = view_.ScaleHeight();
  const float status = view_.StatusBarHeight();
  auto underBar = [&] { return horizontal.Visible() ? hPlace.Height() : 0.0F; };

  // With the viewport's width from before this resize.
  AttemptStep([&] { horizontal.SetVisible(base.Width() < canvas.Width()); });
  AttemptStep([&] { base.SetWidth(width - vPlace.Width()); });
  AttemptStep([&] { base.SetHeight(height - base.Top() - status - underBar()); });
  AttemptStep([&] { hPlace.SetTop(height - status - hPlace.Height()); });
  AttemptStep([&] { hPlace.SetWidth(base.Width()); });
  AttemptStep([&] { vPlace.SetLeft(width - vPlace.Width()); });
  AttemptStep([&] { vPlace.SetHeight(height - vPlace.Top() - status - underBar()); });
  AttemptStep([&] { vertical.SetEnabled(base.Height() < canvas.Height()); });
  ShowAgainKeepingScroll();
}

void FrmPreview::ScreenChanged() { ShowAgainKeepingScroll(); }

void FrmPreview::ShowAgainKeepingScroll() {
  if (!previewReady_) return;
  auto& vertical = view_.VerticalBar();
  auto& horizontal = view_.HorizontalBar();
  float zoom = 0;
  if (!AttemptStep([&] { zoom = SelectedZoom(); })) return;
  const int16_t vValue = vertical.Value();
  const int16_t hValue = horizontal.Value();
  AttemptStep([&] {
    int16_t page = currentPage_;
    float shown = zoom;
    ShowPage(page, shown);
  });
  if (zoom != 0) {
    AttemptStep([&] { vertical.SetValue(vValue); });
    AttemptStep([&] { horizontal.SetValue(hValue); });
  }
}

void FrmPreview::DoubleClick() {
  AttemptStep([&] { view_.ZoomChoices().SetListIndex(kZoomAutoIndex); });
  ShowPageReported();
}

void FrmPreview::ShowPageReported() {
  try {
    int16_t page = currentPage_;
    float zoom = SelectedZoom();
    ShowPage(page, zoom);
  } catch (const Failure& failure) {
    platform_.messages.Show(PageRenderMessage(failure, currentPage_), MessageIcon::kCritical,
                            Text(kErrorTitle));
  }
}

void FrmPreview::WheelStep(int delta) {
  // A step that would leave the bar's range, or 16 bits, is dropped whole.
  AttemptStep([&] {
    if (SelectedZoom() == 0) return;
    auto& vertical = view_.VerticalBar();
    vertical.SetValue(WholeInt16(vertical.Value() + delta));
  });
}

void FrmPreview::vbWheelMinus() { WheelStep(kWheelStep); }

void FrmPreview::vbWheelPlus() { WheelStep(-kWheelStep); }

void FrmPreview::vbMButtonUp() {
  // The middle button has no action of its own.
}

}  // namespace vant
