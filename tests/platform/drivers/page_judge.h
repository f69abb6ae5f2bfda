// Judging a driver's page against the document it printed: every symbol's modules read
// back dot by dot (each bar and space exactly its module count x m dots) and decoded by
// zbarimg, every line and outline exactly its width, every mark within 0.1 mm + 1 dot of
// its place, the text there. What was seen is gathered for the figures each test prints.
#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "cups_raster.h"
#include "driver_document.h"
#include "ink_image.h"

namespace vant::test::drivers {

// A page's dots on the page: where dot (0, 0)'s corner lies, in millimetres from the page's
// top-left corner, and the densities.
struct PageFrame {
  double originXMm = 0;
  double originYMm = 0;
  double dpiX = 0;
  double dpiY = 0;
  double DotX(double mm) const { return (mm - originXMm) * dpiX / 25.4; }
  double DotY(double mm) const { return (mm - originYMm) * dpiY / 25.4; }
};

// The frame of a raster page: a CUPS raster starts at its imaging box's corner (the
// printable area), a PWG raster or a rendered page at the sheet's.
PageFrame FrameOf(const RasterHeader& header);

// A landscape page, from the portrait raster of the sheet it was turned onto: the image
// turned back and its frame on the page (the page is the sheet turned a quarter turn
// counter-clockwise: its top is the sheet's left).
struct TurnedPage {
  InkImage image;
  PageFrame frame;
};
TurnedPage TurnedBack(const RasterPage& page);

struct Figures {
  std::set<int> modules;      // module widths seen exact
  std::set<int> strokes;      // line and outline widths seen exact
  double worstOffsetMm = 0;   // the farthest any mark lay from its place
  int symbols = 0;
  int decoded = 0;
  std::string Describe() const;
};

// Judges the page (dots of image in frame) against doc, whose coordinates are millimetres
// from the printable corner at (cornerXMm, cornerYMm) on the page; PNGs for zbarimg go to
// work. Failures are the test's, named with where.
void JudgePage(const InkImage& image, const PageFrame& frame, double cornerXMm, double cornerYMm,
               const DriverDocument& doc, const std::filesystem::path& work, const std::string& where,
               Figures& figures);

}  // namespace vant::test::drivers
