#include "platform/qt/dot_edges.h"

#include <algorithm>
#include <cmath>

namespace vant::qt {

PaintedSpan InsideDots(double first, double end, double inset) { return {first + inset, end - inset}; }

double StrokeCentre(double v, double n) {
  const double width = std::max(1.0, n);
  // The band's first dot: the centre line v + 0.5 less half the width, to the nearest dot.
  const double first = std::floor(v + 0.5 - width / 2 + 0.5);
  return first + width / 2;
}

double StrokeWidth(double n, double inset) { return std::max(1.0, n) - 2 * inset; }

}  // namespace vant::qt
