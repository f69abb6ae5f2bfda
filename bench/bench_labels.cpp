// A sheet of 1,000 labels, each a JAN-13 and an NW-7 symbol (20 labels an A4 page, 50
// pages): the encoders alone, and the whole run encoding and painting them on the PDF
// printer.
#include <benchmark/benchmark.h>

#include "barcode/jan13.h"
#include "barcode/nw7.h"
#include "bench_platform.h"
#include "engine/page_record.h"
#include "engine/run_driver.h"
#include "marks.h"
#include "method_page.h"

namespace vant::bench {
namespace {

constexpr int kLabels = 1000;

void BM_EncodeLabels(benchmark::State& state) {
  std::vector<Text> janData, nw7Data;
  for (const auto& page : LabelPages(kLabels)) {
    for (const Mark& mark : page) {
      const auto& barcode = std::get<BarcodeMark>(mark);
      (barcode.symbology == Symbology::kJan13 ? janData : nw7Data).push_back(FromUtf8(barcode.data));
    }
  }
  size_t modules = 0;
  for (auto _ : state) {
    modules = 0;
    for (const Text& data : janData) modules += EncodeJan13(data, false).modules.size();
    for (const Text& data : nw7Data) {
      const EncodedSymbol symbol = EncodeNw7(data, true);
      if (symbol.Refused()) {
        state.SkipWithError(("NW-7 refused " + ToUtf8(data)).c_str());
        return;
      }
      modules += symbol.modules.size();
    }
    benchmark::DoNotOptimize(modules);
  }
  state.counters["modules"] = static_cast<double>(modules);
  state.SetItemsProcessed(state.iterations() * kLabels);
}
BENCHMARK(BM_EncodeLabels)->Unit(benchmark::kMicrosecond);

void BM_PrintLabelSheet(benchmark::State& state) {
  const auto pages = LabelPages(kLabels);
  LoadMethods(PageMethodLines(pages));
  const ScratchDir dir;
  const int printed = TimePrintRuns(state, dir.Path() / "labels.pdf");
  if (printed != static_cast<int>(pages.size())) state.SkipWithError("the label pages were not all written");
  state.counters["pdf_pages"] = printed;
  state.SetItemsProcessed(state.iterations() * kLabels);
}
BENCHMARK(BM_PrintLabelSheet)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vant::bench
