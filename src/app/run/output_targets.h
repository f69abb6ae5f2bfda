// The files the user names on the command line, checked before the run starts: a run
// whose output can never be written is refused at once rather than after all its work.
#pragma once

#include "app/cli/command_line.h"

namespace vant::app {

// Throws UsageError naming the file and the reason when the PDF file (`vant pdf -o`) or
// the page image (`vant render -o`) cannot be written: a directory, a missing directory on
// the way, no permission. A device or FIFO is fine: it is written into.
void CheckOutputTargets(const CommandLine& line);

}  // namespace vant::app
