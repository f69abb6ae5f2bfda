// The preview's pages built as the preview window's load builds them (one function builds
// them for all: preview/preview_pages.h), on a Qt picture box, for the benchmarks.
#pragma once

#include "engine/printer_object.h"
#include "platform/qt/qt_picture_box.h"

namespace vant::bench {

inline constexpr int32_t kWhitePicture = 0xFFFFFF;

// Returns the number of shown pages. A run that stopped throws std::runtime_error (its
// message went to the platform's boxes); a page that does not advance the list throws
// the Failure.
int BuildPreviewPages(Platform& platform, qt::QtPictureBox& picture);

// Empties the page lists and resets NextMethod, as the window's unload does.
void ClearPreviewPages(EngineState& engine);

// The scratch box for barcodes, prepared as the window's load prepares it.
void PrepareBarcodeScratch(PictureBox& scratch);

}  // namespace vant::bench
