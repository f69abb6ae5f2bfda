// Replacing a text within a text, as the method line's doubled commas are replaced.
#pragma once

#include "common/text.h"

namespace vant {

// Replaces every non-overlapping occurrence of search in source, scanning left to right,
// comparing exactly. An empty search returns source unchanged. Positions are 16-bit: a
// match that lies beyond position 32767 fails with an overflow.
Text ReplaceText(TextView source, TextView search, TextView replacement);

}  // namespace vant
