#include "platform/qt/qt_painter_device.h"

#include <QColor>
#include <QLineF>
#include <QPen>
#include <QRectF>
#include <QVector>

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/draw_target.h"

namespace vant::qt {
namespace {

// Dash patterns of DrawStyle 1 to 4: alternating on and off lengths in pixels of a 96 dpi
// screen with a 1-pixel pen, as the platform draws them there.
struct DashPattern {
  int16_t style;
  int count;
  std::array<double, 6> lengths;
};

constexpr std::array<DashPattern, 4> kDashPatterns{{
    {kStyleDash, 2, {18, 6, 0, 0, 0, 0}},
    {kStyleDot, 2, {3, 3, 0, 0, 0, 0}},
    {kStyleDashDot, 4, {9, 6, 3, 6, 0, 0}},
    {kStyleDashDotDot, 6, {9, 3, 3, 3, 3, 3}},
}};

constexpr bool PatternsAreSound() {
  for (const DashPattern& p : kDashPatterns) {
    if (p.count < 2 || p.count % 2 != 0 || p.count > 6) return false;
    for (int i = 0; i < p.count; ++i) {
      if (!(p.lengths[static_cast<size_t>(i)] > 0)) return false;
    }
  }
  return true;
}
static_assert(PatternsAreSound(), "each dash pattern alternates positive on and off lengths");
static_assert(kDashPatterns[0].style == kStyleDash && kDashPatterns[3].style == kStyleDashDotDot);

constexpr double kPatternDpi = 96;

const DashPattern* PatternFor(int16_t style) {
  for (const DashPattern& p : kDashPatterns) {
    if (p.style == style) return &p;
  }
  return nullptr;  // solid styles
}

QColor ToQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

// Strokes name pixels; a pixel's centre is half a pixel in from its corner.
constexpr double kPixelCentre = 0.5;

// Liang-Barsky: clips the segment to the rectangle; returns false when nothing is left.
// t0 and t1 return the parameters (0..1) of the kept part.
bool ClipSegment(double x1, double y1, double x2, double y2, const QRectF& box, double& t0,
                 double& t1) {
  t0 = 0, t1 = 1;
  const double dx = x2 - x1, dy = y2 - y1;
  const std::array<double, 4> p{-dx, dx, -dy, dy};
  const std::array<double, 4> q{x1 - box.left(), box.right() - x1, y1 - box.top(),
                                box.bottom() - y1};
  for (size_t i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  return true;
}

}  // namespace

QtPainterDevice::QtPainterDevice(double dpiX, double dpiY, double widthPx, double heightPx)
    : dpiX_(dpiX), dpiY_(dpiY), widthPx_(widthPx), heightPx_(heightPx) {}

void QtPainterDevice::SetSize(double widthPx, double heightPx) {
  widthPx_ = widthPx;
  heightPx_ = heightPx;
}

void QtPainterDevice::SetResolution(double dpiX, double dpiY) {
  dpiX_ = dpiX;
  dpiY_ = dpiY;
}

QPen QtPainterDevice::QtPen(const Pen& pen) const {
  const double width = std::max(1.0, pen.width);
  // The pen paints exactly its width in whole dots (dot_edges.h).
  const double painted = StrokeWidth(width, across_.inset);
  QPen qpen(QBrush(ToQColor(pen.colour)), painted);
  const DashPattern* pattern = PatternFor(pen.style);
  if (pattern == nullptr) {
    qpen.setStyle(Qt::SolidLine);
    qpen.setCapStyle(Qt::RoundCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    return qpen;
  }
  // The pattern grows with the resolution (so that dots stay visible on a fine printer)
  // and with the pen (so that a thick pen's gaps stay open): a dot is at least as long as
  // the pen is wide. Flat caps keep the gaps as long as the pattern says.
  const double scale = std::max((dpiX_ + dpiY_) / 2 / kPatternDpi, width / 3);
  QVector<qreal> dashes;
  for (int i = 0; i < pattern->count; ++i) {
    // Qt counts dash lengths in pen widths.
    dashes.append(pattern->lengths[static_cast<size_t>(i)] * scale / painted);
  }
  qpen.setDashPattern(dashes);
  qpen.setCapStyle(Qt::FlatCap);
  qpen.setJoinStyle(Qt::MiterJoin);
  return qpen;
}

void QtPainterDevice::FillDots(const PaintTarget& target, double left, double top, double right, double bottom,
                               const QColor& colour) const {
  const PaintedSpan across = InsideDots(left, right, across_);
  const PaintedSpan down = InsideDots(top, bottom, down_);
  target.painter.fillRect(QRectF(target.At(across.from, down.from), target.At(across.to, down.to)), colour);
}

void QtPainterDevice::FillRect(double x, double y, double w, double h, Rgb colour) {
  // Only the part inside the drawable area, in whole pixels, its edges inside them.
  const double left = std::max(0.0, std::round(x));
  const double top = std::max(0.0, std::round(y));
  const double right = std::min(std::round(widthPx_), std::round(x + w));
  const double bottom = std::min(std::round(heightPx_), std::round(y + h));
  if (!(right > left) || !(bottom > top)) return;
  // The painter first: the printer starts its page there, and with it the page's edges.
  const PaintTarget target = Painter();
  target.painter.setRenderHint(QPainter::Antialiasing, false);
  FillDots(target, left, top, right, bottom, ToQColor(colour));
}

void QtPainterDevice::StrokeLine(double x1, double y1, double x2, double y2, const Pen& pen) {
  if (Blank()) return;
  const double margin = std::max(1.0, pen.width) + 2;
  const QRectF area(-margin, -margin, widthPx_ + 2 * margin, heightPx_ + 2 * margin);
  double t0 = 0, t1 = 1;
  if (!ClipSegment(x1, y1, x2, y2, area, t0, t1)) return;
  const PaintTarget target = Painter();  // before the pen: the page's edges come with the page
  QPainter& painter = target.painter;
  const double dx = x2 - x1, dy = y2 - y1;
  painter.setRenderHint(QPainter::Antialiasing, false);
  const double width = std::max(1.0, pen.width);
  if (pen.style == kStyleSolid && (dx == 0 || dy == 0)) {
    // A solid line along the grid is the band of whole dots it covers, filled: across it
    // exactly its width, along it from the dot of one end to that of the other with half
    // the width beyond each (where a round end reaches). A rasteriser's stroke adjustment
    // would widen a stroke of the same width by a dot here and there.
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy, bx = x1 + t1 * dx, by = y1 + t1 * dy;
    const double left = StrokeCentre(std::min(ax, bx), width) - width / 2;
    const double right = StrokeCentre(std::max(ax, bx), width) + width / 2;
    const double top = StrokeCentre(std::min(ay, by), width) - width / 2;
    const double bottom = StrokeCentre(std::max(ay, by), width) + width / 2;
    FillDots(target, left, top, right, bottom, ToQColor(pen.colour));
    return;
  }
  QPen qpen = QtPen(pen);
  if (t0 > 0 && qpen.style() == Qt::CustomDashLine) {
    // Keep the dashes where they would have been on the whole line.
    double period = 0;
    for (const qreal d : qpen.dashPattern()) period += d;
    const double skipped = t0 * std::hypot(dx, dy) / qpen.widthF();
    qpen.setDashOffset(std::fmod(skipped, period));
  }
  // A styled line along the grid covers exactly its width in whole dots across; any other
  // line runs through the dot centres its ends name.
  const double acrossX = dx == 0 ? StrokeCentre(x1, width) - x1 : kPixelCentre;
  const double acrossY = dy == 0 ? StrokeCentre(y1, width) - y1 : kPixelCentre;
  painter.setPen(qpen);
  painter.setBrush(Qt::NoBrush);
  painter.drawLine(QLineF(target.At(x1 + t0 * dx + acrossX, y1 + t0 * dy + acrossY),
                          target.At(x1 + t1 * dx + acrossX, y1 + t1 * dy + acrossY)));
}

void QtPainterDevice::StrokeRect(double x1, double y1, double x2, double y2, const Pen& pen) {
  if (Blank()) return;
  const double margin = std::max(1.0, pen.width);
  const double left = std::min(x1, x2), right = std::max(x1, x2);
  const double top = std::min(y1, y2), bottom = std::max(y1, y2);
  if (right + margin < 0 || bottom + margin < 0 || left - margin > widthPx_ ||
      top - margin > heightPx_) {
    return;
  }
  const bool huge = left < -margin || top < -margin || right > widthPx_ + margin ||
                    bottom > heightPx_ + margin;
  if (huge) {
    // A rectangle reaching far outside: its four sides, each clipped on its own.
    StrokeLine(left, top, right, top, pen);
    StrokeLine(right, top, right, bottom, pen);
    StrokeLine(right, bottom, left, bottom, pen);
    StrokeLine(left, bottom, left, top, pen);
    return;
  }
  // Each side covers exactly the pen's width in whole dots.
  const double width = std::max(1.0, pen.width);
  const PaintTarget target = Painter();
  QPainter& painter = target.painter;
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (pen.style == kStyleSolid) {
    // A solid outline is its four sides filled: a rasteriser strokes a rectangle's outline
    // a dot wider than the same pen's line (Ghostscript does).
    const double l = StrokeCentre(left, width) - width / 2, r = StrokeCentre(right, width) - width / 2;
    const double t = StrokeCentre(top, width) - width / 2, b = StrokeCentre(bottom, width) - width / 2;
    const QColor colour = ToQColor(pen.colour);
    FillDots(target, l, t, r + width, t + width, colour);
    FillDots(target, l, b, r + width, b + width, colour);
    FillDots(target, l, t, l + width, b + width, colour);
    FillDots(target, r, t, r + width, b + width, colour);
    return;
  }
  painter.setPen(QtPen(pen));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(target.At(StrokeCentre(left, width), StrokeCentre(top, width)),
                          target.At(StrokeCentre(right, width), StrokeCentre(bottom, width))));
}

void QtPainterDevice::StrokeEllipse(double cx, double cy, double rx, double ry, const Pen& pen) {
  if (Blank()) return;
  const double margin = std::max(1.0, pen.width);
  if (cx + rx + margin < 0 || cy + ry + margin < 0 || cx - rx - margin > widthPx_ ||
      cy - ry - margin > heightPx_) {
    return;
  }
  const PaintTarget target = Painter();
  QPainter& painter = target.painter;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QtPen(pen));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(target.At(cx + kPixelCentre, cy + kPixelCentre), rx, ry);
}

void QtPainterDevice::DrawText(double x, double y, TextView line, const FontSpec& font,
                               Rgb colour) {
  if (Blank() || line.empty() || x >= widthPx_ || y >= heightPx_) return;
  // Only a text that starts left of or above the drawable area can miss it entirely; its
  // width is measured for that test alone.
  if (x < 0 || y < 0) {
    const TextExtent extent = fonts_.Measure(x < 0 ? line : TextView(), font);
    if (x + extent.width < 0 || y + extent.height < 0) return;
  }
  const RealisedFont& realised = fonts_.Realise(font);
  const PaintTarget target = Painter();
  QPainter& painter = target.painter;
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setFont(realised.font);
  painter.setPen(ToQColor(colour));
  painter.drawText(target.At(x, y + realised.ascent), ToQString(line));
}

TextExtent QtPainterDevice::MeasureText(TextView line, const FontSpec& font) {
  return fonts_.Measure(line, font);
}

}  // namespace vant::qt
