#include "app/browser/host_verb.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <csignal>
#include <exception>
#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>

#include "app/cli/words.h"
#include "app/process/run_heap.h"
#include "app/run/command_platform.h"
#include "app/run/preview_openers.h"
#include "app/run/session.h"
#include "engine/printer_object.h"
#include "platform/browser/browser_host.h"
#include "platform/browser/delivery_notice.h"
#include "platform/browser/native_messaging.h"
#include "platform/desktop/desktop_notifications.h"
#include "platform/printermap/map_files.h"
#include "platform/printing/printer_list.h"
#include "platform/printlog/printed_lines.h"
#include "platform/qt/qt_app.h"
#include "platform/qt/qt_messages.h"
#include "platform/qt/qt_pointer.h"
#include "platform/symbols/zint_encoder.h"
#include "platform/system/descriptor.h"
#include "platform/system/display.h"

namespace vant::app {
namespace {

// The channel's two ends on descriptors of their own, closed on exec, so that no child
// (a CUPS helper, a filter) can read a request or write into the answers: descriptor 1 then
// points at standard error and descriptor 0 at /dev/null.
struct Channel {
  system::Descriptor requests;
  system::Descriptor answers;
};
Channel KeepChannelApart(const Words& w) {
  Channel channel{system::Descriptor(fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 3)),
                  system::Descriptor(fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3))};
  const system::Descriptor null(open("/dev/null", O_RDONLY | O_CLOEXEC));
  if (!channel.requests.IsOpen() || !channel.answers.IsOpen() || !null.IsOpen() ||
      dup2(STDERR_FILENO, STDOUT_FILENO) < 0 || dup2(null.Get(), STDIN_FILENO) < 0) {
    throw std::runtime_error(
        w.translate("vant host", "standard input and output cannot be kept apart for the browser's messages"));
  }
  return channel;
}

// The user's download folder, made when missing; none when there is no such place.
std::optional<std::filesystem::path> DownloadFolder(const Words& w) {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
  if (folder.isEmpty()) return std::nullopt;
  if (!QDir().mkpath(folder)) {
    std::cerr << "vant: "
              << Fill(w.translate("vant host", "the download folder \"%1\" cannot be made"), {folder.toStdString()})
              << '\n';
    return std::nullopt;
  }
  return std::filesystem::path(folder.toStdString());
}

}  // namespace

bool IsBrowserInvocation(const std::vector<std::string>& args) {
  if (args.empty()) return false;
  if (args[0].starts_with("chrome-extension://")) return true;
  return args.size() == 2 && args[0].starts_with("/") && args[0].ends_with(".json") && !args[1].empty() &&
         !args[1].starts_with("-");
}

int HostVerb(int& argc, char** argv, const Words& w) {
  const Channel channel = KeepChannelApart(w);
  std::signal(SIGPIPE, SIG_IGN);  // a browser gone is seen as a failed write
  // A screen to show message boxes and the preview on; without one (or with Qt told to draw
  // off screen) the boxes go to the page alone.
  const bool display = system::CheckDisplay().kind == system::DisplayKind::kScreen;
  const auto qt = qt::StartQt(argc, argv, display);

  auto printers = printing::PrinterList::FromCups();
  // The pages the browser hands over choose printers by the same names as `vant print`.
  printers->UseMap(printermap::ReadMapFiles(printermap::MapFilesOfEnvironment()));
  for (const Text& problem : printers->Problems()) std::cerr << "vant: " << ToUtf8(problem) << '\n';
  PrinterObject printer(*printers);
  std::unique_ptr<MessageBoxes> screenBoxes;
  std::unique_ptr<MousePointer> pointer;
  std::unique_ptr<PreviewOpener> preview;
  if (display) {
    screenBoxes = std::make_unique<qt::QtMessageBoxes>();
    pointer = std::make_unique<qt::QtMousePointer>();
    preview = std::make_unique<QtPreviewOpener>();
  } else {
    pointer = std::make_unique<qt::HeadlessMousePointer>();
    preview = std::make_unique<NoPreview>();
  }
  const std::optional<std::filesystem::path> downloads = DownloadFolder(w);
  // What the page is told names neither of the user's folders.
  std::optional<std::filesystem::path> home;
  if (const char* variable = std::getenv("HOME"); variable != nullptr) home = variable;
  // The print runs' stops are kept for the system log on their way to the screen.
  printlog::StopBoxes stops(screenBoxes.get());
  browser::CollectedBoxes boxes(&stops, browser::PrivatePaths(downloads, home));
  const symbols::ZintEncoder symbols;
  Platform platform = CommandPlatform(printer, boxes, *pointer, symbols);
  browser::BrowserHost host(platform, boxes, *printers, *preview, downloads);

  // After a print the clerk is told on the desktop where it went (silently skipped without
  // a notification service).
  desktop::DesktopNotifications notices;
  printlog::SystemLog log;

  browser::FdSource requests(channel.requests.Get());
  for (;;) {
    // What the last request took is given back before the host waits for the next one
    // (nothing to report either way).
    (void)GiveBackFreedMemory();
    const browser::ReadMessage message = browser::ReadNextMessage(requests);
    const std::size_t deliveredBefore = printers->Delivered().size();
    std::string answer;
    switch (message.kind) {
      case browser::ReadMessage::Kind::kEnd:
        return kExitDone;
      case browser::ReadMessage::Kind::kTruncated:
        std::cerr << "vant: " << w.translate("vant host", "the browser closed the connection inside a message") << '\n';
        return kExitStopped;
      case browser::ReadMessage::Kind::kTooLarge:
        answer = browser::BrowserHost::AnswerTooLarge(message.declaredLength);
        break;
      case browser::ReadMessage::Kind::kMessage:
        try {
          answer = host.Answer(message.bytes);
        } catch (const std::bad_alloc&) {
          answer = browser::ErrorAnswer({std::nullopt, u"メモリが不足しているため要求を処理できません。"});
        } catch (const std::exception& e) {
          // Whatever went wrong with this request, the next one is served.
          answer = browser::ErrorAnswer({std::nullopt, boxes.ForPage(u"要求を処理できません: " + FromUtf8(e.what()))});
        }
        break;
    }
    if (!system::WriteAll(channel.answers.Get(), browser::FrameMessage(answer))) {
      std::cerr << "vant: " << w.translate("vant host", "the answer cannot be written to the browser") << '\n';
      return kExitStopped;
    }
    const auto& delivered = printers->Delivered();
    const auto delivering = delivered.begin() + static_cast<std::ptrdiff_t>(deliveredBefore);
    printlog::LogPrints(log, host.PrintingOrigin(), {delivering, delivered.end()}, 1, stops.Take());
    if (auto notice = browser::DeliveryNotice({delivering, delivered.end()})) notices.Show(std::move(*notice));
  }
}

}  // namespace vant::app
