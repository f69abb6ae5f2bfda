#include "app/render/render_preview.h"

#include <memory>

#include "app/render/render_view.h"
#include "common/failure.h"
#include "engine/module_state.h"
#include "preview/run_preview.h"
#include "preview/zoom_list.h"

namespace vant::app {
namespace {

class RenderHandle final : public PreviewWindowHandle {
 public:
  RenderHandle(const RenderRequest& request, const EngineState& engine, RenderOutcome& outcome)
      : request_(request),
        engine_(engine),
        outcome_(outcome),
        view_(request.viewportWidth, request.viewportHeight, request.scale) {}

  PreviewView& View() override { return view_; }

  // What the user does in the window: it is laid out maximised (which shows page 1
  // fitted), the window goes to the page as the next-page button would (rendering only
  // that page), the zoom is chosen, and the window is closed.
  void ShowModal(FrmPreview& window) override {
    outcome_.opened = true;
    window.Resize();
    outcome_.shownPages = static_cast<int>(engine_.shownPageList.size()) - 1;
    if (request_.page < 1 || request_.page > outcome_.shownPages) {
      outcome_.pageBeyond = true;
      window.CloseClick();
      return;
    }
    window.GoToPage(static_cast<int16_t>(request_.page));
    if (request_.zoom != 0) view_.ZoomChoices().SetListIndex(ZoomIndexOf(request_.zoom));
    if (window.CurrentPage() == request_.page && view_.PageImage().Visible()) {
      RenderedPage shown;
      shown.image = view_.PageImageBox().Image().copy();
      for (int panel = 1; panel <= kStatusPanelCount; ++panel) {
        shown.panels[static_cast<size_t>(panel - 1)] = view_.StatusBar().PanelText(panel);
      }
      outcome_.shown = std::move(shown);
    }
    window.CloseClick();
  }

 private:
  const RenderRequest& request_;
  const EngineState& engine_;  // the pages the window built
  RenderOutcome& outcome_;
  RenderView view_;
};

class RenderFactory final : public PreviewWindowFactory {
 public:
  RenderFactory(const RenderRequest& request, const EngineState& engine, RenderOutcome& outcome)
      : request_(request), engine_(engine), outcome_(outcome) {}
  std::unique_ptr<PreviewWindowHandle> Open() override {
    return std::make_unique<RenderHandle>(request_, engine_, outcome_);
  }

 private:
  const RenderRequest& request_;
  const EngineState& engine_;
  RenderOutcome& outcome_;
};

}  // namespace

int16_t ZoomIndexOf(int percent) {
  for (size_t i = 0; i < kZoomChoices.size(); ++i) {
    if (kZoomChoices[i].percent == percent) return static_cast<int16_t>(i);
  }
  throw Failure::InvalidPropertyValue();
}

void RenderOpener::OpenModal(Platform& platform) {
  outcome_ = RenderOutcome{};
  RenderFactory factory(request_, platform.state.engine, outcome_);
  RunPreview(platform, factory);
}

}  // namespace vant::app
