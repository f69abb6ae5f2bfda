// The vant command's arguments: a verb, the host page and the options.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vant::app {

enum class Verb { kPrint, kPdf, kShow, kPreview, kMethods, kPrinters, kRender };

struct RenderOptions {
  std::filesystem::path output;      // -o OUT.png
  int page = 1;                      // --page N
  int zoom = 0;                      // --zoom auto|300|200|150|100 (0 = オート)
  int viewportWidth = 1280;          // --viewport WxH
  int viewportHeight = 800;
  bool status = false;               // --status
};

struct CommandLine {
  Verb verb = Verb::kPrint;
  std::filesystem::path page;
  std::optional<std::string> printer;   // --printer NAME
  std::optional<std::string> objectId;  // --object ID
  std::optional<std::filesystem::path> output;  // -o FILE (pdf)
  RenderOptions render;
};

// A command line that cannot be obeyed: exit status 2 with the message and the usage.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Whether the bytes are well-formed UTF-8. The PDF files are written through Qt, whose
// file names are Unicode: a name that is not UTF-8 would be written under another name.
bool IsUtf8(std::string_view bytes);

CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The usage text printed with a usage error and for --help.
std::string UsageText();

}  // namespace vant::app
