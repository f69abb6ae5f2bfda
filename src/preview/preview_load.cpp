// Loading, activation and unloading of the preview window.
#include "common/failure.h"
#include "common/numbers.h"
#include "engine/printer_geometry.h"
#include "preview/frm_preview.h"
#include "preview/preview_layout.h"
#include "preview/preview_messages.h"
#include "preview/preview_pages.h"

namespace vant {
namespace {

// Millimetres to a picture's pixels at the preview's double density.
float DoubleDensityWidth(const PictureBox& picture, int32_t mm) {
  return ToSingle(picture.ScaleX(mm, kScaleMillimeters, kScalePixels) * kPageDensity);
}

float DoubleDensityHeight(const PictureBox& picture, int32_t mm) {
  return ToSingle(picture.ScaleY(mm, kScaleMillimeters, kScalePixels) * kPageDensity);
}

void FillZoomList(ZoomList& list) {
  list.Clear();
  for (const auto& choice : kZoomChoices) list.AddItem(Text(choice.text), choice.percent);
}

}  // namespace

FrmPreview::FrmPreview(Platform& platform, PreviewView& view) : platform_(platform), view_(view) {
  view_.ZoomChoices().onClick = [this] { ZoomClick(); };
  view_.Canvas().onResize = [this] { CanvasResize(); };
  view_.VerticalBar().onChange = [this] { VerticalScroll(); };
  view_.HorizontalBar().onChange = [this] { HorizontalScroll(); };
}

FrmPreview::~FrmPreview() {
  if (wheelInstalled_) view_.RemoveWheelHandler();
  view_.ZoomChoices().onClick = nullptr;
  view_.Canvas().onResize = nullptr;
  view_.VerticalBar().onChange = nullptr;
  view_.HorizontalBar().onChange = nullptr;
}

void FrmPreview::Load() {
  previewReady_ = false;
  unloaded_ = false;
  const auto& control = platform_.state.control;
  if (control.methodCount < 1 || control.methodList.size() < 2) {
    platform_.messages.Show(Text(kNothingToPrint), MessageIcon::kInformation, Text());
    return;
  }
  try {
    view_.Maximize();
    auto& scratch = view_.BarcodeScratch();
    scratch.SetScaleMode(kScalePixels);
    scratch.SetBackColor(kWhite);
    scratch.SetVisible(false);
    platform_.pointer.Set(kPointerHourglass);

    if (!BuildPages()) return;
    auto& engine = platform_.state.engine;
    engine.nextMethod = 0;
    if (engine.shownPageList.size() <= 1) {
      platform_.messages.Show(Text(kNothingToPreview), MessageIcon::kInformation, Text(kLibraryTitle));
      return;
    }

    auto& zoom = view_.ZoomChoices();
    FillZoomList(zoom);
    zoom.SetListIndex(kZoomAutoIndex);  // its handler draws nothing yet: not ready

    currentPage_ = 1;
    view_.NextPageButton().SetEnabled(1 < engine.shownPageList.size() - 1);
    view_.BackPageButton().SetEnabled(false);
    UpdateStatusBar();

    previewReady_ = true;
    platform_.pointer.Set(kPointerDefault);
    engine.nextMethod = 0;
    view_.InstallWheelHandler(*this);
    wheelInstalled_ = true;
  } catch (const Failure& failure) {
    // A failure outside the run's own reporting, such as a page that cannot be set up:
    // the preview ends like a stopped run, with the failure named.
    previewReady_ = false;
    platform_.messages.Show(LoadStopMessage(failure), MessageIcon::kCritical, Text(kErrorTitle));
  }
}

bool FrmPreview::BuildPages() {
  auto& engine = platform_.state.engine;
  const auto& geometry = engine.printerGeometry;

  // The page frame: the whole sheet at double density.
  auto& image = view_.PageImage();
  image.SetScaleMode(kScalePixels);
  ReadPrinterGeometry(platform_, platform_.printer);  // a failure reported itself
  image.SetWidth(DoubleDensityWidth(image, geometry.paperWidth));
  image.SetHeight(DoubleDensityHeight(image, geometry.paperHeight));
  image.SetVisible(false);
  image.SetBackColor(kWhite);

  return BuildPreviewPages(platform_, view_.CreatePagePicture());
}

void FrmPreview::Activate() {
  if (previewReady_) return;
  // A load that ended early: the window goes as soon as it would appear.
  platform_.pointer.Set(kPointerDefault);
  Unload();
  view_.CloseWindow();
}

void FrmPreview::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (wheelInstalled_) {
    view_.RemoveWheelHandler();
    wheelInstalled_ = false;
  }
  previewReady_ = false;
  ClearPreviewPages(platform_.state.engine);
}

}  // namespace vant
