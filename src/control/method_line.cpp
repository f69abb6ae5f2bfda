#include "control/method_line.h"

namespace vant {

std::vector<Text> SplitMethodLine(TextView line) {
  const Text escaped = ReplaceText(line, u",,", kCommaMarker);
  std::vector<Text> parts = SplitAt(escaped, u',');
  if (parts.size() > 3) parts[3] = ReplaceText(parts[3], kCommaMarker, u",");
  return parts;
}

}  // namespace vant
