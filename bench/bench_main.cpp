// The benchmarks paint with Qt without a display: one headless application for the whole
// run, started as the vant command starts its headless verbs (offscreen platform, the
// shipped font configuration that maps the Japanese font names onto the IPA fonts).
#include <benchmark/benchmark.h>

#include "platform/qt/qt_app.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const auto app = vant::qt::StartQt(argc, argv, /*windowed=*/false);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
