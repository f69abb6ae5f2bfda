#include "engine/picture_surface.h"

#include <cmath>

#include "common/failure.h"
#include "common/numbers.h"

namespace vant {
namespace {

// Sizes are whole pixels; negative ones are refused, as the original control refuses them.
int WholePixels(float value) {
  if (!std::isfinite(value) || value < 0) throw Failure::InvalidPropertyValue();
  const double px = RoundHalfEven(value);
  if (px > 2147483647.0) throw Failure::Overflow();
  return static_cast<int>(px);
}

}  // namespace

PictureSurface::PictureSurface(PictureDevice& device) : Surface(device), device_(device) {
  ResetState(kScalePixels, FontSpec{Text(kDefaultPictureFontName), 12, false, false},
             kDefaultPictureFontPoints);
}

void PictureSurface::Cls() {
  device_.Clear(RgbFromColour(backColor_));
  ResetPosition();
}

void PictureSurface::SetBackColor(int32_t colour) {
  backColor_ = colour;
  // Changing the background clears the picture, as in the original control.
  device_.Clear(RgbFromColour(colour));
}

void PictureSurface::SetWidth(float width) {
  device_.Resize(WholePixels(width), static_cast<int>(device_.HeightPx()), RgbFromColour(backColor_));
}

float PictureSurface::Width() const { return static_cast<float>(device_.WidthPx()); }

void PictureSurface::SetHeight(float height) {
  device_.Resize(static_cast<int>(device_.WidthPx()), WholePixels(height), RgbFromColour(backColor_));
}

float PictureSurface::Height() const { return static_cast<float>(device_.HeightPx()); }

void PictureSurface::StretchCopy(int32_t x, int32_t y, int32_t width, int32_t height,
                                 const PictureBox& source, int32_t srcX, int32_t srcY,
                                 int32_t srcWidth, int32_t srcHeight) {
  const auto* src = dynamic_cast<const PictureSurface*>(&source);
  if (src == nullptr) throw Failure::NotSupported();
  device_.StretchFrom(x, y, width, height, src->Pixels(), srcX, srcY, srcWidth, srcHeight,
                      stretchMode_);
}

}  // namespace vant
