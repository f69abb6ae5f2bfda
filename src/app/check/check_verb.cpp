#include "app/check/check_verb.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <iostream>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "app/check/check_page.h"
#include "app/check/check_report.h"
#include "app/cli/words.h"
#include "app/run/session.h"
#include "platform/host/host_page_errors.h"
#include "platform/printing/pdf_printer.h"
#include "platform/qt/qt_pointer.h"
#include "platform/qt/stderr_messages.h"

namespace vant::app {
namespace {

// Pages are read a batch at a time and the batch checked before the next is read: every
// page is read in a child process, and a process is forked only while this one runs no
// threads of its own. A batch ends at this many pages, or once the PARAMs read take this
// many bytes, so that a thousand pages, or a few huge ones, never sit in memory at once.
constexpr size_t kBatchPages = 256;
constexpr size_t kBatchBytes = size_t{64} << 20;

struct ReadPage {
  std::string file;  // as the reports name it
  std::optional<platform::LoadedHostPage> page;
  std::string unreadable;  // why not, when there is no page
};

ReadPage Read(const std::filesystem::path& path, const std::optional<Text>& objectId) {
  const bool standardInput = path == kStandardStream;
  ReadPage read{standardInput ? std::string(platform::kStandardInputName) : path.string(), std::nullopt, {}};
  try {
    read.page =
        standardInput ? platform::LoadHostPageFromStandardInput(objectId) : platform::LoadHostPage(path, objectId);
  } catch (const platform::HostPageUnreadable& e) {
    read.unreadable = e.what();
  } catch (const platform::HostObjectNotFound& e) {
    read.unreadable = e.what();  // on this page; the others may have the OBJECT
  }
  return read;
}

size_t HeldBytes(const ReadPage& read) {
  size_t bytes = sizeof(ReadPage);
  if (!read.page || !read.page->page.HasObject()) return bytes;
  for (const ParamElement& param : read.page->page.ObjectParams()) {
    bytes += sizeof(ParamElement) + (param.name.size() + param.value.size()) * sizeof(char16_t);
  }
  return bytes;
}

PageCheck CheckOne(const ReadPage& read, const CheckPrinters& printers, qt::FontFaces& faces, const Words& w) {
  if (!read.page) return UnreadablePage(read.file, read.unreadable);
  return CheckPage(read.file, *read.page, printers, faces, w);
}

// Each page on one thread, with printers and a module state of its own; the results in the
// order of the pages. Qt is asked only for fonts and metrics here, which any thread may.
std::vector<PageCheck> CheckBatch(const std::vector<ReadPage>& batch, const CheckPrinters& printers,
                                  qt::FontFaces& faces, const Words& w) {
  std::vector<PageCheck> checks(batch.size());
  const size_t cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t workers = std::min(cores, batch.size());
  if (workers <= 1) {
    for (size_t i = 0; i < batch.size(); ++i) checks[i] = CheckOne(batch[i], printers, faces, w);
    return checks;
  }
  std::atomic<size_t> next{0};
  std::mutex failureMutex;
  std::exception_ptr failure;
  {
    std::vector<std::jthread> threads;
    for (size_t worker = 0; worker < workers; ++worker) {
      threads.emplace_back([&] {
        try {
          // A catalogue of the thread's own: Qt promises a translator to one thread at a time.
          const Words words(w.Speaks());
          for (size_t i = next++; i < batch.size(); i = next++) checks[i] = CheckOne(batch[i], printers, faces, words);
        } catch (...) {
          const std::lock_guard lock(failureMutex);
          if (!failure) failure = std::current_exception();
          next = batch.size();
        }
      });
    }
  }
  if (failure) std::rethrow_exception(failure);
  return checks;
}

}  // namespace

int CheckVerb(int& argc, char** argv, const CommandLine& line) {
  qt::StderrMessageBoxes boxes;
  // The pages are read a batch at a time below, not by the session.
  Session session(argc, argv, line, std::nullopt, {}, boxes, std::make_unique<qt::HeadlessMousePointer>());
  printing::PrinterList& installed = session.printers();
  CheckTally tally;
  const auto report = [&](const PageCheck& check) {
    std::cout << (line.json ? CheckJson(check) + "\n" : CheckText(check, line.words));
    tally.Add(check);
  };
  // Standard output holds only the pages' JSON with --json.
  const auto summarize = [&] { (line.json ? std::cerr : std::cout) << tally.Summary() << '\n'; };
  if (installed.ServerUnreachable() && !line.printer) {
    // `vant print` refuses to print then: every page fails for that reason, unread. What it
    // would do on the PDF printer can be checked.
    const std::string reason = Fill(line.words.translate("vant check", "%1 vant print does not print then."),
                                    {ToUtf8(*installed.ServerUnreachable())});
    for (const std::filesystem::path& page : line.pages) {
      report(
          UnreadablePage(page == kStandardStream ? std::string(platform::kStandardInputName) : page.string(), reason));
    }
    summarize();
    std::cerr << "vant: "
              << Fill(line.words.translate("vant check", "to check printing on %1, give --printer \"%1\""),
                      {ToUtf8(printing::kPdfPrinterName)})
              << '\n';
    return kExitStopped;
  }
  CheckPrinters printers;
  for (int i = 0; i < installed.Count(); ++i) printers.printers.push_back(installed.Page(i).Capabilities());
  printers.current = installed.CurrentIndex();
  printers.map = installed.Map();
  qt::FontFaces faces;
  std::optional<Text> objectId;
  if (line.objectId) objectId = FromUtf8(*line.objectId);

  size_t next = 0;
  while (next < line.pages.size()) {
    std::vector<ReadPage> batch;
    size_t bytes = 0;
    while (next < line.pages.size() && batch.size() < kBatchPages && bytes < kBatchBytes) {
      batch.push_back(Read(line.pages[next++], objectId));
      bytes += HeldBytes(batch.back());
    }
    for (const PageCheck& check : CheckBatch(batch, printers, faces, line.words)) report(check);
    std::cout.flush();
  }
  summarize();
  return tally.failed > 0 ? kExitStopped : kExitDone;
}

}  // namespace vant::app
