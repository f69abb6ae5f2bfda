#include "draw/draw_page.h"

#include "barcode/barcode_commands.h"
#include "draw/shape_commands.h"
#include "draw/text_command.h"

namespace vant {

bool DrawPage(PictureBox& picture, const PageRec& p, PictureBox& scratch) {
  const size_t last = p.methods.size() - 1;  // read once
  for (size_t i = 1; i <= last; ++i) {
    const MethodRec& copy = p.methods[i];
    const Text command = LowerCase(copy.field[0]);
    if (command == u"prntextout" || command == u"prntext") {
      DrawText(picture, ReadTextArgs(copy));
    } else if (command == u"prnbox") {
      DrawBox(picture, ReadBoxArgs(copy));
    } else if (command == u"prnline") {
      DrawLine(picture, ReadBoxArgs(copy));
    } else if (command == u"prncircle") {
      DrawCircle(picture, ReadCircleArgs(copy));
    } else if (IsBarcodeCommand(command)) {
      RenderBarcode(command, copy, p, picture, scratch);
    }
    // Any other entry is skipped without a message.
  }
  return true;
}

}  // namespace vant
