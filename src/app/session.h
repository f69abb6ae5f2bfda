// What every verb of the vant command sets up: Qt, the host page, the installed printers
// and the platform the control runs on.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>

#include <QGuiApplication>

#include "app/command_line.h"
#include "app/counting_messages.h"
#include "engine/printer_object.h"
#include "platform/host/host_page_loader.h"
#include "platform/printing/printer_list.h"

namespace vant::app {

// Exit statuses.
inline constexpr int kExitDone = 0;     // no run stopped
inline constexpr int kExitStopped = 1;  // a run stopped, or the property reading failed
inline constexpr int kExitUsage = 2;    // usage errors, pages that cannot be read

// Writes to standard error the one warning for a page whose bytes do not match its
// encoding, naming the file.
void WarnIfMisread(const std::filesystem::path& file, const platform::LoadedHostPage& page);

// The command's page (a file, or standard input for "-"). Throws UsageError for an OBJECT id
// that matches nothing, platform::HostPageUnreadable for a page that cannot be read.
platform::LoadedHostPage LoadCommandPage(const CommandLine& line);

// A window verb started where no display can be reached: exit 2, like a usage error.
class NoDisplay : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Session {
 public:
  // Starts Qt (windowed or offscreen), loads the page (when the verb has one) and the
  // printers, and makes --printer current. Throws UsageError for an unknown printer or an
  // OBJECT id that matches nothing, platform::HostPageUnreadable for a page that cannot
  // be read.
  Session(int& argc, char** argv, const CommandLine& line, bool windowed, MessageBoxes& shown,
          std::unique_ptr<MousePointer> pointer);
  ~Session();

  Platform& platform() { return platform_; }
  printing::PrinterList& printers() { return *printers_; }
  const platform::LoadedHostPage& page() const { return *page_; }
  CountingMessages& messages() { return messages_; }
  // Why `vant print` must not print: the print server that was chosen cannot be reached,
  // and a document would silently become a file. Nothing for the other verbs and for
  // --printer "Vant3 PDF".
  const std::optional<Text>& PrintRefusal() const { return printRefusal_; }

  // Ends every document still open, as at the end of the program; a failure is a stop
  // message. Then writes where every delivered document went to standard output.
  void Finish();

 private:
  // The page is read before Qt starts: a page that cannot be read is said as such even
  // where no window can open.
  std::optional<platform::LoadedHostPage> page_;
  std::unique_ptr<QGuiApplication> qt_;
  std::unique_ptr<printing::PrinterList> printers_;
  std::unique_ptr<PrinterObject> printer_;
  CountingMessages messages_;
  std::unique_ptr<MousePointer> pointer_;
  Platform platform_;
  bool finished_ = false;
  std::optional<Text> printRefusal_;
};

}  // namespace vant::app
