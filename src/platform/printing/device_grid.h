// Where a printer's dots lie on a page. Marks are painted in device pixels from a painter
// origin near the printable area's corner; for every bar, line and outline to come out the
// width it was asked, that origin must sit on the device's dot grid, and the grid is where
// the queue's rasteriser puts it:
// - a driver that takes the print server's own raster (a PPD whose filter reads
//   application/vnd.cups-raster: the label, PCL and dot-matrix drivers) gets a raster whose
//   first dot is the printable area's corner, however far from the sheet edge that lies
//   (2 pt on a 300 dpi label is 8.33 dots);
// - the PWG raster a driverless printer is sent lays its dots from the sheet's top-left
//   corner; a PostScript printer's interpreter from its lower-left one, where its page
//   space starts (a sheet whose height is no whole number of dots puts its top a fraction
//   of a dot off that grid);
// - a PDF file, and a printer that takes the PDF as it is, from the page's own corner.
// A landscape page reaches the first two as the portrait sheet turned
// (printer_capabilities.h), so their grid is the portrait grid turned with it: across the
// page it runs from the sheet's top edge, which is the page's right.
#pragma once

#include <cstdint>

#include "platform/printing/printer_capabilities.h"

namespace vant::printing {

// A point on the page, device pixels from the page's top-left corner.
struct PagePoint {
  double xPx = 0;
  double yPx = 0;
};

// The painter origin for a page of this media and orientation: the point on the device grid
// nearest the printable area's corner (at most half a dot from it).
PagePoint PrintableOrigin(const PrinterMedia& media, int16_t orientation, double dpiX, double dpiY,
                          GridAnchor anchor);

// A print server gives unprintable strips in hundredths of millimetres: a strip within that
// rounding of a whole number of dots is that whole number.
double StripDots(double mm, double dpi);

}  // namespace vant::printing
