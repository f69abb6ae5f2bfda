// The project's example pages, for the tests that print them (VANT_EXAMPLES_DIR is given
// by the test's target).
#pragma once

#include <filesystem>

namespace vant::test {

inline const std::filesystem::path kExamples = VANT_EXAMPLES_DIR;

}  // namespace vant::test
