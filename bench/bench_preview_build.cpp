// Building the preview of the 30,000-method, 600-page drawing list, and what the text
// copies' font fitting costs: the search the conversion uses against trying every size
// from 1 up, measured on a sample of the list's texts and extrapolated to all of them.
#include <benchmark/benchmark.h>

#include "bench_platform.h"
#include "draw/fit_font_size.h"
#include "engine/page_record.h"
#include "fit_font_size_by_loop.h"
#include "marks.h"
#include "method_page.h"
#include "preview_pages.h"
#include "stopwatch.h"

namespace vant::bench {
namespace {

constexpr int kPages = 600;
constexpr int kMarksPerPage = 50;
constexpr int kFitSamplePages = 10;  // their texts are the sample

void BM_BuildPreviewPages(benchmark::State& state) {
  LoadMethods(PageMethodLines(DrawingPages(kPages, kMarksPerPage)));
  const ScratchDir dir;
  BenchPlatform bench(dir.Path() / "unused.pdf");
  int shown = 0;
  for (auto _ : state) {
    qt::QtPictureBox picture(1, 1);  // the window makes its page picture this way
    try {
      shown = BuildPreviewPages(bench.Get(), picture);
    } catch (const std::exception& e) {
      state.SkipWithError((std::string(e.what()) + ": " + bench.Messages().First()).c_str());
      break;
    }
    state.PauseTiming();
    ClearPreviewPages(bench.Get().state.engine);
    state.ResumeTiming();
  }
  if (shown != kPages) state.SkipWithError("the preview did not show the 600 pages");
  state.counters["shown_pages"] = shown;
}
BENCHMARK(BM_BuildPreviewPages)->Iterations(3)->Unit(benchmark::kMillisecond);

struct FitSample {
  std::vector<Text> texts;
  std::vector<double> sizes;
};

FitSample SampleTexts(const std::vector<MarkedPage>& pages, int samplePages) {
  FitSample sample;
  for (int p = 0; p < samplePages; ++p) {
    for (const Mark& mark : pages[static_cast<size_t>(p)]) {
      if (const auto* t = std::get_if<TextMark>(&mark)) {
        sample.texts.push_back(FromUtf8(t->text));
        sample.sizes.push_back(t->points);
      }
    }
  }
  return sample;
}

// state.range(0): 0 the search, 1 the loop over every size. Each iteration fits the whole
// sample on a new picture, so every text is measured cold once, as in a preview build.
void BM_FitPreviewFontSize(benchmark::State& state) {
  const bool byLoop = state.range(0) == 1;
  const auto pages = DrawingPages(kPages, kMarksPerPage);
  const FitSample sample = SampleTexts(pages, kFitSamplePages);
  const int allTexts = CountMarks(pages).texts;
  double checksum = 0;
  double fitSeconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto picture = std::make_unique<qt::QtPictureBox>(1587, 2245);  // an A4 page picture
    DrawTarget& target = picture->Surface();
    state.ResumeTiming();
    fitSeconds += SecondsOf([&] {
      for (size_t i = 0; i < sample.texts.size(); ++i) {
        checksum += byLoop ? test::FitPreviewFontSizeByLoop(target, sample.texts[i], sample.sizes[i])
                           : FitPreviewFontSize(target, sample.texts[i], sample.sizes[i]);
      }
    });
    state.PauseTiming();
    picture.reset();
    state.ResumeTiming();
  }
  benchmark::DoNotOptimize(checksum);
  const auto count = static_cast<double>(sample.texts.size());
  const double perText = fitSeconds / static_cast<double>(state.iterations()) / count;
  state.SetLabel(byLoop ? "every size from 1" : "search");
  state.counters["sample_texts"] = count;
  state.counters["list_texts"] = allTexts;
  state.counters["us_per_text"] = perText * 1e6;
  state.counters["list_s"] = perText * allTexts;  // extrapolated to every text of the list
}
BENCHMARK(BM_FitPreviewFontSize)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vant::bench
