// The shape page the paper tests print and show, and where its marks are measured to lie.
#pragma once

#include <string>
#include <vector>

#include "raster.h"

namespace vant::test::paper {

// Boxes, lines, a circle and a text at known millimetre positions from the printable corner.
std::vector<std::string> ShapePage();

// The marks of ShapePage as found on a raster, in millimetres from the printable corner,
// which lies (originXMm, originYMm) from the raster's top-left corner.
struct ShapeMarks {
  double boxLeft = 0, boxRight = 0, boxTop = 0, boxBottom = 0;
  double boxEdgeThickness = 0;                 // the 12-pixel pen
  double lineStart = 0, lineEnd = 0, lineY = 0;  // the horizontal line
  double columnTop = 0, columnBottom = 0, columnX = 0;  // the vertical line
  double circleX = 0, circleY = 0, circleRadiusAcross = 0, circleRadiusDown = 0;
  double insideOuter = 0, insideInner = 0;     // left edge of the inside-solid box
};
ShapeMarks MeasureShapes(const Raster& raster, double originXMm, double originYMm);

// Ink along the middle of the styled line k (DrawStyle k, 0..5) of ShapePage: its runs.
std::vector<InkRun> StyledLineRuns(const Raster& raster, int style, double originXMm, double originYMm);

}  // namespace vant::test::paper
