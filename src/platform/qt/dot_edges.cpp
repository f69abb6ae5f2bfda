#include "platform/qt/dot_edges.h"

#include <algorithm>
#include <cmath>

namespace vant::qt {

namespace {

// Room nearer than this to a boundary is too little to trust: the first grid wins.
constexpr double kLeastRoom = 0.1;

double Fraction(double v) { return v - std::floor(v); }

// How far inside its boundary an edge is laid, when the second grid's nearest dot centre
// on that side lies `room` dots from the boundary.
double InsetWithin(double room, double inset) {
  return room < 2 * inset && room > kLeastRoom ? room / 2 : inset;
}

}  // namespace

PaintedSpan InsideDots(double first, double end, const EdgeRule& rule) {
  if (rule.inset == 0) return {first, end};
  // The second grid's first dot centre after the leading boundary, and its last before the
  // trailing one (the same distance from it as the first is short of a whole dot).
  const double lead = Fraction(rule.otherGrid + 0.5);
  return {first + InsetWithin(lead, rule.inset), end - InsetWithin(1 - lead, rule.inset)};
}

double StrokeCentre(double v, double n) {
  const double width = std::max(1.0, n);
  // The band's first dot: the centre line v + 0.5 less half the width, to the nearest dot.
  const double first = std::floor(v + 0.5 - width / 2 + 0.5);
  return first + width / 2;
}

double StrokeWidth(double n, double inset) { return std::max(1.0, n) - 2 * inset; }

}  // namespace vant::qt
