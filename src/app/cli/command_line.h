// The vant command's arguments: a verb, the host page and the options.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/command_line_table.h"
#include "app/cli/words.h"

namespace vant::app {

struct RenderOptions {
  std::filesystem::path output;  // -o OUT.png
  int page = 1;                  // --page N
  int zoom = 0;                  // --zoom auto|300|200|150|100 (0 = オート)
  int viewportWidth = 1280;      // --viewport WxH
  int viewportHeight = 800;
  double scale = 1;     // --scale R: device pixels per pixel
  bool status = false;  // --status
};

// The page and output name "-": standard input and standard output.
inline constexpr std::string_view kStandardStream = "-";

struct CommandLine {
  Verb verb = Verb::kPrint;
  std::filesystem::path page;                   // "-": the page is read from standard input
  std::vector<std::filesystem::path> pages;     // check: every PAGE, in the order given
  bool json = false;                            // --json (check, printers)
  bool names = false;                           // --names (printers)
  std::optional<std::string> printer;           // --printer NAME
  std::optional<std::string> objectId;          // --object ID
  std::optional<std::filesystem::path> output;  // -o FILE (pdf); "-": standard output
  int copies = 1;                               // --copies N (print server jobs)
  std::optional<std::string> title;             // --title TEXT (job name, PDF title)
  RenderOptions render;
  bool system = false;                        // --system (register, unregister)
  std::optional<std::filesystem::path> root;  // --root DIR (register, unregister)
  // --help or --version: the text to print on standard output instead of running a verb.
  std::optional<std::string> answer;
  // The words of the user's language, for what the verb says on the terminal.
  Words words;

  bool PageFromStandardInput() const { return page == kStandardStream; }
  bool OutputToStandardOutput() const { return output && *output == kStandardStream; }
};

// A command line that cannot be obeyed: exit status 2 with the message and the usage.
class UsageError : public std::runtime_error {
 public:
  // verbName: the verb whose usage follows the message; empty for the list of verbs.
  explicit UsageError(const std::string& message, std::string verbName = {})
      : std::runtime_error(message), verbName_(std::move(verbName)) {}
  const std::string& VerbName() const noexcept { return verbName_; }

 private:
  std::string verbName_;
};

// Whether the bytes are well-formed UTF-8. The PDF files are written through Qt, whose
// file names are Unicode: a name that is not UTF-8 would be written under another name.
bool IsUtf8(std::string_view bytes);

// Reads the arguments after the program name. Throws UsageError, its message in the words'
// language.
CommandLine ParseCommandLine(const std::vector<std::string>& args, const Words& words);

// The usage lines of one verb (or of every verb when the name is empty or unknown),
// printed after a usage error.
std::string UsageText(const Words& words, const std::string& verbName = {});
// The help of one verb (what it does and each option), or of the command (every verb with
// one line each) when the name is empty.
std::string HelpText(const Words& words, const std::string& verbName = {});
// "vant 0.1" and a line on the licence.
std::string VersionText(const Words& words);

}  // namespace vant::app
