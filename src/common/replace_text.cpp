#include "common/replace_text.h"

#include "common/failure.h"

namespace vant {

Text ReplaceText(TextView source, TextView search, TextView replacement) {
  if (search.empty()) return Text(source);
  Text out;
  out.reserve(source.size());
  size_t pos = 0;
  while (true) {
    const size_t hit = source.find(search, pos);
    if (hit == TextView::npos) break;
    // The original control's search positions are 16-bit, counted from 1.
    if (hit + 1 > 32767) throw Failure::Overflow();
    out.append(source.substr(pos, hit - pos));
    out.append(replacement);
    pos = hit + search.size();
  }
  out.append(source.substr(pos));
  return out;
}

}  // namespace vant
