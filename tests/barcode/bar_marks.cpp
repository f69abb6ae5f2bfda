#include "bar_marks.h"

#include <cmath>

namespace vant::test {

std::vector<Mark> FillsOf(const RecordingDevice& device) {
  std::vector<Mark> fills;
  for (const Mark& mark : device.marks) {
    if (mark.kind == Mark::kFill) fills.push_back(mark);
  }
  return fills;
}

std::vector<Mark> TextsOf(const RecordingDevice& device) {
  std::vector<Mark> texts;
  for (const Mark& mark : device.marks) {
    if (mark.kind == Mark::kText) texts.push_back(mark);
  }
  return texts;
}

Text ModulesFromFills(const std::vector<Mark>& fills, double left, int m, size_t count) {
  Text modules(count, u'0');
  for (const Mark& fill : fills) {
    const double first = (fill.x1 - left) / m;
    const double span = fill.x2 / m;
    const bool aligned = first == std::floor(first) && span == std::floor(span) && first >= 0;
    const auto from = static_cast<size_t>(std::max(0.0, std::floor(first)));
    const auto to = std::min(count, static_cast<size_t>(std::max(0.0, first + span)));
    for (size_t i = from; i < to; ++i) modules[i] = aligned && fill.colour == Rgb{} ? u'1' : u'?';
  }
  return modules;
}

}  // namespace vant::test
