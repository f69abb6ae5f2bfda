// Showing one dense A4 preview page: DrawPage replays its copies (60 texts, 100 boxes and
// lines, 4 circles, 4 barcodes through the scratch box) onto the page picture at the
// preview's double density, after clearing it as the window does before each drawing.
#include <benchmark/benchmark.h>

#include "bench_platform.h"
#include "draw/draw_page.h"
#include "engine/module_state.h"
#include "marks.h"
#include "method_page.h"
#include "preview_pages.h"

namespace vant::bench {
namespace {

void BM_DrawDensePage(benchmark::State& state) {
  const MarkedPage dense = DensePage();
  LoadMethods(PageMethodLines({dense}));
  const ScratchDir dir;
  BenchPlatform bench(dir.Path() / "unused.pdf");
  qt::QtPictureBox picture(1, 1);
  try {
    if (BuildPreviewPages(bench.Get(), picture) != 1) {
      state.SkipWithError("the dense page is not shown");
      return;
    }
  } catch (const std::exception& e) {
    state.SkipWithError((std::string(e.what()) + ": " + bench.Messages().First()).c_str());
    return;
  }
  const auto copies = BenchState().engine.shownPageList.at(1).marks.size();
  if (copies != dense.size()) {
    state.SkipWithError("the page does not hold a copy of every mark");
    return;
  }
  qt::QtPictureBox scratch(1, 1);
  PrepareBarcodeScratch(scratch.Surface());
  for (auto _ : state) {
    picture.Surface().Cls();
    if (!DrawPage(picture.Surface(), ShownPage(BenchState().engine, 1), scratch.Surface())) {
      state.SkipWithError("DrawPage did not draw the page");
      break;
    }
    benchmark::DoNotOptimize(picture.Image().constBits());
  }
  state.counters["copies"] = static_cast<double>(copies);
  state.counters["picture_w_px"] = picture.Image().width();
  state.counters["picture_h_px"] = picture.Image().height();
  ClearPreviewPages(bench.Get().state.engine);
}
BENCHMARK(BM_DrawDensePage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vant::bench
