// The conversions of drawing arguments: each field of a method read as a number, a size,
// a whole number, a colour or a flag.
#pragma once

#include <cstdint>

#include "common/numbers.h"
#include "common/text.h"

namespace vant {

// NumberFromText rounded to single precision.
inline float NumberField(TextView field) { return ToSingle(NumberFromText(field)); }
// NumberFromText as it stands (font sizes in points).
inline double SizeField(TextView field) { return NumberFromText(field); }
// 16-bit whole number, ties to even; overflow outside -32768..32767.
inline int16_t WholeField(TextView field) { return WholeFromText16(field); }
// 32-bit colour, red + 256 x green + 65536 x blue.
inline int32_t ColourField(TextView field) { return WholeFromText32(field); }
inline bool FlagField(TextView field) { return FlagFromText(field); }

}  // namespace vant
