// The run driver: executes the method list on the printer (the whole list) or, in
// preview building, one page of it on the preview picture.
#pragma once

#include <cstdint>

#include "common/method_rec.h"
#include "engine/command_table.h"
#include "engine/draw_target.h"
#include "engine/printer_object.h"

namespace vant {

inline constexpr int16_t kRunCompleted = 0;
inline constexpr int16_t kRunStopped = 1;

// The last line of the box a run on the printer stops with (a preview's says so instead).
inline constexpr TextView kRunStoppedOnPrinter = u"印刷を中断しました!";

// Runs from NextMethod (or 1) to the end of the list, or in preview building to the next
// page break. Returns 0 for a completed run or page, 1 for a run it stopped after showing
// its message. page is the PageList index in preview building, 0 when printing. commands
// is the whole command table (MethodCommands() in draw/method_commands.h).
int16_t RunMethods(Platform& platform, DrawTarget& target, int16_t page, CommandTable commands);

// The echo of a method in stop messages: "cmd(arg1,arg2...)", lower-cased, up to the
// first empty field from field 2 on.
Text MethodEcho(const MethodRec& method);

}  // namespace vant
