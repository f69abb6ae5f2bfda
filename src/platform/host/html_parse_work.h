// An estimate of the work the HTML parser will do on a page, to refuse pathological pages
// before parsing them. The tree builder looks through the open elements for many tags, so
// its work grows with the number of tags times the nesting depth: a page of a few hundred
// KiB of nested DIV elements would keep it busy for minutes.
#pragma once

#include <cstdint>
#include <string_view>

namespace vant::platform {

// The estimate above which a page is refused: real pages, even with tens of thousands of
// PARAMs, stay below a hundredth of it; at the limit the parser takes a few seconds.
inline constexpr std::uint64_t kMaxParseWork = 200'000'000;

// The sum, over the page's tags, of the nesting depth at which each stands. Elements that
// close themselves or their siblings implicitly (P, LI, TD, OPTION, ...) and void elements
// do not add to the depth; comments and the text of SCRIPT, STYLE, TEXTAREA and TITLE are
// skipped. Stops counting once the sum exceeds limit.
std::uint64_t EstimateParseWork(std::string_view html, std::uint64_t limit = kMaxParseWork);

}  // namespace vant::platform
