// What the encoders hand to the bar painter: the symbol as a text of "1" (bar) and "0"
// (space) modules, left to right, without its quiet zones.
#pragma once

#include <cstdint>

#include "common/text.h"

namespace vant {

using ModuleString = Text;

inline constexpr char16_t kBarModule = u'1';
inline constexpr char16_t kSpaceModule = u'0';

// Every encoder asks for this many blank modules on each side of the symbol.
inline constexpr int16_t kQuietModules = 7;

// The text layouts of the bar painter; any other value is laid out as kTextCentred.
inline constexpr int16_t kTextJan13 = 13;
inline constexpr int16_t kTextJan8 = 8;
inline constexpr int16_t kTextCentred = 0;

}  // namespace vant
