// The preview's costs on the PDF printer, headless: a page change on a dense A4 page
// (the double-density render of the page and its averaged shrink into the page image),
// loading a list of 30,000 methods on 600 pages, the resident memory of that preview once
// it is shown, and going straight to its last page. Goals: a page change under 30 ms, the
// load under 3 s, under 150 MB, the last page as fast as the next one.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/render/render_preview.h"
#include "app/render/render_view.h"
#include "common/text.h"
#include "engine/module_state.h"
#include "engine/page_record.h"
#include "platform/printing/printer_list.h"
#include "platform/qt/qt_app.h"
#include "platform/qt/qt_pointer.h"
#include "preview/frm_preview.h"
#include "preview/zoom_list.h"

namespace vant::bench {
namespace {

// The preview's messages: any at all means the benchmark measured something else.
class NoMessages final : public MessageBoxes {
 public:
  void Show(const Text& text, MessageIcon, const Text&) override {
    if (first_.empty()) first_ = ToUtf8(text);
  }
  const std::string& First() const { return first_; }

 private:
  std::string first_;
};

struct PdfPlatform {
  std::unique_ptr<printing::PrinterList> printers = printing::PrinterList::FromCups();
  PrinterObject printer{*printers};
  NoMessages messages;
  qt::HeadlessMousePointer pointer;
  ModuleState state;
  Platform platform{printer, messages, pointer, state};
};

void SetMethods(ModuleState& state, const std::vector<std::string>& lines) {
  auto& control = state.control;
  control = ControlState{};
  for (const std::string& line : lines) {
    MethodRec method;
    const auto fields = SplitAt(FromUtf8(line), u',');
    for (size_t i = 0; i < fields.size() && i < method.field.size(); ++i) method.field[i] = fields[i];
    control.methodList.push_back(method);
  }
  control.methodCount = static_cast<int16_t>(control.methodList.size() - 1);
  control.paramsLoaded = true;
}

// One A4 page, millimetres: a ruled table of rows of text in two typefaces, boxes, and a
// barcode of each kind: 151 drawing methods.
void AddDensePage(std::vector<std::string>& lines, int page) {
  lines.push_back("prntext,80,10,請求明細 " + std::to_string(page) + " 頁,ＭＳ 明朝,20,false,true,0");
  for (int row = 0; row < 48; ++row) {
    const std::string y = std::to_string(20 + row * 5);
    lines.push_back("prntext,12," + y + ",品番 A-" + std::to_string(1000 + row) +
                    " 商品名サンプル 規格 数量 単価,ＭＳ ゴシック,8,false,false,0");
    lines.push_back("prntext,130," + y + ",¥" + std::to_string(1200 * (row + 1)) + ",ＭＳ 明朝,9,false,false,0");
    lines.push_back("prnline,10," + y + ",200," + y + ",1,solid,0");
  }
  lines.push_back("prnbox,10,18,200,262,3,solid,0");
  lines.push_back("prnbox,150,265,200,285,2,dash,255");
  lines.push_back("prncircle,180,275,6,2,solid,255");
  lines.push_back("prnjan13,12,266,4912345678904,30,12,true");
  lines.push_back("prnnw7,60,266,a0123456789a,30,12,true");
  lines.push_back("prncode39,100,266,*VANT39*,30,12,true");
}

std::vector<std::string> Header() { return {"papersize,a4", "orientation,縦", "scalemode,mm"}; }

// A loaded preview on its first showing, as the maximised window lays it out, on a screen
// of `ratio` device pixels per pixel.
struct ShownPreview {
  explicit ShownPreview(PdfPlatform& pdf, double ratio = 1) : view(1280, 800, ratio), window(pdf.platform, view) {
    window.Load();
    if (!window.PreviewReady()) {
      throw std::runtime_error("the preview did not load: " + pdf.messages.First());
    }
    window.Resize();
  }
  app::RenderView view;
  FrmPreview window;
};

void BM_PreviewPageChange(benchmark::State& state) {
  PdfPlatform pdf;
  std::vector<std::string> lines = Header();
  AddDensePage(lines, 1);
  lines.push_back("newpage");
  AddDensePage(lines, 2);
  lines.push_back("enddoc");
  SetMethods(pdf.state, lines);
  ShownPreview preview(pdf, static_cast<double>(state.range(1)) / 100);
  if (state.range(0) != 0) {
    preview.view.ZoomChoices().SetListIndex(app::ZoomIndexOf(static_cast<int>(state.range(0))));
  }
  bool forward = true;
  for (auto _ : state) {
    if (forward) {
      preview.window.NextPageClick();
    } else {
      preview.window.BackPageClick();
    }
    forward = !forward;
    benchmark::DoNotOptimize(preview.view.PageImageBox().Image().constBits());
  }
  if (!pdf.messages.First().empty()) state.SkipWithError(pdf.messages.First().c_str());
  state.counters["methods_per_page"] = static_cast<double>(lines.size() - 5) / 2;
}
// Arguments: the zoom (0 for the fit) and the screen's device pixel ratio in percent. At
// ratio 2 the page picture and the page image hold four times the pixels of ratio 1.
BENCHMARK(BM_PreviewPageChange)
    ->ArgsProduct({{0, 100, 300}, {100, 200}})
    ->ArgNames({"zoom", "ratio"})
    ->Unit(benchmark::kMillisecond);

// 600 pages of 50 methods: 49 drawing methods and the page break.
std::vector<std::string> LongList() {
  std::vector<std::string> lines = Header();
  for (int page = 1; page <= 600; ++page) {
    for (int i = 0; i < 16; ++i) {
      const std::string y = std::to_string(20 + i * 15);
      lines.push_back("prntext,20," + y + ",明細行 " + std::to_string(i) + ",ＭＳ 明朝,10,false,false,0");
      lines.push_back("prnline,20," + y + ",190," + y + ",1,solid,0");
      lines.push_back("prnbox,150," + y + ",190," + std::to_string(28 + i * 15) + ",1,solid,0");
    }
    lines.push_back("prnjan13,20,260,4912345678904,30,12,true");
    lines.push_back(page < 600 ? "newpage" : "enddoc");
  }
  lines.resize(30000);  // the three set-up methods take the place of the last lines
  lines.back() = "enddoc";
  return lines;
}

// Going from page 1 to page 600 of the long list, as `vant render --page 600` does, against
// one press of the next-page button from page 1 in the same run. One page is rendered
// either way: the ratio stays near 1 (pressing the button 599 times would make it ~600).
void BM_PreviewGoToPage600(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  PdfPlatform pdf;
  SetMethods(pdf.state, LongList());
  ShownPreview preview(pdf);
  Clock::duration jump{}, step{};
  for (auto _ : state) {
    state.PauseTiming();
    preview.window.GoToPage(1);
    state.ResumeTiming();
    const auto jumpStart = Clock::now();
    preview.window.GoToPage(600);
    jump += Clock::now() - jumpStart;
    state.PauseTiming();
    if (preview.window.CurrentPage() != 600) state.SkipWithError("page 600 was not reached");
    preview.window.GoToPage(1);
    const auto stepStart = Clock::now();
    preview.window.NextPageClick();
    step += Clock::now() - stepStart;
    state.ResumeTiming();
  }
  if (!pdf.messages.First().empty()) state.SkipWithError(pdf.messages.First().c_str());
  const auto ms = [&](Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count() / static_cast<double>(state.iterations());
  };
  state.counters["to_page_600_ms"] = ms(jump);
  state.counters["next_page_ms"] = ms(step);
  state.counters["ratio"] = ms(jump) / ms(step);
}
BENCHMARK(BM_PreviewGoToPage600)->Unit(benchmark::kMillisecond)->Iterations(20);

long ResidentKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string name;
  long value = 0;
  while (status >> name) {
    if (name == field) {
      status >> value;
      return value;
    }
    status.ignore(4096, '\n');
  }
  throw std::runtime_error(std::string("no ") + field + " in /proc/self/status");
}

void BM_PreviewLoad30000Methods(benchmark::State& state) {
  PdfPlatform pdf;
  SetMethods(pdf.state, LongList());
  int pages = 0;
  long residentKiB = 0;
  for (auto _ : state) {
    ShownPreview preview(pdf);
    pages = static_cast<int>(pdf.state.engine.shownPageList.size()) - 1;
    state.PauseTiming();
    residentKiB = ResidentKiB("VmRSS:");
    preview.window.Unload();
    state.ResumeTiming();
  }
  if (!pdf.messages.First().empty()) state.SkipWithError(pdf.messages.First().c_str());
  state.counters["methods"] = pdf.state.control.methodCount;
  state.counters["pages"] = pages;
  state.counters["resident_MB"] = static_cast<double>(residentKiB) / 1024;
  state.counters["peak_resident_MB"] = static_cast<double>(ResidentKiB("VmHWM:")) / 1024;
}
BENCHMARK(BM_PreviewLoad30000Methods)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vant::bench

int main(int argc, char** argv) {
  // The benchmarks measure the built-in PDF printer: no print server is asked.
  if (setenv("CUPS_SERVER", "/nonexistent/vant-bench-no-print-server.sock", 1) != 0) return 1;
  benchmark::Initialize(&argc, argv);
  const auto app = vant::qt::StartQt(argc, argv, /*windowed=*/false);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
