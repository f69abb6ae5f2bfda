// The plain program's own reading of a method page: what a good engineer would write to
// draw the same page without the control: the HTML parsed in the same process, each method
// line split at its commas and its numbers read, nothing checked beyond what drawing needs.
#pragma once

#include <filesystem>
#include <vector>

#include "marks.h"

namespace vant::bench {

// The marks of a page of prntext, prnbox, prnline and prncircle lines between set-up lines
// and newpage/enddoc, as MethodPageHtml writes them. Any other command throws
// std::runtime_error: the plain program knows only what it draws.
std::vector<MarkedPage> PlainPageMarks(const std::filesystem::path& page);

}  // namespace vant::bench
