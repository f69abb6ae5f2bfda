// A paint device that records what is painted on it, with simple deterministic text
// metrics, so that tests can check exactly which marks a routine made and where.
#pragma once

#include <string>
#include <vector>

#include "engine/picture_surface.h"

namespace vant::test {

struct Mark {
  enum Kind { kFill, kLine, kRect, kEllipse, kText, kStretch, kClear } kind = kFill;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // fill: x, y, w, h; ellipse: cx, cy, rx, ry
  Pen pen;
  Rgb colour;
  FontSpec font;
  Text text;
  // Stretch: destination in x1..y2 (x, y, w, h), source rectangle here.
  int srcX = 0, srcY = 0, srcW = 0, srcH = 0;
  StretchMode stretchMode = StretchMode::kBlackOnWhite;
  const PictureDevice* source = nullptr;
};

// Text metrics: every UTF-16 unit below U+0100 is half the pixel height wide, every other
// one the full pixel height; bold adds a tenth; the line height is 1.25 x pixel height.
TextExtent RecordingMetrics(TextView line, const FontSpec& font);

class RecordingDevice : public PictureDevice {
 public:
  RecordingDevice(double dpiX, double dpiY, double widthPx, double heightPx)
      : dpiX_(dpiX), dpiY_(dpiY), width_(widthPx), height_(heightPx) {}

  double DpiX() const override { return dpiX_; }
  double DpiY() const override { return dpiY_; }
  double WidthPx() const override { return width_; }
  double HeightPx() const override { return height_; }

  void FillRect(double x, double y, double w, double h, Rgb colour) override;
  void StrokeLine(double x1, double y1, double x2, double y2, const Pen& pen) override;
  void StrokeRect(double x1, double y1, double x2, double y2, const Pen& pen) override;
  void StrokeEllipse(double cx, double cy, double rx, double ry, const Pen& pen) override;
  void DrawText(double x, double y, TextView line, const FontSpec& font, Rgb colour) override;
  TextExtent MeasureText(TextView line, const FontSpec& font) override;
  void Resize(int widthPx, int heightPx, Rgb background) override;
  void Clear(Rgb background) override;
  void StretchFrom(int x, int y, int width, int height, const PictureDevice& source, int srcX,
                   int srcY, int srcWidth, int srcHeight, StretchMode mode) override;

  std::vector<Mark> marks;
  int measureCount = 0;

 private:
  double dpiX_, dpiY_, width_, height_;
};

}  // namespace vant::test
