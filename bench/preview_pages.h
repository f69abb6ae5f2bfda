// Building the preview's pages from the platform state's method list the way the preview
// window's load does, without the window: per page the printer's geometry, the page
// picture cleared and sized, the page set up, and one RunMethods call up to the page break;
// then the pages with something drawn copied into the ShownPageList.
#pragma once

#include "engine/printer_object.h"
#include "platform/qt/qt_picture_box.h"

namespace vant::bench {

inline constexpr int32_t kWhitePicture = 0xFFFFFF;

// Returns the number of shown pages. A run that stopped, or a page that does not advance
// the list, throws std::runtime_error with the message it showed.
int BuildPreviewPages(Platform& platform, qt::QtPictureBox& picture);

// Empties the page lists and resets NextMethod, as the window's unload does.
void ClearPreviewPages(EngineState& engine);

// The scratch box for barcodes, prepared as the window's load prepares it.
void PrepareBarcodeScratch(PictureBox& scratch);

}  // namespace vant::bench
