// A host page holding method lines as the PARAMs of the control's OBJECT, and the reading
// of such a page into this thread's method list.
#pragma once

#include <string>
#include <vector>

#include "engine/platform.h"

namespace vant::bench {

// UTF-8 HTML: one OBJECT with id "vant", PARAMs method1, method2... in order.
std::string MethodPageHtml(const std::vector<std::string>& lines);

// Parses the page, reads the control's properties into BenchState().control and resets
// NextMethod. Throws std::runtime_error when the reading showed a message or the list
// does not hold expected methods.
void LoadMethodPage(const std::string& html, int expected, MessageBoxes& messages);

// The same from the lines.
void LoadMethods(const std::vector<std::string>& lines);

}  // namespace vant::bench
