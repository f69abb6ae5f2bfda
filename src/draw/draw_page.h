// Replays the converted copies of one shown page onto a preview picture.
#pragma once

#include <cstdint>

#include "engine/picture_box.h"

namespace vant {

// picture is already cleared and sized by the caller; page indexes the ShownPageList;
// scratch is the barcode scratch box. Returns true when the page has been drawn. A page
// outside the ShownPageList is an index failure; an overflow in an entry ends the page
// and goes back to the caller.
bool DrawPage(PictureBox& picture, int16_t page, PictureBox& scratch);

}  // namespace vant
