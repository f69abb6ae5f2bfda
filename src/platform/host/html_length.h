// The width and height attributes of an element, as a browser reads them.
#pragma once

#include <cstdint>
#include <optional>

#include "common/text.h"

namespace vant::platform {

// The largest length taken, in pixels: the window system's own limit.
inline constexpr int32_t kMaxPixelLength = 32767;

// A width or height attribute in CSS pixels, read as browsers read dimension attributes:
// blanks first, then digits (a fraction is cut off), anything after them ("px") ignored.
// No value for a missing attribute, no digits, a percentage (it needs a container this
// program does not have), zero, or more than kMaxPixelLength.
std::optional<int32_t> PixelLength(const std::optional<Text>& attribute);

}  // namespace vant::platform
