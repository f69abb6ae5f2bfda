// A generated page of 10,000 setup and paging methods: reading it (gumbo parse, then the
// control's property reading) and running it on the PDF printer, measured apart.
#include <benchmark/benchmark.h>

#include "bench_platform.h"
#include "control/held_buttons.h"
#include "control/intake.h"
#include "engine/module_state.h"
#include "engine/page_record.h"
#include "engine/run_driver.h"
#include "marks.h"
#include "method_page.h"
#include "platform/host/host_page.h"

namespace vant::bench {
namespace {

constexpr int kSetupMethods = 10000;

const std::string& SetupPage() {
  static const std::string html = MethodPageHtml(SetupMethodLines(kSetupMethods));
  return html;
}

void BM_IntakeParseHostPage(benchmark::State& state) {
  const std::string& html = SetupPage();
  for (auto _ : state) {
    auto page = platform::HostPage::FromHtml(html, Text(u"vant"));
    benchmark::DoNotOptimize(page);
  }
  state.counters["html_bytes"] = static_cast<double>(html.size());
  state.SetItemsProcessed(state.iterations() * kSetupMethods);
}
BENCHMARK(BM_IntakeParseHostPage)->Unit(benchmark::kMillisecond);

void BM_IntakeReadProperties(benchmark::State& state) {
  const auto page = platform::HostPage::FromHtml(SetupPage(), Text(u"vant"));
  HeldButtonsView view;
  KeptMessages messages;
  for (auto _ : state) {
    ReadProperties(BenchState().control, page, page, view, messages);
    benchmark::ClobberMemory();
  }
  if (!messages.Empty() || BenchState().control.methodCount != kSetupMethods) {
    state.SkipWithError(("the reading went wrong: " + messages.First()).c_str());
  }
  state.SetItemsProcessed(state.iterations() * kSetupMethods);
}
BENCHMARK(BM_IntakeReadProperties)->Unit(benchmark::kMillisecond);

void BM_RunSetupPage(benchmark::State& state) {
  LoadMethods(SetupMethodLines(kSetupMethods));
  const ScratchDir dir;
  const int pages = TimePrintRuns(state, dir.Path() / "setup.pdf");
  state.counters["pdf_pages"] = pages;
  state.SetItemsProcessed(state.iterations() * kSetupMethods);
}
BENCHMARK(BM_RunSetupPage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vant::bench
