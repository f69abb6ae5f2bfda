// A picture box's pixels: a QImage (RGB32) painted through QtPainterDevice, resizable,
// clearable, and the target of the stretching block copy between two of them.
#pragma once

#include <QImage>
#include <QPainter>

#include <QRect>

#include <memory>
#include <optional>
#include <vector>

#include "engine/picture_surface.h"
#include "platform/qt/device_pixels.h"
#include "platform/qt/qt_painter_device.h"

namespace vant::qt {

// The screen's logical density when a screen is there, 96 dpi otherwise (headless runs).
double ScreenDpiX();
double ScreenDpiY();

// The stretching block copy on two RGB32 images, as StretchBlt with SRCCOPY does it: the
// source rectangle (srcX, srcY, srcWidth, srcHeight) onto the destination rectangle. A
// negative size runs from its origin pixel leftwards or upwards (x, x - 1, ..., x + w + 1),
// so differing signs mirror; a zero size copies nothing. Source pixels outside the source
// image do not take part; destination pixels outside dest, or covering only such source
// pixels, are left as they are. Along an axis that shrinks, black-on-white gives each
// destination pixel the darkest (per channel) of the source pixels whose centres it covers,
// so no source pixel is lost; along an axis that grows (or keeps its size) it takes the
// nearest source pixel. Halftone averages the covered source area, weighting partly covered
// pixels by the part covered. Whatever the mode, a destination pixel whose centre falls on
// one of src's dotted areas (device pixel rectangles holding copied pictures: a barcode's
// bars) takes the source pixel under that centre, so that bars and spaces stay black and
// white on whole device pixels, as a printer's dots are, never averaged to grey at their
// edges. src may be dest itself.
void StretchPixels(QImage& dest, int x, int y, int width, int height, const QImage& src,
                   int srcX, int srcY, int srcWidth, int srcHeight, StretchMode mode,
                   const std::vector<QRect>& dottedAreas = {});

// Sizes, places and lengths are picture pixels, as the picture box measures; the QImage
// behind them holds `ratio` device pixels for each (the screen's device pixel ratio, or
// less for a picture too large to hold that many, FittingRatio) and carries that ratio, so
// that Qt paints it on the screen one image pixel to one device pixel. Painting goes
// through a painter scaled by the ratio: text and lines are drawn at the device's
// resolution, fills end on the device pixel edges DeviceEdge names.
class QtImageDevice final : public PictureDevice {
 public:
  // A white picture of the given size; sizes outside the limits raise a Failure, as does a
  // ratio that is not a positive number.
  QtImageDevice(int widthPx, int heightPx, double dpiX, double dpiY, double ratio = 1);
  ~QtImageDevice() override;
  QtImageDevice(const QtImageDevice&) = delete;
  QtImageDevice& operator=(const QtImageDevice&) = delete;

  double DpiX() const override;
  double DpiY() const override;
  double WidthPx() const override;
  double HeightPx() const override;

  void FillRect(double x, double y, double w, double h, Rgb colour) override;
  void StrokeLine(double x1, double y1, double x2, double y2, const Pen& pen) override;
  void StrokeRect(double x1, double y1, double x2, double y2, const Pen& pen) override;
  void StrokeEllipse(double cx, double cy, double rx, double ry, const Pen& pen) override;
  void DrawText(double x, double y, TextView line, const FontSpec& font, Rgb colour) override;
  TextExtent MeasureText(TextView line, const FontSpec& font) override;

  // Keeps what was drawn at the top-left; the new area is background.
  void Resize(int widthPx, int heightPx, Rgb background) override;
  void Clear(Rgb background) override;
  // The stretching block copy (StretchPixels below) between the device pixels of the two
  // rectangles, each picture mapping its own rectangle through its own ratio. A source
  // that is not a QtImageDevice is refused with a Failure. The rectangle copied into is
  // remembered as dotted (a barcode from the scratch box) until the picture is cleared:
  // copied on again, it is resampled to the nearest pixel, not averaged.
  void StretchFrom(int x, int y, int width, int height, const PictureDevice& source, int srcX,
                   int srcY, int srcWidth, int srcHeight, StretchMode mode) override;

  // The ratio the image carries.
  double DevicePixelRatio() const { return ratio_; }
  // A new ratio (a window moved to another screen): what was drawn is kept, resampled to
  // the new device pixels.
  void SetDevicePixelRatio(double ratio);

  // The pixels as drawn so far (painting in progress is finished first), tagged with the
  // ratio.
  const QImage& Image() const;
  // The dotted areas (see StretchFrom) in device pixels of Image().
  std::vector<QRect> DottedAreas() const;
  FontCache& Fonts();

 private:
  class Painting;
  void EndPainting() const;
  // The image for a new size or ratio, keeping the top-left of what was drawn.
  void Rebuild(int widthPx, int heightPx, double wantedRatio, Rgb background);

  mutable QImage image_;
  std::unique_ptr<Painting> painting_;
  double wantedRatio_ = 1;
  double ratio_ = 1;
  // The one colour of every pixel while nothing has been drawn since the last clear: a
  // clear to that colour has nothing to do (building a preview clears its page picture
  // twice a page, 14 MB each, and draws nothing on it).
  std::optional<QRgb> uniform_;
  // The rectangles stretched copies were made into since the last clear, in picture
  // pixels: [left, right) x [top, bottom).
  std::vector<QRect> dotted_;
};

}  // namespace vant::qt
