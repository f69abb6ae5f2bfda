// Reading a painted symbol back from the recorded marks: the filled boxes become modules
// again, so tests compare what was painted with what was encoded.
#pragma once

#include <vector>

#include "recording_device.h"

namespace vant::test {

std::vector<Mark> FillsOf(const RecordingDevice& device);
std::vector<Mark> TextsOf(const RecordingDevice& device);

// The modules covered by the black fills, count modules of m pixels from pixel left.
// A fill that does not start and end on a module boundary gives "?" for its modules.
Text ModulesFromFills(const std::vector<Mark>& fills, double left, int m, size_t count);

}  // namespace vant::test
