// What the sample drivers send to their printers, decoded back into dots: the ZPL graphic
// field (~DG, hex with ZPL's run-length letters), EPL2 graphic lines (GW), the PCL raster
// (ESC*b#W rows in any of the compression modes the driver writes, ESC*b#Y skips) and the
// Dymo's lines (SYN + bytes, ESC f skips). Each image is width x height dots (the raster
// the driver read says how large); throws naming what it cannot read.
#pragma once

#include <string>

#include "ink_image.h"

namespace vant::test::drivers {

InkImage ZplImage(const std::string& data, int width, int height);
InkImage Epl2Image(const std::string& data, int width, int height);
InkImage DymoImage(const std::string& data, int width, int height);

// PCL: the first page's raster, and the paper source it selected (ESC&l#H; 0 when none).
struct PclPage {
  InkImage image;
  int mediaPosition = 0;
};
PclPage PclImage(const std::string& data, int width, int height);

}  // namespace vant::test::drivers
