// What every verb of the vant command sets up: Qt, the host page, the installed printers
// and the platform the control runs on. What a verb asks of them beyond that (which
// printer is current, where a PDF goes, when printing is refused) is the verb's own.
#pragma once

#include <QGuiApplication>
#include <memory>
#include <optional>
#include <stdexcept>

#include "app/check/counting_messages.h"
#include "app/cli/command_line.h"
#include "app/cli/words.h"
#include "engine/printer_object.h"
#include "platform/host/host_page_loader.h"
#include "platform/printing/printer_list.h"
#include "platform/printlog/printed_lines.h"
#include "platform/symbols/zint_encoder.h"

namespace vant::app {

// Exit statuses.
inline constexpr int kExitDone = 0;     // no run stopped
inline constexpr int kExitStopped = 1;  // a run stopped, or the property reading failed
inline constexpr int kExitUsage = 2;    // usage errors, pages that cannot be read

// Writes to standard error the one warning for a page whose bytes do not match its
// encoding, naming the file.
void WarnIfMisread(const std::filesystem::path& file, const platform::LoadedHostPage& page, const Words& words);

// That warning in the words' language: a page whose bytes do not match the encoding it
// declares (the page reader's rule says when); none for a page read as it declares.
std::optional<std::string> EncodingWarning(const std::string& file, const platform::LoadedHostPage& loaded,
                                           const Words& words);

// The command's page (a file, or standard input for "-"). Throws UsageError for an OBJECT id
// that matches nothing, platform::HostPageUnreadable for a page that cannot be read.
platform::LoadedHostPage LoadCommandPage(const CommandLine& line);

// Whether a method line of the page changes printer: `vant pdf` asks the print server only
// then.
bool PageChangesPrinter(const platform::LoadedHostPage& page);

// A window verb started where no display can be reached: exit 2, like a usage error.
class NoDisplay : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a verb needs of its session.
struct SessionNeeds {
  bool windowed = false;  // Qt on the screen; else offscreen
  // Whether the print server's queues are read; without, the PDF printer is the only one.
  bool printServer = true;
  // Whether the verb says itself that a chosen print server cannot be reached (the
  // printers' problems then leave that sentence out).
  bool saysUnreachableServer = false;
};

class Session {
 public:
  // Starts Qt, loads the printers, names the documents after the page (or --title) and
  // makes --printer current. The page (none for a verb without one) was read before, so
  // that a page that cannot be read is said as such even where no window can open. Throws
  // UsageError for an unknown printer, NoDisplay for a window verb without a display.
  Session(int& argc, char** argv, const CommandLine& line, std::optional<platform::LoadedHostPage> page,
          const SessionNeeds& needs, MessageBoxes& shown, std::unique_ptr<MousePointer> pointer);
  ~Session();

  Platform& platform() { return platform_; }
  printing::PrinterList& printers() { return *printers_; }
  const platform::LoadedHostPage& page() const { return *page_; }
  CountingMessages& messages() { return messages_; }

  // Ends every document still open, as at the end of the program; a failure is a stop
  // message. Then writes where every delivered document went to standard output, and
  // each of them and each print run that stopped to the system log.
  void Finish();

 private:
  std::optional<platform::LoadedHostPage> page_;
  std::unique_ptr<QGuiApplication> qt_;
  std::unique_ptr<printing::PrinterList> printers_;
  std::unique_ptr<PrinterObject> printer_;
  printlog::StopBoxes stops_;  // the print runs' stops, for the system log
  CountingMessages messages_;
  Text logPage_;  // the page as the system log names it
  std::unique_ptr<MousePointer> pointer_;
  symbols::ZintEncoder symbols_;
  Platform platform_;
  int copies_ = 1;  // --copies: a print server's jobs only
  Words words_;     // for what the session says on the terminal
  bool finished_ = false;
};

}  // namespace vant::app
