#include "bench_platform.h"

#include <random>

#include "draw/method_commands.h"
#include "engine/module_state.h"
#include "engine/run_driver.h"
#include "platform/printing/pdf_printer.h"
#include <stdexcept>

namespace vant::bench {

ScratchDir::ScratchDir() {
  std::random_device seed;
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = base / ("vant-bench-" + std::to_string(seed()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = std::move(candidate);
      return;
    }
  }
  throw std::runtime_error("no scratch directory could be made under " + base.string());
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;  // a directory already gone is no reason to fail the run
  std::filesystem::remove_all(path_, ignored);
}

void KeptMessages::Show(const Text& text, MessageIcon /*icon*/, const Text& title) {
  texts_.push_back(title + u"\n" + text);
}

std::string KeptMessages::First() const { return texts_.empty() ? std::string() : ToUtf8(texts_.front()); }

ModuleState& BenchState() {
  thread_local ModuleState state;
  return state;
}

BenchPlatform::BenchPlatform(const std::filesystem::path& pdfPath)
    : printers_(std::make_unique<printing::PrinterList>(std::vector<printing::InstalledQueue>{})),
      printer_(std::make_unique<PrinterObject>(*printers_)),
      platform_{*printer_, messages_, pointer_, BenchState()} {
  printers_->MakeCurrent(printers_->PdfPrinterIndex());  // the only printer
  printers_->PdfOutput().SetPath(pdfPath);
  if (TrimBlanks(printers_->At(printers_->CurrentIndex()).DeviceName()) != printing::kPdfPrinterName) {
    throw std::logic_error("the benchmark printer is not the built-in PDF printer");
  }
}

int DeliveredPages(const printing::PrinterList& printers) {
  int pages = 0;
  for (const auto& document : printers.Delivered()) pages += document.pages;
  return pages;
}

int TimePrintRuns(benchmark::State& state, const std::filesystem::path& pdf) {
  int pages = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto bench = std::make_unique<BenchPlatform>(pdf);
    BenchState().engine.nextMethod = 0;
    state.ResumeTiming();
    const int16_t result = RunMethods(bench->Get(), bench->Get().printer, 0, MethodCommands());
    state.PauseTiming();
    if (result != kRunCompleted || !bench->Messages().Empty()) {
      state.SkipWithError(("the run stopped: " + bench->Messages().First()).c_str());
      return 0;
    }
    pages = DeliveredPages(bench->Printers());
    bench.reset();
    state.ResumeTiming();
  }
  return pages;
}

}  // namespace vant::bench
