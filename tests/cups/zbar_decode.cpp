#include "zbar_decode.h"

#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "shell_command.h"

namespace vant::test {

std::vector<std::string> ZbarDecode(const std::filesystem::path& image, const std::string& options) {
  if (std::system("command -v zbarimg >/dev/null 2>&1") != 0) {
    throw std::runtime_error("zbarimg (zbar-tools) is missing");
  }
  // zbarimg exits 4 when it finds no symbol: that is an answer, not a failure.
  const std::string out = RunShell("zbarimg --raw -q " + options + " " + ShellQuoted(image.string()) +
                                   " 2>/dev/null; status=$?; [ $status -eq 0 ] || [ $status -eq 4 ]");
  std::vector<std::string> symbols;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) symbols.push_back(line);
  }
  return symbols;
}

}  // namespace vant::test
