// Fuzzes a whole run on the real printer objects: the method lines are run on a print
// server queue whose documents are kept in memory (and on the built-in PDF printer, which a
// line may change to), every open document is ended, and the preview is built and shown
// headless as the preview button shows it (DrawPage with its texts, shapes and barcodes).
// Whatever the lines say, the run ends with a completed run or its stop message.
#include <unistd.h>

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "app/process/run_heap.h"
#include "app/render/render_preview.h"
#include "common/failure.h"
#include "draw/method_commands.h"
#include "engine/page_record.h"
#include "engine/printer_object.h"
#include "engine/run_driver.h"
#include "method_lines.h"
#include "platform/printing/pdf_printer.h"
#include "platform/printing/printer_list.h"
#include "platform/qt/qt_app.h"
#include "platform/qt/qt_pointer.h"

namespace {

using namespace vant;

class IgnoredMessages final : public MessageBoxes {
 public:
  void Show(const Text&, MessageIcon, const Text&) override {}
};

// A queue that keeps the finished PDF in memory instead of sending it.
class MemoryOutput final : public printing::PrinterOutput {
 public:
  printing::DeliveredDocument Deliver(const printing::PrintedDocument& document) override {
    kept_ = document.pdf;
    printing::DeliveredDocument delivered;
    delivered.printer = document.printer;
    delivered.pages = document.pages;
    delivered.jobId = 1;
    return delivered;
  }

 private:
  QByteArray kept_;
};

// An office printer at 600 dpi with the PDF printer's sheets and settings.
printing::InstalledQueue OfficeQueue() {
  printing::InstalledQueue queue;
  queue.capabilities = printing::PdfPrinterCapabilities();
  queue.capabilities.name = u"Office";
  queue.output = std::make_unique<MemoryOutput>();
  queue.isDefault = true;
  return queue;
}

// The PDF printer's files go into a directory of the run's own, removed at the end.
struct ScratchDir {
  std::filesystem::path path;
  ~ScratchDir() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
};
ScratchDir scratchDir;
const std::filesystem::path& scratch = scratchDir.path;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** argv) {
  // Qt keeps the argument count and vector it was started with until it is destroyed, at
  // exit: they must outlive main's.
  // Made here rather than at load time, so that it goes before the statics Qt makes while
  // it starts.
  // Every input allocates and frees a preview picture of several MiB, as a one-page run
  // does; kept in the heap, the picture costs its drawing, not page faults. (A sanitizer's
  // allocator takes no tuning and stays as it is.)
  vant::app::PrepareHeapForOneRun();
  static int qtArgc = 1;
  static char* qtArgv[] = {(*argv)[0], nullptr};
  static const std::unique_ptr<QGuiApplication> qtApp = qt::StartQt(qtArgc, qtArgv, /*windowed=*/false);
  scratchDir.path = std::filesystem::temp_directory_path() / ("vant-fuzz-run-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  ModuleState state;
  fuzz::LoadMethodLines(state.control, input);

  std::vector<printing::InstalledQueue> queues;
  queues.push_back(OfficeQueue());
  printing::PrinterList printers(std::move(queues));
  printers.PdfOutput().SetPath(scratch / "run.pdf");
  PrinterObject printer(printers);
  IgnoredMessages messages;
  qt::HeadlessMousePointer pointer;
  Platform platform{printer, messages, pointer, state};

  (void)RunMethods(platform, platform.printer, 0, MethodCommands());
  try {
    printers.EndOpenDocuments();
  } catch (const Failure&) {
    // A document that cannot be ended is reported, as at the end of the program.
  }

  // The preview of the same list, on the page the input's length points at.
  app::RenderRequest request;
  request.page = 1 + static_cast<int>(size % 3);
  request.viewportWidth = 400;
  request.viewportHeight = 300;
  app::RenderOpener opener(request);
  try {
    opener.OpenModal(platform);
  } catch (const std::exception&) {
    // A preview that fails is reported by the control, which catches it as here.
  }
  std::error_code ignored;
  for (const auto& file : std::filesystem::directory_iterator(scratch, ignored)) {
    std::filesystem::remove(file.path(), ignored);
  }
  return 0;
}
