// The browser host as the page uses it: `vant host` running (warm), a print click answered
// once the PDF file is written. The baseline in the same run is `vant pdf` of the same page
// started cold, as a page saved to a file would be printed without the host.
#include <benchmark/benchmark.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "host_child.h"
#include "platform/browser/native_messaging.h"
#include "platform/host/host_page_objects.h"
#include "platform/host/html_encoding.h"
#include "stopwatch.h"

namespace vant::bench {
namespace {

const std::filesystem::path kExamples = VANT_EXAMPLES_DIR;

class Scratch {
 public:
  Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vant-bench-host-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
    path_ = pattern;
    std::filesystem::create_directories(Downloads());
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::filesystem::path Downloads() const { return path_ / "downloads"; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::vector<BenchObject> ObjectsOfFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<BenchObject> objects;
  const platform::PageObjects page = platform::ReadPageObjects(platform::DecodePage(bytes).text.utf8);
  for (const auto& object : page.objects) {
    BenchObject bench{ToUtf8(object.id.value_or(Text())), {}};
    for (const std::size_t i : object.params) {
      const ParamElement& p = page.objectParams[i];
      bench.params.emplace_back(ToUtf8(p.name), ToUtf8(p.value));
    }
    objects.push_back(std::move(bench));
  }
  return objects;
}

// The objects with the PDF printer chosen first by the control's list: the host has no
// print server that answers, and prints only to a printer the page chose then.
std::vector<BenchObject> ChoosingPdf(std::vector<BenchObject> objects) {
  objects.front().params.insert(objects.front().params.begin(), {"method0", "changeprinter,Vant3 PDF"});
  return objects;
}

// 32766 methods: the PDF printer chosen, texts and boxes, a new page every 50 methods, enddoc last.
std::vector<BenchObject> LongList() {
  BenchObject object{"vant", {}};
  constexpr int kMethods = 32765;  // and the choice of the PDF printer
  for (int i = 1; i <= kMethods; ++i) {
    const int y = 800 + (i % 50) * 280;  // twips
    std::string line;
    if (i == kMethods) {
      line = "enddoc";
    } else if (i % 50 == 0) {
      line = "newpage";
    } else if (i % 2 == 0) {
      line = "prntext,1200," + std::to_string(y) + ",明細行 " + std::to_string(i) + ",ＭＳ 明朝,9";
    } else {
      line = "prnbox,1000," + std::to_string(y) + ",10000," + std::to_string(y + 200);
    }
    object.params.emplace_back("method" + std::to_string(i), line);
  }
  return ChoosingPdf({object});
}

// The click's answer: the one PDF written, else an error naming what the host said.
void ExpectOnePdf(const std::string& answer, benchmark::State& state) {
  const QJsonObject outcome = QJsonDocument::fromJson(QByteArray::fromStdString(answer)).object()["outcome"].toObject();
  if (outcome["printed"].toArray().size() != 1 || !outcome["messages"].toArray().isEmpty()) {
    state.SkipWithError(("the click did not write one PDF: " + answer.substr(0, 300)).c_str());
  }
}

const std::string kPrint = "{\"kind\":\"print\",\"id\":2,\"key\":0}";

double ColdVantPdfSeconds(const Scratch& scratch) {
  const std::string command = std::string("CUPS_SERVER=") + (scratch.Path() / "none.sock").string() + " " +
                              VANT_BINARY + " pdf " + (kExamples / "invoice.html").string() + " -o " +
                              (scratch.Path() / "cold.pdf").string() + " >/dev/null 2>&1";
  std::vector<double> times;
  for (int i = 0; i < 5; ++i) {
    times.push_back(SecondsOf([&] {
      if (std::system(command.c_str()) != 0) throw std::runtime_error("vant pdf failed");
    }));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void BM_HostClickToPdfInvoice(benchmark::State& state) {
  Scratch scratch;
  HostChild host(scratch.Downloads());
  host.Ask(DocumentRequestJson(1, "https://sales.example/forms/invoice.html", ChoosingPdf(ObjectsOfFile(kExamples / "invoice.html"))));
  ExpectOnePdf(host.Ask(kPrint), state);  // the first click warms the fonts
  for (auto _ : state) {
    std::string answer;
    state.SetIterationTime(SecondsOf([&] { answer = host.Ask(kPrint); }));
    ExpectOnePdf(answer, state);
  }
  const double cold = ColdVantPdfSeconds(scratch);
  state.counters["vant_pdf_cold_ms"] = cold * 1e3;
  state.counters["host_rss_MiB"] = static_cast<double>(host.ResidentKiB()) / 1024;
}
BENCHMARK(BM_HostClickToPdfInvoice)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_HostClickToPdf32766Methods(benchmark::State& state) {
  const std::string document = DocumentRequestJson(1, "https://sales.example/forms/long.html", LongList());
  for (auto _ : state) {
    Scratch scratch;
    HostChild host(scratch.Downloads());
    host.Ask(DocumentRequestJson(0, "https://sales.example/forms/long.html", {}));  // started and idle
    const long idle = host.ResidentKiB();
    const double reading = SecondsOf([&] { host.Ask(document); });
    const long read = host.ResidentKiB();
    std::string answer;
    state.SetIterationTime(SecondsOf([&] { answer = host.Ask(kPrint); }));
    ExpectOnePdf(answer, state);
    state.counters["document_ms"] = reading * 1e3;
    state.counters["rss_idle_MiB"] = static_cast<double>(idle) / 1024;
    state.counters["rss_read_MiB"] = static_cast<double>(read) / 1024;
    state.counters["rss_printed_MiB"] = static_cast<double>(host.ResidentKiB()) / 1024;
    state.counters["request_MiB"] = static_cast<double>(document.size()) / (1 << 20);
  }
}
BENCHMARK(BM_HostClickToPdf32766Methods)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// A document request of one OBJECT per control, each with its print list (method1 enddoc),
// followed by filler PARAMs `["x",""]` shared out among the OBJECTs until the request
// holds `bytes` bytes. The PARAMs of a request as a page's script could make them.
std::string FilledDocument(std::size_t controls, std::size_t bytes) {
  std::string json = R"({"kind":"document","id":1,"url":"https://sales.example/forms/filled.html","objects":[)";
  const std::string filler = R"(,["x",""])";
  const std::string close = "]}";
  const std::size_t perObject = (bytes - json.size()) / controls;
  for (std::size_t key = 0; key < controls; ++key) {
    const std::size_t start = json.size();
    json += (key ? ",{\"key\":" : "{\"key\":") + std::to_string(key) + R"(,"params":[["method1","enddoc"])";
    while (json.size() - start + filler.size() + close.size() + 2 <= perObject) json += filler;
    json += close;
  }
  return json + "]}";
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

// The document request to a new host: the time to its answer and the host's peak memory,
// against the time the same number of bytes takes to reach the host and be refused at their
// first byte (not JSON), in the same iteration.
void HostReadsFilledDocument(benchmark::State& state, std::size_t controls, std::size_t bytes) {
  const std::string document = FilledDocument(controls, bytes);
  const std::string notJson = "x" + std::string(document.size() - 1, ' ');
  for (auto _ : state) {
    Scratch scratch;
    HostChild host(scratch.Downloads());
    host.Ask(DocumentRequestJson(0, "https://sales.example/forms/idle.html", {}));  // started and idle
    const long idle = host.PeakResidentKiB();
    const double transfer = SecondsOf([&] { host.Ask(notJson); });
    std::string answer;
    const double reading = SecondsOf([&] { answer = host.Ask(document); });
    state.SetIterationTime(reading);
    const QJsonObject parsed = QJsonDocument::fromJson(QByteArray::fromStdString(answer)).object();
    state.SetLabel(parsed["kind"].toString() == "error" ? "refused: " + parsed["message"].toString().toStdString()
                                                        : "read: " + std::to_string(parsed["controls"].toArray().size()) +
                                                              " controls");
    const double peak = static_cast<double>(host.PeakResidentKiB()) / 1024;
    state.counters["request_MiB"] = static_cast<double>(document.size()) / (1 << 20);
    state.counters["params_M"] = static_cast<double>(Occurrences(document, "],[") + controls) / 1e6;
    state.counters["transfer_s"] = transfer;
    state.counters["ratio"] = reading / transfer;
    state.counters["rss_idle_MiB"] = static_cast<double>(idle) / 1024;
    state.counters["rss_peak_MiB"] = peak;
    state.counters["rss_after_MiB"] = static_cast<double>(host.ResidentKiB()) / 1024;
    state.counters["peak_per_request"] = peak / (static_cast<double>(document.size()) / (1 << 20));
  }
}

// 64 MiB (the most the host reads) of 7.4 million tiny PARAMs in one OBJECT.
void BM_HostDocument64MiBTinyParams(benchmark::State& state) {
  HostReadsFilledDocument(state, 1, browser::kMaxRequestBytes);
}
BENCHMARK(BM_HostDocument64MiBTinyParams)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// A million PARAMs (the most a page may hand the control) in 9 MiB, in one OBJECT and
// shared out among 1024 controls, each of which reads the whole document.
void BM_HostDocumentMillionParams(benchmark::State& state) {
  HostReadsFilledDocument(state, static_cast<std::size_t>(state.range(0)), 9'000'000);
}
BENCHMARK(BM_HostDocumentMillionParams)->Arg(1)->Arg(1024)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace vant::bench

BENCHMARK_MAIN();
