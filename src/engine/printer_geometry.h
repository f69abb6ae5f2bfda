// Measuring the current printer's page, and setting up a preview page from it.
#pragma once

#include <cstdint>

#include "engine/picture_box.h"
#include "engine/printer_object.h"

namespace vant {

// Measures the printer's page into the state's printerGeometry (whole millimetres).
// Returns 0 when stored; 1 after a failure, which it reports itself ("プリンター情報が
// 取得できません!") and which leaves the previous measurement in place.
int16_t ReadPrinterGeometry(Platform& platform, Printer& printer);

// Sizes the preview picture to the printable area at twice its density and fills PageList
// entry page from the current printer; clears the page's shown flag. Failures go to the
// caller.
void SetupPreviewPage(Platform& platform, PictureBox& picture, int16_t page);

}  // namespace vant
