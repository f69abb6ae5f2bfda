// What a surface paints on: the small interface behind Surface. Every length here is in
// device pixels of the drawable area, origin at its top-left corner. QPainter on a PDF page
// or a QImage is the production device; a recording device serves the tests.
#pragma once

#include <cstdint>

#include "common/text.h"

namespace vant {

// 0x00BBGGRR as the original control encodes colours.
struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};
Rgb RgbFromColour(int32_t colour);
int32_t ColourFromRgb(Rgb rgb);

struct FontSpec {
  Text name;
  int pixelHeight = 12;  // the em height in device pixels
  bool italic = false;
  bool bold = false;
  bool operator==(const FontSpec&) const = default;
};

struct Pen {
  double width = 1;   // device pixels
  int16_t style = 0;  // DrawStyle 0..4 and 6; 5 never reaches the device
  Rgb colour;
};

struct TextExtent {
  double width = 0;   // device pixels
  double height = 0;  // line height, device pixels
};

class PaintDevice {
 public:
  virtual ~PaintDevice() = default;

  // Device resolution, dots per inch along each axis.
  virtual double DpiX() const = 0;
  virtual double DpiY() const = 0;
  // The drawable area in device pixels.
  virtual double WidthPx() const = 0;
  virtual double HeightPx() const = 0;

  // The rectangle [x, x + w) x [y, y + h), filled; whole pixels stay whole.
  virtual void FillRect(double x, double y, double w, double h, Rgb colour) = 0;
  virtual void StrokeLine(double x1, double y1, double x2, double y2, const Pen& pen) = 0;
  // Outline with the pen centred on the rectangle's edges.
  virtual void StrokeRect(double x1, double y1, double x2, double y2, const Pen& pen) = 0;
  virtual void StrokeEllipse(double cx, double cy, double rx, double ry, const Pen& pen) = 0;
  // One line of text, its top-left corner (of the line box) at (x, y).
  virtual void DrawText(double x, double y, TextView line, const FontSpec& font, Rgb colour) = 0;
  virtual TextExtent MeasureText(TextView line, const FontSpec& font) = 0;
};

}  // namespace vant
