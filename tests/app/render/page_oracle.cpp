#include "page_oracle.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/numbers.h"
#include "draw/draw_page.h"
#include "engine/module_state.h"
#include "platform/qt/qt_image_device.h"
#include "platform/qt/qt_picture_box.h"
#include "preview/preview_pages.h"

namespace vant::test {
namespace {

const PageRec& Shown(const EngineState& engine, int16_t page) {
  const auto& shown = engine.shownPageList;
  if (page < 1 || static_cast<size_t>(page) >= shown.size()) {
    throw std::out_of_range("no shown page " + std::to_string(page));
  }
  return shown[static_cast<size_t>(page)];
}

int Whole(double x) { return static_cast<int>(RoundHalfEven(x)); }

int Device(int pixels, double ratio) { return static_cast<int>(std::floor(pixels * ratio + 0.5)); }

// The page picture with its dotted areas (the barcodes copied onto it), which the copy
// onto the page image takes to the nearest pixel.
struct DrawnPicture {
  QImage image;
  std::vector<QRect> dotted;
};

DrawnPicture DrawPicture(const EngineState& engine, int16_t page, double ratio) {
  const PageRec& p = Shown(engine, page);
  qt::QtPictureBox picture(p.printableWidth * 2, p.printableHeight * 2, ratio);
  qt::QtPictureBox scratch(25, 17, ratio);
  if (!DrawPage(picture.Surface(), p, scratch.Surface())) {
    throw std::runtime_error("page " + std::to_string(page) + " was not drawn");
  }
  return {picture.Image().convertToFormat(QImage::Format_RGB32), picture.Device().DottedAreas()};
}

QImage Stretched(const EngineState& engine, int16_t page, double factor, int width, int height, double ratio = 1) {
  const PageRec& p = Shown(engine, page);
  const DrawnPicture drawn = DrawPicture(engine, page, ratio);
  const QImage& picture = drawn.image;
  QImage image(Device(width, ratio), Device(height, ratio), QImage::Format_RGB32);
  image.fill(Qt::white);
  const int x = Whole(factor * p.offsetLeft), y = Whole(factor * p.offsetTop);
  const int w = Whole(width - factor * (p.offsetLeft + p.marginRight));
  const int h = Whole(height - factor * (p.offsetTop + p.marginBottom));
  qt::StretchPixels(image, Device(x, ratio), Device(y, ratio), Device(x + w, ratio) - Device(x, ratio),
                    Device(y + h, ratio) - Device(y, ratio), picture, 0, 0, picture.width(), picture.height(),
                    StretchMode::kHalftone, drawn.dotted);
  return image;
}

}  // namespace

ShownPages BuildShownPages(Platform& platform) {
  ClearPreviewPages(platform.state.engine);
  qt::QtPictureBox picture(1, 1);
  if (!BuildPreviewPages(platform, picture.Surface())) throw std::runtime_error("the run stopped");
  return {static_cast<int>(platform.state.engine.shownPageList.size()) - 1};
}

QImage DrawnPagePicture(const EngineState& engine, int16_t page, double ratio) {
  return DrawPicture(engine, page, ratio).image;
}

QImage PageImageAtFactor(const EngineState& engine, int16_t page, double factor, double ratio) {
  const PageRec& p = Shown(engine, page);
  const float f = ToSingle(factor);
  return Stretched(engine, page, f, Whole(ToSingle((p.printableWidth * 2.0 + p.offsetLeft + p.marginRight) * f)),
                   Whole(ToSingle((p.printableHeight * 2.0 + p.offsetTop + p.marginBottom) * f)), ratio);
}

double FitFactor(const EngineState& engine, int16_t page, int viewportWidth, int viewportHeight) {
  const PageRec& p = Shown(engine, page);
  const double width = p.printableWidth * 2.0;
  const double height = p.printableHeight * 2.0;
  if (width < height) return ToSingle((viewportHeight - Whole(viewportHeight * 0.01)) / height);
  return ToSingle((viewportWidth - Whole(viewportWidth * 0.2)) / width);
}

QImage FittedPageImage(const EngineState& engine, int16_t page, int viewportWidth, int viewportHeight) {
  const PageRec& p = Shown(engine, page);
  const double f = FitFactor(engine, page, viewportWidth, viewportHeight);
  return Stretched(engine, page, f, Whole(ToSingle(p.printableWidth * 2.0 * f)),
                   Whole(ToSingle(p.printableHeight * 2.0 * f)));
}

double ZoomFactor(int percent) {
  switch (percent) {
    case 100:
      return 0.5;
    case 150:
      return 0.75;
    case 200:
      return 1;
    case 300:
      return 1.5;
    default:
      throw std::invalid_argument("no zoom of " + std::to_string(percent) + " %");
  }
}

}  // namespace vant::test
