#include "control/method_line.h"

#include <algorithm>

#include "common/failure.h"
#include "common/method_rec.h"
#include "common/replace_text.h"

namespace vant {

std::vector<Text> SplitMethodLine(TextView line) {
  // One pass over the line, as ReplaceText(line, ",,", kCommaMarker) and a split at the
  // other commas would go: each doubled comma, left to right, becomes the marker (one that
  // starts beyond position 32767 overflows, as in ReplaceText), each other comma ends a part.
  std::vector<Text> parts(1);
  parts.reserve(kMethodFields);
  for (std::size_t i = 0; i < line.size();) {
    const std::size_t comma = std::min(line.find(u',', i), line.size());
    parts.back().append(line.substr(i, comma - i));
    if (comma == line.size()) break;
    if (comma + 1 < line.size() && line[comma + 1] == u',') {
      if (comma + 1 > 32767) throw Failure::Overflow();
      parts.back().append(kCommaMarker);
      i = comma + 2;
    } else {
      parts.emplace_back();
      i = comma + 1;
    }
  }
  if (parts.size() > 3) parts[3] = ReplaceText(parts[3], kCommaMarker, u",");
  return parts;
}

std::size_t CommandEnd(TextView line) {
  std::size_t i = 0;
  while (i < line.size() && line[i] != u',') ++i;
  // A doubled comma is an escape, scanned left to right: ",,," is an escaped comma, then
  // the separator.
  while (i + 1 < line.size() && line[i + 1] == u',') {
    i += 2;
    while (i < line.size() && line[i] != u',') ++i;
  }
  return i;
}

}  // namespace vant
