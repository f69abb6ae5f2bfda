#include "shell_command.h"

#include <array>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace vant::test {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string RunShell(const std::string& commandLine) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((commandLine + " 2>&1").c_str(), "r"), pclose);
  if (!pipe) throw std::runtime_error("cannot run " + commandLine);
  std::string output;
  std::array<char, 4096> buffer{};
  size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) output.append(buffer.data(), n);
  if (pclose(pipe.release()) != 0) throw std::runtime_error(commandLine + " failed: " + output);
  return output;
}

}  // namespace vant::test
