// The drawing branch of the run: the nine commands that put marks on a page, drawn on the
// printer or converted and recorded for the preview page being built.
#pragma once

#include <cstdint>
#include <optional>

#include "common/method_rec.h"
#include "engine/drawing_branch.h"
#include "engine/printer_object.h"

namespace vant {

// command is field 0, lower-cased: "prntextout", "prntext", "prnbox", "prnline",
// "prncircle", "prnjan13", "prnjan8", "prnnw7", "prncode39".
bool IsDrawingCommand(TextView command);

// On a printer target draws the method; on a picture box records its converted copy in
// PageList entry page. Returns the refusal of a barcode's data on paper; nothing otherwise.
// Overflows and other failures propagate.
std::optional<Text> RunDrawingMethod(Platform& platform, DrawTarget& target, int16_t page, TextView command,
                      const MethodRec& method);

// The two above as the run driver takes them.
const DrawingBranch& DrawingCommands();

}  // namespace vant
