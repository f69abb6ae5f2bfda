#include "engine/surface.h"

#include <algorithm>
#include <cmath>

#include "common/failure.h"
#include "common/numbers.h"

namespace vant {
namespace {

// Device coordinates are 32-bit, as in the original control; beyond that a drawing call overflows.
double CheckedDevice(double v) {
  if (!std::isfinite(v) || std::fabs(v) > 2147483647.0) throw Failure::Overflow();
  return v;
}

// Colours are red + 256 x green + 65536 x blue: anything outside 0..&HFFFFFF is no colour
// (a &H number of four digits reads as a negative 16-bit number, &HFF00 as -256) and is
// refused, so the drawing routines skip that step instead of painting another colour.
int32_t CheckedColour(int32_t colour) {
  if (colour < 0 || colour > 0xFFFFFF) throw Failure::InvalidPropertyValue();
  return colour;
}

// Calls line with each line of a Print, in order: CR LF, CR and LF each end a line. The
// lines are views into text; nothing is allocated. Returns the number of lines.
template <class Line>
size_t ForEachLine(TextView text, Line&& line) {
  size_t count = 0;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      line(text.substr(start, i - start));
      ++count;
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      start = i + 1;
    }
  }
  line(text.substr(start));
  return count + 1;
}

}  // namespace

Rgb RgbFromColour(int32_t colour) {
  const auto v = static_cast<uint32_t>(colour);
  return Rgb{static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF),
             static_cast<uint8_t>((v >> 16) & 0xFF)};
}

int32_t ColourFromRgb(Rgb rgb) { return rgb.red + 256 * rgb.green + 65536 * rgb.blue; }

double UnitsPerInch(int16_t mode, double dpi, bool vertical) {
  switch (mode) {
    case kScaleTwips: return 1440;
    case kScalePoints: return 72;
    case kScalePixels: return dpi;
    case kScaleCharacters: return vertical ? 1440.0 / 240.0 : 1440.0 / 120.0;
    case kScaleInches: return 1;
    case kScaleMillimeters: return 25.4;
    case kScaleCentimeters: return 2.54;
    default: throw Failure::InvalidPropertyValue();
  }
}

void Surface::ResetState(int16_t scaleMode, FontSpec font, double points) {
  scaleMode_ = scaleMode;
  font_ = std::move(font);
  font_.pixelHeight = PixelHeightFor(points);
  foreColor_ = 0;
  currentX_ = currentY_ = 0;
  drawWidth_ = 1;
  drawStyle_ = kStyleSolid;
}

int Surface::PixelHeightFor(double points) const {
  // Fonts are realised in whole device pixels, as the original control's font mapper does; the
  // size reads back as those pixels in points.
  const double px = RoundHalfEven(points * device_.DpiY() / 72.0);
  return static_cast<int>(std::max(1.0, px));
}

void Surface::SetFontName(TextView name) {
  if (name.empty()) throw Failure::InvalidPropertyValue();
  font_.name.assign(name);  // in the room the last name had: no allocation for most names
}

void Surface::SetFontSize(double points) {
  if (!std::isfinite(points) || points <= 0 || points > kMaxFontSize)
    throw Failure::InvalidPropertyValue();
  font_.pixelHeight = PixelHeightFor(points);
}

double Surface::FontSize() const { return font_.pixelHeight * 72.0 / device_.DpiY(); }

void Surface::SetForeColor(int32_t colour) { foreColor_ = CheckedColour(colour); }

void Surface::SetDrawWidth(int16_t width) {
  if (width < 1) throw Failure::InvalidPropertyValue();
  drawWidth_ = width;
}

void Surface::SetDrawStyle(int16_t style) {
  if (style < kStyleSolid || style > kStyleInsideSolid) throw Failure::InvalidPropertyValue();
  drawStyle_ = style;
}

void Surface::SetScaleMode(int16_t mode) {
  (void)UnitsPerInch(mode, device_.DpiX(), false);  // refuses unknown modes
  scaleMode_ = mode;
}

float Surface::ScaleWidth() const {
  return static_cast<float>(ScaleX(device_.WidthPx(), kScalePixels, scaleMode_));
}

float Surface::ScaleHeight() const {
  return static_cast<float>(ScaleY(device_.HeightPx(), kScalePixels, scaleMode_));
}

double Surface::ScaleX(double value, int16_t from, int16_t to) const {
  const double dpi = device_.DpiX();
  return value / UnitsPerInch(from, dpi, false) * UnitsPerInch(to, dpi, false);
}

double Surface::ScaleY(double value, int16_t from, int16_t to) const {
  const double dpi = device_.DpiY();
  return value / UnitsPerInch(from, dpi, true) * UnitsPerInch(to, dpi, true);
}

double Surface::ToDeviceX(double x) const { return CheckedDevice(ScaleX(x, scaleMode_, kScalePixels)); }
double Surface::ToDeviceY(double y) const { return CheckedDevice(ScaleY(y, scaleMode_, kScalePixels)); }

Pen Surface::CurrentPen(int32_t colour) const {
  return Pen{static_cast<double>(drawWidth_), drawStyle_, RgbFromColour(CheckedColour(colour))};
}

void Surface::Print(TextView text) {
  double y = ToDeviceY(currentY_);
  double x = ToDeviceX(currentX_);
  // The line height does not depend on the text: measuring an empty line gives it without
  // laying out the text, which the drawing does anyway.
  const double lineHeight = device_.MeasureText(TextView(), font_).height;
  ForEachLine(text, [&](TextView line) {
    if (!line.empty()) device_.DrawText(x, y, line, font_, RgbFromColour(foreColor_));
    x = 0;  // a following line starts at the left edge, as the original control's Print does
    y += lineHeight;
  });
  currentX_ = 0;
  currentY_ = static_cast<float>(ScaleY(y, kScalePixels, scaleMode_));
}

void Surface::Line(float x1, float y1, float x2, float y2, int32_t colour, LineKind kind) {
  const double dx1 = ToDeviceX(x1), dy1 = ToDeviceY(y1);
  const double dx2 = ToDeviceX(x2), dy2 = ToDeviceY(y2);
  const Pen pen = CurrentPen(colour);
  switch (kind) {
    case LineKind::kLine:
      if (drawStyle_ != kStyleInvisible) device_.StrokeLine(dx1, dy1, dx2, dy2, pen);
      break;
    case LineKind::kBox: {
      if (drawStyle_ == kStyleInvisible) break;
      double left = std::min(dx1, dx2), right = std::max(dx1, dx2);
      double top = std::min(dy1, dy2), bottom = std::max(dy1, dy2);
      Pen outline = pen;
      if (drawStyle_ == kStyleInsideSolid) {
        // The outline stays inside the rectangle: its centre line moves in by half a width.
        const double inset = std::min({pen.width / 2, (right - left) / 2, (bottom - top) / 2});
        left += inset, right -= inset, top += inset, bottom -= inset;
        outline.style = kStyleSolid;
      }
      device_.StrokeRect(left, top, right, bottom, outline);
      break;
    }
    case LineKind::kFilledBox: {
      // Both corners included, in whole device pixels. The box's corner is rounded once and
      // its extent on its own, so a box is as wide wherever it starts: rounding both
      // corners half to even would make a box from k + 0.5 one pixel wider or narrower
      // than the same box from k.
      const double left = RoundHalfEven(std::min(dx1, dx2));
      const double top = RoundHalfEven(std::min(dy1, dy2));
      const double width = RoundHalfEven(std::fabs(dx2 - dx1)) + 1;
      const double height = RoundHalfEven(std::fabs(dy2 - dy1)) + 1;
      device_.FillRect(left, top, width, height, pen.colour);
      break;
    }
  }
  currentX_ = x2;
  currentY_ = y2;
}

void Surface::Circle(float x, float y, float radius, int32_t colour) {
  const double cx = ToDeviceX(x), cy = ToDeviceY(y);
  if (!(radius >= 0)) throw Failure::InvalidPropertyValue();
  // The radius is measured along the horizontal axis; the circle is round on the device.
  double rx = CheckedDevice(ScaleX(radius, scaleMode_, kScalePixels));
  double ry = rx * device_.DpiY() / device_.DpiX();
  Pen pen = CurrentPen(colour);
  if (drawStyle_ == kStyleInsideSolid) {
    const double inset = std::min(pen.width / 2, rx);
    rx -= inset;
    ry = std::max(0.0, ry - inset);
    pen.style = kStyleSolid;
  }
  if (drawStyle_ != kStyleInvisible && rx > 0) device_.StrokeEllipse(cx, cy, rx, ry, pen);
  currentX_ = x;
  currentY_ = y;
}

float Surface::TextWidth(TextView text) {
  double width = 0;
  ForEachLine(text, [&](TextView line) { width = std::max(width, device_.MeasureText(line, font_).width); });
  return static_cast<float>(ScaleX(width, kScalePixels, scaleMode_));
}

float Surface::TextHeight(TextView text) {
  const TextView first = text.substr(0, std::min(text.find_first_of(u"\r\n"), text.size()));
  const double lineHeight = device_.MeasureText(first, font_).height;
  const size_t lines = ForEachLine(text, [](TextView) {});
  return static_cast<float>(ScaleY(lineHeight * static_cast<double>(lines), kScalePixels, scaleMode_));
}

}  // namespace vant
