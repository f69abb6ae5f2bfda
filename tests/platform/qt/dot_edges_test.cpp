// Marks on the dot grid: the band of whole dots a stroke covers, and the painted edges kept
// inside them for either fill rule.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/qt/dot_edges.h"

namespace vant::qt {
namespace {

// The dots [first, end) a painted span fills under each rule.
struct Filled {
  double first, end;
};
// Every dot the span touches (Ghostscript's rule for fills and strokes).
Filled AnyPart(double from, double to) { return {std::floor(from), std::ceil(to)}; }
// Every dot whose centre it covers (poppler's and Qt's).
Filled Centres(double from, double to) { return {std::ceil(from - 0.5), std::floor(to - 0.5) + 1}; }

struct StrokeRow {
  int line;
  double v;      // the coordinate the line names
  double width;  // dots asked
  double first;  // the first dot of the band
};

TEST(DotEdges, AStrokeCoversExactlyItsWidthInWholeDotsUnderBothRules) {
  const StrokeRow rows[] = {
      {__LINE__, 100, 1, 100},     {__LINE__, 100, 2, 100},     {__LINE__, 100, 3, 99},
      {__LINE__, 100, 6, 98},      {__LINE__, 100.3, 1, 100},   {__LINE__, 100.3, 2, 100},
      {__LINE__, 1953.04, 2, 1953}, {__LINE__, 1953.54, 2, 1953}, {__LINE__, 99.7, 5, 98},
      {__LINE__, 100, 0, 100},  // no width is one dot
  };
  for (const StrokeRow& row : rows) {
    const double n = std::max(1.0, row.width);
    const double centre = StrokeCentre(row.v, row.width);
    EXPECT_DOUBLE_EQ(centre - n / 2, row.first) << "row at line " << row.line;
    // The band stays within a dot of the line it draws.
    EXPECT_LE(std::fabs(centre - (row.v + 0.5)), 0.5 + 1e-9) << "row at line " << row.line;
    const double half = StrokeWidth(row.width, kEdgeInset) / 2;
    for (const Filled f : {AnyPart(centre - half, centre + half), Centres(centre - half, centre + half)}) {
      EXPECT_EQ(f.first, row.first) << "row at line " << row.line;
      EXPECT_EQ(f.end, row.first + n) << "row at line " << row.line;
    }
  }
}

TEST(DotEdges, FilledDotsStayTheDotsMeantEvenWithTheGridAFifthOfADotOff) {
  for (const double shift : {-0.2, 0.0, 0.2}) {
    for (const double first : {0.0, 7.0, 1953.0}) {
      for (const double m : {1.0, 2.0, 9.0}) {
        const PaintedSpan span = InsideDots(first, first + m, EdgeRule{kEdgeInset, 0});
        for (const Filled f : {AnyPart(span.from + shift, span.to + shift), Centres(span.from + shift, span.to + shift)}) {
          EXPECT_EQ(f.first, first) << shift << " " << first << " " << m;
          EXPECT_EQ(f.end, first + m) << shift << " " << first << " " << m;
        }
      }
    }
  }
  // Without an inset, an edge on a dot boundary takes the dot beyond under the any-part
  // rule: the bar one dot wider, as the rasteriser reads it.
  const PaintedSpan exact = InsideDots(10, 19, EdgeRule{});
  EXPECT_EQ(AnyPart(exact.from - 1e-9, exact.to + 1e-9).end - AnyPart(exact.from - 1e-9, exact.to + 1e-9).first, 11);
}

}  // namespace
}  // namespace vant::qt
