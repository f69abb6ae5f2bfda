#include "platform/printing/device_grid.h"

#include <cmath>

#include "engine/papers.h"

namespace vant::printing {
namespace {

// The server's figures are hundredths of a millimetre, rounded.
constexpr double kServerRoundingMm = 0.005;

double NearestWhole(double v) { return std::floor(v + 0.5); }

// The grid's position along one axis (any point of it) and the printable corner's: the
// origin is the grid point nearest the corner.
double OnGrid(double grid, double corner) { return grid + NearestWhole(corner - grid); }

}  // namespace

double StripDots(double mm, double dpi) {
  const double dots = mm * dpi / kInch;
  const double whole = NearestWhole(dots);
  return std::fabs(dots - whole) <= kServerRoundingMm * dpi / kInch ? whole : dots;
}

PagePoint PrintableOrigin(const PrinterMedia& media, int16_t orientation, double dpiX, double dpiY,
                          GridAnchor anchor) {
  const SheetMm page = OrientedPage(media.sheet, orientation);
  const double cornerX = StripDots(page.leftMm, dpiX);
  const double cornerY = StripDots(page.topMm, dpiY);
  if (anchor == GridAnchor::kPageCorner) return {NearestWhole(cornerX), NearestWhole(cornerY)};
  if (anchor == GridAnchor::kSheetLowerLeft) {
    // Up the sheet from its bottom edge; turned, that edge is the page's left and its left
    // edge the page's top: the page's own corner.
    if (orientation == kLandscape) return {NearestWhole(cornerX), NearestWhole(cornerY)};
    return {NearestWhole(cornerX), OnGrid(media.sheet.heightMm * dpiY / kInch, cornerY)};
  }
  const bool printable = anchor == GridAnchor::kPrintableCorner;
  if (orientation != kLandscape) {
    // The sheet's grid: from its corner, or from the printable area's.
    return {OnGrid(printable ? cornerX : 0, cornerX), OnGrid(printable ? cornerY : 0, cornerY)};
  }
  // Turned: across the page the grid runs from the sheet's top edge, the page's right edge
  // (the strip there included for a printable-corner grid); down the page, from the
  // sheet's left edge, the page's top.
  const double fromRight = media.sheet.heightMm * dpiX / kInch - (printable ? StripDots(media.sheet.topMm, dpiX) : 0);
  const double fromTop = printable ? StripDots(media.sheet.leftMm, dpiY) : 0;
  return {OnGrid(fromRight, cornerX), OnGrid(fromTop, cornerY)};
}


}  // namespace vant::printing
