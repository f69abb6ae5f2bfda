// The DrawTarget semantics, once for every surface: scale modes and unit conversion, the
// print position, fonts held in points and realised in whole device pixels, DrawWidth and
// DrawStyle, Print/Line/Circle and text measuring. Painting goes to a PaintDevice.
#pragma once

#include "engine/draw_target.h"
#include "engine/paint_device.h"

namespace vant {

// How many units of a scale mode make one inch, for a device of the given resolution.
// Mode 4 (characters) is 120 twips across and 240 twips down. Unknown modes are refused.
double UnitsPerInch(int16_t mode, double dpi, bool vertical);

// The largest font size the original control accepts, in points.
inline constexpr double kMaxFontSize = 2160;

class Surface : public virtual DrawTarget {
 public:
  // The device may not be usable yet while the surface is constructed: a surface that
  // owns its device calls ResetState once both exist.
  explicit Surface(PaintDevice& device) : device_(device) {}

  void SetFontName(TextView name) override;
  Text FontName() const override { return font_.name; }
  void SetFontSize(double points) override;
  double FontSize() const override;
  void SetFontItalic(bool italic) override { font_.italic = italic; }
  bool FontItalic() const override { return font_.italic; }
  void SetFontBold(bool bold) override { font_.bold = bold; }
  bool FontBold() const override { return font_.bold; }
  // A colour outside 0..&HFFFFFF is refused, here and in Line and Circle.
  void SetForeColor(int32_t colour) override;
  int32_t ForeColor() const override { return foreColor_; }

  void SetCurrentX(float x) override { currentX_ = x; }
  float CurrentX() const override { return currentX_; }
  void SetCurrentY(float y) override { currentY_ = y; }
  float CurrentY() const override { return currentY_; }

  void SetDrawWidth(int16_t width) override;
  int16_t DrawWidth() const override { return drawWidth_; }
  void SetDrawStyle(int16_t style) override;
  int16_t DrawStyle() const override { return drawStyle_; }

  void SetScaleMode(int16_t mode) override;
  int16_t ScaleMode() const override { return scaleMode_; }
  float ScaleWidth() const override;
  float ScaleHeight() const override;

  void Print(TextView text) override;
  void Line(float x1, float y1, float x2, float y2, int32_t colour, LineKind kind) override;
  void Circle(float x, float y, float radius, int32_t colour) override;
  float TextWidth(TextView text) override;
  float TextHeight(TextView text) override;

  double ScaleX(double value, int16_t from, int16_t to) const override;
  double ScaleY(double value, int16_t from, int16_t to) const override;

  // The font as the device realises it.
  const FontSpec& Font() const { return font_; }

 protected:
  PaintDevice& Device() { return device_; }
  const PaintDevice& Device() const { return device_; }
  // Resets the print position, as clearing a surface does.
  void ResetPosition() { currentX_ = 0, currentY_ = 0; }
  // Back to the state of a new surface: scale mode, font (in points), colours, pen,
  // position.
  void ResetState(int16_t scaleMode, FontSpec font, double points);

 private:
  double ToDeviceX(double x) const;
  double ToDeviceY(double y) const;
  Pen CurrentPen(int32_t colour) const;
  int PixelHeightFor(double points) const;

  PaintDevice& device_;
  int16_t scaleMode_ = kScaleTwips;
  FontSpec font_;
  int32_t foreColor_ = 0;
  float currentX_ = 0;
  float currentY_ = 0;
  int16_t drawWidth_ = 1;
  int16_t drawStyle_ = kStyleSolid;
};

}  // namespace vant
