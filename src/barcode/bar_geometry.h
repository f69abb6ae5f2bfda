// The painter's lengths, in device pixels of the target, and their limits: module widths
// and text offsets are 16-bit, the symbol width n x m 32-bit; beyond, an overflow.
#pragma once

#include <cstdint>

#include "common/text.h"
#include "engine/picture_box.h"

namespace vant {

struct BarGeometry {
  float x = 0;               // left edge of the left quiet zone
  float y = 0;               // top of the bars
  int16_t leftQuiet = 0;     // modules
  int16_t m = 1;             // module width
  int32_t barHeight = 1;
  int32_t guardExtension = 0;
};

int16_t Product16(long long a, long long b);
int32_t Product32(long long a, long long b);

// Grows box (when there is one) so that its drawable area reaches needed pixels.
void GrowWidth(PictureBox* box, int32_t needed);
void GrowHeight(PictureBox* box, int32_t needed);

// Mid$ as the original control has it: at most length characters from start (from 1); empty past the end.
TextView Mid(TextView s, size_t start, size_t length);

// Prints text with its top-left corner at (x, y).
void PrintAt(DrawTarget& target, float x, float y, TextView text);

}  // namespace vant
