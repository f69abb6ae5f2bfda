// The commands that put marks on a page, as the run driver reaches them. The run driver
// sits below the drawing layer, so it knows only this table; the drawing layer fills it
// (DrawingCommands() in draw/draw_dispatch.h) and whoever starts a run passes it in.
#pragma once

#include <cstdint>
#include <optional>

#include "common/method_rec.h"
#include "engine/draw_target.h"
#include "engine/printer_object.h"

namespace vant {

struct DrawingBranch {
  // command is field 0, lower-cased.
  bool (*isDrawingCommand)(TextView command);
  // Draws the method on a printer target or records its converted copy in PageList entry
  // page. Returns the refusal of a barcode's data on paper; nothing otherwise.
  std::optional<Text> (*run)(Platform& platform, DrawTarget& target, int16_t page, TextView command,
              const MethodRec& method);
};

}  // namespace vant
