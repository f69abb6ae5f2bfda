// What the preview should show, worked out from the engine's own steps and not from the
// preview window: the method list run page by page against a picture at double density,
// the pages with something drawn renumbered from 1, one of them replayed with DrawPage,
// and that picture stretched by a zoom's factor into a white page image.
#pragma once

#include <QImage>

#include <cstdint>

#include "engine/module_state.h"
#include "engine/page_record.h"
#include "engine/printer_object.h"

namespace vant::test {

struct ShownPages {
  int count = 0;  // pages with something drawn
};

// Builds the PageList and the ShownPageList from the platform state's method list, as the
// preview builds them; the run must complete. NextMethod is 0 afterwards.
ShownPages BuildShownPages(Platform& platform);

// ShownPageList entry page replayed onto a double-density picture of its printable area;
// on a screen of device pixel ratio `ratio` the picture (and the barcode scratch picture)
// holds ratio device pixels for each of its pixels.
QImage DrawnPagePicture(const EngineState& engine, int16_t page, double ratio = 1);

// The page image at factor f: the picture's size plus the page's unprintable strips,
// times f, white, with the picture stretched (averaged) into it inside the strips. At a
// ratio, the image and the rectangles of the copy are in device pixels: a pixel edge e
// lies on device edge e x ratio, rounded (a half up).
QImage PageImageAtFactor(const EngineState& engine, int16_t page, double factor, double ratio = 1);

// The automatic fit's factor in a viewport of that size (pixels): a tall page fills 99 %
// of its height, a wide or square page 80 % of its width.
double FitFactor(const EngineState& engine, int16_t page, int viewportWidth, int viewportHeight);
// The page image of the automatic fit: the picture's own size times the factor.
QImage FittedPageImage(const EngineState& engine, int16_t page, int viewportWidth, int viewportHeight);

// The factor of a fixed zoom percentage: the picture has double density.
double ZoomFactor(int percent);

}  // namespace vant::test
