// The method list and settings after the property reading, as one line of JSON: what
// `vant methods PAGE` prints.
#pragma once

#include <string>

#include "common/text.h"
#include "engine/module_state.h"

namespace vant::app {

// {"paramsLoaded": true, "methodCount": 2, "methods": [[fields 0..9 of position 1], ...],
//  "printCaption": "", "printButtonWidth": 0, "printButtonHeight": 0, "runMode": 0}
// on one line, without a line break at its end. A method count beyond the list's
// positions raises a Failure (index out of range).
std::string MethodsJson(const ControlState& state);

}  // namespace vant::app
