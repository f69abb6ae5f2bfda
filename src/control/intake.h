// Reading the control's properties: the method lines of the host page, the print button
// settings and the run mode, into the control state.
#pragma once

#include "control/control_view.h"
#include "control/host.h"
#include "engine/module_state.h"
#include "engine/platform.h"

namespace vant {

// Whether a PARAM of this name is a method line: "method" at its start in any case, but not
// "methodcnt".
bool IsMethodName(TextView name);

// A failure ends the reading at once: its description in an "Error" box, the print
// button disabled; what was stored before stays.
void ReadProperties(ControlState& state, const HostDocument& document, const PropertyBag& bag,
                    ControlView& view, MessageBoxes& messages);

}  // namespace vant
