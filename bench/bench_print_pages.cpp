// 30,000 drawing methods over 600 A4 pages (texts in ＭＳ 明朝 and ＭＳ ゴシック, boxes,
// lines, circles), printed to the PDF printer, against a plain QPainter/QPdfWriter program
// drawing the same marks in the same run. Each iteration runs both, one after the other;
// the iteration time is the control's, the counters give both and their ratio.
#include <benchmark/benchmark.h>

#include "bench_platform.h"
#include "draw/method_commands.h"
#include "engine/module_state.h"
#include "engine/run_driver.h"
#include "marks.h"
#include "method_page.h"
#include "plain_qt_pdf.h"
#include "stopwatch.h"

namespace vant::bench {
namespace {

constexpr int kPages = 600;
constexpr int kMarksPerPage = 50;

const std::vector<MarkedPage>& DrawingList() {
  static const std::vector<MarkedPage> pages = DrawingPages(kPages, kMarksPerPage);
  return pages;
}

void BM_PrintDrawingPagesVersusPlainQt(benchmark::State& state) {
  const auto& pages = DrawingList();
  const auto lines = PageMethodLines(pages);
  LoadMethods(lines);
  const ScratchDir dir;
  double controlSeconds = 0, plainSeconds = 0;
  int controlPages = 0, plainPages = 0;
  for (auto _ : state) {
    BenchPlatform bench(dir.Path() / "drawing.pdf");
    BenchState().engine.nextMethod = 0;
    int16_t result = kRunStopped;
    const double control = SecondsOf([&] { result = RunMethods(bench.Get(), bench.Get().printer, 0, MethodCommands()); });
    if (result != kRunCompleted || !bench.Messages().Empty()) {
      state.SkipWithError(("the run stopped: " + bench.Messages().First()).c_str());
      break;
    }
    controlPages = DeliveredPages(bench.Printers());
    const double plain = SecondsOf([&] { plainPages = WritePlainQtPdf(pages, dir.Path() / "plain.pdf"); });
    state.SetIterationTime(control);
    controlSeconds += control;
    plainSeconds += plain;
  }
  if (controlPages != kPages || plainPages != kPages) {
    state.SkipWithError("a program did not write the 600 pages");
    return;
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["methods"] = static_cast<double>(lines.size());
  state.counters["control_s"] = controlSeconds / n;
  state.counters["plain_qt_s"] = plainSeconds / n;
  state.counters["ratio"] = controlSeconds / plainSeconds;
}
BENCHMARK(BM_PrintDrawingPagesVersusPlainQt)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vant::bench
