// The preview's pages built from the control's method list: what the print preview
// window's load does, and with it `vant render`, the benchmarks, the fuzz target and the
// tests' oracle of the drawn page, so that none of them builds pages another way.
#pragma once

#include "engine/printer_object.h"

namespace vant {

class PictureBox;

// Runs the method list page by page on the picture: per page the printer's geometry read,
// the picture cleared and sized to the printable area at the preview's double density, the
// page set up, and the methods run up to its page break; each page's marks recorded in the
// PageList. Then the pages with something drawn are copied into the ShownPageList,
// renumbered from 1, and NextMethod is put back at 0. False when the run stopped (it has
// shown its stop message). A page that does not move the run past its page break throws
// Failure::IndexOutOfRange: the same page would be built for ever.
bool BuildPreviewPages(Platform& platform, PictureBox& picture);

// Empties the page lists and puts NextMethod back at 0, as the window's unload does.
void ClearPreviewPages(EngineState& engine);

}  // namespace vant
