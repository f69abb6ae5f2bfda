// The method list and settings after the property reading, as one line of JSON: what
// `vant methods PAGE` prints.
#pragma once

#include <string>

#include "common/text.h"
#include "engine/module_state.h"

namespace vant::app {

// A JSON string literal of the text, quotes included: quotation mark and backslash escaped,
// control characters (U+0000..U+001F, U+007F..U+009F) as \u00xx, a surrogate without
// its partner as \udxxx, everything else as UTF-8.
std::string JsonString(TextView text);

// {"paramsLoaded": true, "methodCount": 2, "methods": [[fields 0..9 of position 1], ...],
//  "printCaption": "", "printButtonWidth": 0, "printButtonHeight": 0, "runMode": 0}
// on one line, without a line break at its end. A method count beyond the list's
// positions raises a Failure (index out of range).
std::string MethodsJson(const ControlState& state);

}  // namespace vant::app
