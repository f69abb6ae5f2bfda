// Showing one page: render its copies onto the hidden page picture at double density,
// then copy the picture, stretched to the zoom, into the visible page image.
#include <cmath>

#include "common/failure.h"
#include "common/numbers.h"
#include "draw/draw_page.h"
#include "engine/module_state.h"
#include "preview/frm_preview.h"

namespace vant {
namespace {

// The factors of the zoom list's percentages: the page picture has double density, so
// 100 % is half of its pixels.
float FactorOfZoom(float zoom) {
  if (zoom == 100) return 0.5F;
  if (zoom == 150) return 0.75F;
  if (zoom == 200) return 1;
  if (zoom == 300) return 1.5F;
  return zoom;
}

// The canvas is this much larger than the page image at a fixed zoom.
constexpr double kCanvasTallMargin = 1.1;
constexpr double kCanvasWideMargin = 1.2;
// The automatic fit leaves 1 % of the viewport's height, or 20 % of its width, free.
constexpr double kFitHeightMargin = 0.01;
constexpr double kFitWidthMargin = 0.2;

double Divided(double numerator, double denominator) {
  if (denominator == 0) throw Failure(u"0 で除算しました。");
  return numerator / denominator;
}

bool IsTall(const PictureBox& picture) { return picture.ScaleWidth() < picture.ScaleHeight(); }

}  // namespace

void FrmPreview::ShowPage(int16_t& page, float& zoom) {
  const PageRec& p = ShownPage(platform_.state.engine, page);
  auto& picture = view_.PagePicture();
  picture.Cls();
  picture.SetWidth(ToSingle(static_cast<double>(p.printableWidth) * kPageDensity));
  picture.SetHeight(ToSingle(static_cast<double>(p.printableHeight) * kPageDensity));
  DrawPage(picture, p, view_.BarcodeScratch());

  try {
    auto& canvas = view_.Canvas();
    canvas.SetWidth(100);
    canvas.SetHeight(100);
    auto& image = view_.PageImage();
    image.Cls();
    image.SetVisible(false);
    if (zoom == 0) {
      float factor = 0;
      FitToViewport(image, picture, factor);
      CopyPage(image, picture, factor, page);
      const auto& base = view_.Viewport();
      image.SetLeft(ToSingle((base.ScaleWidth() - image.Width()) / 2));
      image.SetTop(ToSingle((base.ScaleHeight() - image.Height()) / 2));
      image.Refresh();
      image.SetVisible(true);
      return;
    }
    zoom = FactorOfZoom(zoom);
    ShowAtFactor(image, picture, zoom, page);
  } catch (const Failure&) {
    // The fit is tried once more at 100 %; a fixed zoom leaves the image as far as it got.
    if (zoom == 0) {
      float retry = 100;
      ShowPage(page, retry);
    }
  }
}

void FrmPreview::FitToViewport(PictureBox& image, const PictureBox& picture, float& factor) {
  const auto& base = view_.Viewport();
  const double hm = RoundHalfEven(base.ScaleHeight() * kFitHeightMargin);
  const double wm = RoundHalfEven(base.ScaleWidth() * kFitWidthMargin);
  factor = IsTall(picture) ? ToSingle(Divided(base.ScaleHeight() - hm, picture.Height()))
                           : ToSingle(Divided(base.ScaleWidth() - wm, picture.Width()));
  image.SetWidth(ToSingle(static_cast<double>(picture.Width()) * factor));
  image.SetHeight(ToSingle(static_cast<double>(picture.Height()) * factor));
}

void FrmPreview::ShowAtFactor(PictureBox& image, const PictureBox& picture, float factor,
                              int16_t page) {
  const PageRec& p = ShownPage(platform_.state.engine, page);
  // The frame holds the printable picture and the unprintable strips around it.
  image.SetWidth(ToSingle((static_cast<double>(picture.Width()) + p.offsetLeft + p.marginRight) *
                          factor));
  image.SetHeight(ToSingle((static_cast<double>(picture.Height()) + p.offsetTop + p.marginBottom) *
                           factor));
  CopyPage(image, picture, factor, page);

  // The canvas has the screen's aspect ratio, a little larger than the image; its size
  // sets the scroll bars.
  auto& canvas = view_.Canvas();
  if (IsTall(picture)) {
    canvas.SetHeight(ToSingle(image.Height() * kCanvasTallMargin));
    canvas.SetWidth(ToSingle(Divided(view_.ScreenWidth(), view_.ScreenHeight()) * canvas.Height()));
  } else {
    canvas.SetWidth(ToSingle(image.Width() * kCanvasWideMargin));
    canvas.SetHeight(ToSingle(Divided(view_.ScreenHeight(), view_.ScreenWidth()) * canvas.Width()));
  }
  canvas.SetLeft(0);
  canvas.SetTop(0);

  image.SetLeft(ToSingle((canvas.ScaleWidth() - image.Width()) / 2));
  image.SetTop(ToSingle((canvas.ScaleHeight() - image.Height()) / 2));
  image.Refresh();
  image.SetVisible(true);
}

void FrmPreview::CopyPage(PictureBox& image, const PictureBox& picture, float factor,
                          int16_t page) {
  const PageRec& p = ShownPage(platform_.state.engine, page);
  const double f = factor;
  const int32_t x = WholeInt32(f * p.offsetLeft);
  const int32_t y = WholeInt32(f * p.offsetTop);
  const int32_t width =
      WholeInt32(image.ScaleWidth() - f * (static_cast<double>(p.offsetLeft) + p.marginRight));
  const int32_t height =
      WholeInt32(image.ScaleHeight() - f * (static_cast<double>(p.offsetTop) + p.marginBottom));
  image.StretchCopy(x, y, width, height, picture, 0, 0, WholeInt32(picture.ScaleWidth()),
                    WholeInt32(picture.ScaleHeight()));
}

}  // namespace vant
