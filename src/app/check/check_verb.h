// `vant check PAGE... [--printer NAME] [--object ID] [--json]`: every page read and run as
// `vant print` would, on printers that record, and reported. Returns the exit status: 0
// when no page would stop, 1 when one would (or cannot be read).
#pragma once

#include "app/cli/command_line.h"

namespace vant::app {

int CheckVerb(int& argc, char** argv, const CommandLine& line);

}  // namespace vant::app
