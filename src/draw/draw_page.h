// Replays the recorded marks of one shown page onto a preview picture, each by the row of
// the command that recorded it.
#pragma once

#include <cstdint>

#include "engine/page_record.h"
#include "engine/picture_box.h"

namespace vant {

// picture is already cleared and sized by the caller; page is an entry of the shown pages
// (ShownPage); scratch is the barcode scratch box. Returns true when the page has been
// drawn. An overflow in an entry ends the page and goes back to the caller.
bool DrawPage(PictureBox& picture, const PageRec& page, PictureBox& scratch);

}  // namespace vant
