// Marks laid on the device's dot grid so that they rasterise to the dots meant under every
// fill rule: a rasteriser that fills each dot a shape touches (Ghostscript, as print drivers
// and PostScript printers use it) and one that fills each dot whose centre it covers
// (poppler, Qt's own). An edge lying on a dot boundary is read both ways (the bar one dot
// wider, or not), so every edge is kept a quarter dot inside the dots it bounds: the dot
// beyond is not touched, the dots within have their centres covered, and a grid that lies
// a little off (a strip measured in hundredths of a millimetre) still gives the same dots.
// Where the rasteriser and its resolution are unknown (a PDF file, read at any density),
// edges stay on the dot boundaries, where a rendering at half the density splits them
// evenly.
//
// A driver's raster may come from either of two rasterisers that lay their dots on grids a
// fraction apart: Ghostscript from the printable area's corner, poppler (pdftoraster) from
// the sheet's. An edge then lies inside its dot on the first grid and short of the first
// dot centre of the second, where there is room for both (a strip of 2 pt at 300 dpi puts
// the grids a third of a dot apart; only grids half a dot apart leave no room, and the
// first grid wins).
#pragma once

namespace vant::qt {

// How far inside its dots an edge is laid for a known dot grid, in dots.
inline constexpr double kEdgeInset = 0.25;

// How edges are laid along one axis: inset inside the dots of the grid painted on (0: on
// the boundaries), and where a second grid's boundaries lie, 0 to 1 dot further on (0:
// the same grid).
struct EdgeRule {
  double inset = 0;
  double otherGrid = 0;
};

// The extent of whole dots [first, end) as painted.
struct PaintedSpan {
  double from = 0;
  double to = 0;
};
PaintedSpan InsideDots(double first, double end, const EdgeRule& rule);

// A stroke n dots wide (n < 1 is 1) across a line that names the dot at coordinate v (the
// line runs through that dot's centre, v + 0.5): the centre of the band of n whole dots
// nearest it, as painted.
double StrokeCentre(double v, double n);
// The pen width that paints exactly those n dots, its edges inset inside them.
double StrokeWidth(double n, double inset);

}  // namespace vant::qt
