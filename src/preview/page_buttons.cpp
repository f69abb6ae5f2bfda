// The page buttons, printing from the preview and closing the window, and the keys that do
// what they do.
#include "draw/method_commands.h"
#include "engine/run_driver.h"
#include "preview/frm_preview.h"
#include "preview/preview_messages.h"

namespace vant {
namespace {

int ShownPageCount(const EngineState& engine) { return static_cast<int>(engine.shownPageList.size()) - 1; }

}  // namespace

void FrmPreview::BackPageClick() {
  // The disabled button keeps the page in range; a click that arrives anyway is ignored.
  if (currentPage_ <= 1) return;
  --currentPage_;
  view_.BackPageButton().SetEnabled(currentPage_ != 1);
  view_.NextPageButton().SetEnabled(true);
  if (previewReady_) ShowPageReported();
  UpdateStatusBar();
}

void FrmPreview::NextPageClick() {
  if (currentPage_ >= ShownPageCount(platform_.state.engine)) return;
  ++currentPage_;
  view_.NextPageButton().SetEnabled(currentPage_ < ShownPageCount(platform_.state.engine));
  view_.BackPageButton().SetEnabled(true);
  if (previewReady_) ShowPageReported();
  UpdateStatusBar();
}

void FrmPreview::GoToPage(int16_t page) {
  if (page < 1 || page > ShownPageCount(platform_.state.engine) || page == currentPage_) return;
  currentPage_ = page;
  view_.NextPageButton().SetEnabled(currentPage_ < ShownPageCount(platform_.state.engine));
  view_.BackPageButton().SetEnabled(currentPage_ != 1);
  if (previewReady_) ShowPageReported();
  UpdateStatusBar();
}

void FrmPreview::PrintClick() {
  platform_.pointer.Set(kPointerHourglass);
  // NextMethod is 0 while the window is ready: the whole list is printed, the pages the
  // preview left out included.
  const int16_t result = RunMethods(platform_, platform_.printer, 0, MethodCommands());
  if (result != kRunCompleted) {
    platform_.messages.Show(Text(kPrintStopped), MessageIcon::kInformation,
                            Text(kPrintStoppedTitle));
  }
  platform_.state.engine.nextMethod = 0;
  platform_.pointer.Set(kPointerDefault);
}

void FrmPreview::CloseClick() {
  Unload();
  view_.CloseWindow();
}

void FrmPreview::KeyPress(PreviewKey key) {
  switch (key) {
    case PreviewKey::kNextPage:
      if (view_.NextPageButton().Enabled()) NextPageClick();
      return;
    case PreviewKey::kPreviousPage:
      if (view_.BackPageButton().Enabled()) BackPageClick();
      return;
    case PreviewKey::kFirstPage: GoToPage(1); return;
    case PreviewKey::kLastPage: GoToPage(static_cast<int16_t>(ShownPageCount(platform_.state.engine))); return;
    case PreviewKey::kZoomIn:
    case PreviewKey::kZoomOut: {
      // The list runs from the largest zoom down to the automatic fit; the choice runs the
      // list's own selection handling, as a choice of the user does.
      auto& zoom = view_.ZoomChoices();
      const int index = zoom.ListIndex() + (key == PreviewKey::kZoomIn ? -1 : 1);
      if (zoom.ListIndex() < 0 || index < 0 || index >= zoom.Count()) return;
      zoom.SetListIndex(static_cast<int16_t>(index));
      return;
    }
    case PreviewKey::kClose: CloseClick(); return;
  }
}

}  // namespace vant
