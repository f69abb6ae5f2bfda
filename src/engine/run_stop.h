// A stop of the run for a cause the method language names (an unrecognised command, an
// unaccepted setup argument, a refused barcode), carrying the stop text that opens the
// run's message. Failures raised by printers, surfaces or arithmetic are vant::Failure.
#pragma once

#include "common/text.h"

namespace vant {

struct RunStop {
  Text stopText;
};

}  // namespace vant
