// The printer's page in whole millimetres, and the pages of a preview as they are built
// and as they are shown.
#pragma once

#include <cstdint>
#include <vector>

#include "common/text.h"
#include "engine/preview_marks.h"

namespace vant {

// Whole millimetres.
struct PrinterGeometry {
  int32_t offsetLeft = 0;
  int32_t marginRight = 0;
  int32_t offsetTop = 0;
  int32_t marginBottom = 0;
  int32_t paperHeight = 0;
  int32_t paperWidth = 0;
  int32_t printableWidth = 0;
  int32_t printableHeight = 0;
  bool operator==(const PrinterGeometry&) const = default;
};

// One preview page. Lengths are picture pixels (the preview picture at its own scale,
// without the preview's factor 2).
struct PageRec {
  int32_t offsetLeft = 0;
  int32_t marginRight = 0;
  int32_t offsetTop = 0;
  int32_t marginBottom = 0;
  int16_t paperSize = 0;
  int16_t orientation = 0;
  int32_t paperHeight = 0;
  int32_t paperWidth = 0;
  int32_t printableWidth = 0;
  int32_t printableHeight = 0;
  bool shown = false;
  Text printerName;
  std::vector<PreviewMark> marks;  // in the order the methods ran
  float printerPixelFactorX = 0;   // printer pixels per preview-copy pixel
  float printerPixelFactorY = 0;
};

// Lower bound 0, indexed by page number from 1; entry 0 exists and is never used.
using PageArray = std::vector<PageRec>;

}  // namespace vant
