// A PaintDevice that paints with a QPainter: the production device behind the printer's
// PDF pages and the picture boxes' QImages. Device pixels map 1:1 onto the painter's
// coordinates; whoever owns the painter sets up any translation before painting starts.
#pragma once

#include <QPainter>

#include "engine/paint_device.h"
#include "platform/qt/dot_edges.h"
#include "platform/qt/qt_fonts.h"

namespace vant::qt {

// A painter and where the drawable area's top-left corner lies on it, in its coordinates.
// The corner is added to each mark instead of being set on the painter: under any transform
// the PDF engine wraps every fill in a transform and a saved state of its own.
struct PaintTarget {
  QPainter& painter;
  QPointF origin;
  QPointF At(double x, double y) const { return {origin.x() + x, origin.y() + y}; }
};

class QtPainterDevice : public PaintDevice {
 public:
  QtPainterDevice(double dpiX, double dpiY, double widthPx, double heightPx);

  double DpiX() const override { return dpiX_; }
  double DpiY() const override { return dpiY_; }
  double WidthPx() const override { return widthPx_; }
  double HeightPx() const override { return heightPx_; }

  // Whole pixels, no antialiasing: a barcode module of m pixels is exactly m pixels, on
  // paper too (its edges are kept inside its dots where the device's grid is known:
  // dot_edges.h).
  void FillRect(double x, double y, double w, double h, Rgb colour) override;
  // Strokes are centred on the pixel a coordinate names, as the platform draws them, and a
  // pen n pixels wide covers exactly n whole pixels across a line or side along the grid;
  // DrawStyle 1 to 4 become a dash pattern in device pixels, grown with the resolution and
  // the width so that it stays visible on fine printers and with thick pens.
  void StrokeLine(double x1, double y1, double x2, double y2, const Pen& pen) override;
  void StrokeRect(double x1, double y1, double x2, double y2, const Pen& pen) override;
  void StrokeEllipse(double cx, double cy, double rx, double ry, const Pen& pen) override;
  // One line, top-left of its line box at (x, y), baseline at y + ascent, no background.
  void DrawText(double x, double y, TextView line, const FontSpec& font, Rgb colour) override;
  TextExtent MeasureText(TextView line, const FontSpec& font) override;

  FontCache& Fonts() { return fonts_; }

 protected:
  // The painter to paint on, ready for painting (the printer starts its page lazily here).
  virtual PaintTarget Painter() = 0;
  // A device whose drawable area changes (a picture box resized, a new paper size).
  void SetSize(double widthPx, double heightPx);
  void SetResolution(double dpiX, double dpiY);
  // How the edges of marks are laid across and down (dot_edges.h); on the dot boundaries
  // until a device knows its grid.
  void SetEdgeRules(const EdgeRule& across, const EdgeRule& down) { across_ = across, down_ = down; }

 private:
  QPen QtPen(const Pen& pen) const;
  // Fills the whole dots [left, right) x [top, bottom), its edges inside them.
  void FillDots(const PaintTarget& target, double left, double top, double right, double bottom,
                const QColor& colour) const;
  // No drawable area: nothing can be painted (and a null image has no painter).
  bool Blank() const { return !(widthPx_ > 0) || !(heightPx_ > 0); }

  double dpiX_, dpiY_, widthPx_, heightPx_;
  EdgeRule across_, down_;
  FontCache fonts_;
};

}  // namespace vant::qt
