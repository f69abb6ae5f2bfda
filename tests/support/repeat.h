// A text made of one piece written again and again, for pages and requests of a size.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vant::test {

inline std::string Repeat(std::string_view piece, int times) {
  std::string out;
  out.reserve(piece.size() * static_cast<std::size_t>(times > 0 ? times : 0));
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

}  // namespace vant::test
