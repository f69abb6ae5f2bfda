// What every benchmark runs on: the built-in PDF printer alone (no print server queues),
// writing into a scratch directory, with message boxes counted instead of shown and the
// pointer held without a screen.
#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/text.h"
#include "engine/module_state.h"
#include "engine/platform.h"
#include "engine/printer_object.h"
#include "platform/printing/printer_list.h"
#include "platform/qt/qt_pointer.h"

namespace vant::bench {

// A fresh directory under the system's temporary directory, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Keeps every message box, so that a benchmark whose run stopped can say why.
class KeptMessages final : public MessageBoxes {
 public:
  void Show(const Text& text, MessageIcon icon, const Text& title) override;
  bool Empty() const { return texts_.empty(); }
  // The first box's title and text in UTF-8, one line each.
  std::string First() const;
  void Clear() { texts_.clear(); }

 private:
  std::vector<Text> texts_;
};

// The benchmark thread's module state, made on its first use as the vant command makes its
// own: the lists the benchmarks load and every BenchPlatform share it.
ModuleState& BenchState();

// The printer list with only "Vant3 PDF", current, its documents going to pdfPath.
class BenchPlatform {
 public:
  explicit BenchPlatform(const std::filesystem::path& pdfPath);
  BenchPlatform(const BenchPlatform&) = delete;
  BenchPlatform& operator=(const BenchPlatform&) = delete;

  Platform& Get() { return platform_; }
  printing::PrinterList& Printers() { return *printers_; }
  KeptMessages& Messages() { return messages_; }

 private:
  std::unique_ptr<printing::PrinterList> printers_;
  std::unique_ptr<PrinterObject> printer_;
  KeptMessages messages_;
  qt::HeadlessMousePointer pointer_;
  Platform platform_;
};

// The pages delivered so far, summed over the documents.
int DeliveredPages(const printing::PrinterList& printers);

// The timed loop of a printing benchmark: each iteration runs the loaded method list on a new
// PDF printer writing pdf; only RunMethods is timed. Returns the pages the last run wrote,
// or marks the state with an error and returns 0 when a run stopped.
int TimePrintRuns(benchmark::State& state, const std::filesystem::path& pdf);

}  // namespace vant::bench
