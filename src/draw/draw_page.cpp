#include "draw/draw_page.h"

#include "engine/command_table.h"

namespace vant {

bool DrawPage(PictureBox& picture, const PageRec& page, PictureBox& scratch) {
  const ReplaySurfaces surfaces{picture, page, scratch};
  const size_t count = page.marks.size();  // read once
  for (size_t i = 0; i < count; ++i) {
    const PreviewMark& mark = page.marks[i];
    mark.command->marks->replay(mark.values, surfaces);
  }
  return true;
}

}  // namespace vant
