// Whether a program's output holds a piece of text.
#pragma once

#include <string_view>

namespace vant::test {

inline bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace vant::test
