// Running the command-line tools the tests read results with (lp tools, poppler-utils).
#pragma once

#include <string>

namespace vant::test {

// text quoted for the shell, in single quotes.
std::string ShellQuoted(const std::string& text);

// Runs commandLine with the shell; returns what it wrote (standard output and error),
// throws std::runtime_error with that output when it fails.
std::string RunShell(const std::string& commandLine);

}  // namespace vant::test
