#include "zbar_decode.h"

#include <array>
#include <cstdlib>
#include <stdexcept>

#include "shell_command.h"

namespace vant::test {

namespace {

// The names zbar gives the symbologies it reads, as it prefixes their lines.
constexpr std::array<std::string_view, 19> kSymbologies{
    "EAN-2",   "EAN-5",      "EAN-8",   "UPC-E",   "ISBN-10", "UPC-A",    "EAN-13", "ISBN-13", "COMPOSITE", "I2/5",
    "DataBar", "DataBar-Exp", "Codabar", "CODE-39", "CODE-93", "CODE-128", "PDF417", "QR-Code", "SQ-Code"};

}  // namespace

std::vector<std::string> SymbolsInZbarOutput(std::string_view output) {
  std::vector<std::string> symbols;
  while (!output.empty()) {
    const size_t end = output.find('\n');
    const std::string_view line = output.substr(0, end);
    output.remove_prefix(end == std::string_view::npos ? output.size() : end + 1);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string_view name = line.substr(0, colon);
    for (const std::string_view known : kSymbologies) {
      if (name == known) symbols.emplace_back(line.substr(colon + 1));
    }
  }
  return symbols;
}

std::vector<std::string> ZbarDecode(const std::filesystem::path& image, const std::string& options) {
  if (std::system("command -v zbarimg >/dev/null 2>&1") != 0) {
    throw std::runtime_error("zbarimg (zbar-tools) is missing");
  }
  // zbarimg exits 4 when it finds no symbol: that is an answer, not a failure.
  const std::string out = RunShell("zbarimg --nodbus -q " + options + " " + ShellQuoted(image.string()) +
                                   " 2>/dev/null; status=$?; [ $status -eq 0 ] || [ $status -eq 4 ]");
  return SymbolsInZbarOutput(out);
}

}  // namespace vant::test
