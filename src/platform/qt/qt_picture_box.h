// A picture box on Qt: the QImage pixels (QtImageDevice) together with the picture box
// semantics (PictureSurface) that the run and the preview drive. The preview window shows
// Image().
#pragma once

#include <QImage>

#include "engine/picture_surface.h"
#include "platform/qt/qt_image_device.h"

namespace vant::qt {

class QtPictureBox {
 public:
  // A white picture of the given size in pixels, at the screen's density, its image holding
  // `ratio` device pixels for each pixel (QtImageDevice).
  QtPictureBox(int widthPx, int heightPx, double ratio = 1);
  // The same at a chosen density (dots per inch).
  QtPictureBox(int widthPx, int heightPx, double dpiX, double dpiY, double ratio = 1);
  QtPictureBox(const QtPictureBox&) = delete;
  QtPictureBox& operator=(const QtPictureBox&) = delete;

  PictureSurface& Surface() { return surface_; }
  const PictureSurface& Surface() const { return surface_; }
  QtImageDevice& Device() { return device_; }
  const QtImageDevice& Device() const { return device_; }
  const QImage& Image() const { return device_.Image(); }

 private:
  QtImageDevice device_;  // constructed before the surface that paints on it
  PictureSurface surface_;
};

}  // namespace vant::qt
