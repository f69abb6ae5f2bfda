// `vant pdf` end to end against the plain Qt program, each in a process of its own, in the
// same run: wall time and peak resident memory of each, and their ratios. The page is the
// drawing list (DrawingPages) as a host page, so `vant pdf` reads it, runs it and writes the
// PDF; the plain program draws the same marks with QPainter/QPdfWriter.
//
//   vant_bench_end_to_end VANT_BINARY [PAGES (350)] [RUNS (5)] [EARLIER_VANT_BINARY]
//
// The plain program runs twice: drawing the marks it was given (it reads no page), and
// reading the host page itself first (plain_page_marks.cpp), the tightest program that
// makes the same PDF from the same page.
//
// An earlier build of vant, when named, runs alternately with the two in the same run, so
// that a change is measured before and after on the same machine at the same time.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "bench_platform.h"
#include "marks.h"
#include "method_page.h"
#include "plain_page_marks.h"
#include "plain_qt_pdf.h"
#include "platform/qt/qt_app.h"

namespace {

constexpr int kMarksPerPage = 50;

struct Measured {
  double seconds;     // wall time
  double cpuSeconds;  // user and system time: what a busy machine disturbs least
  long peakKiB;
};

// Runs the program to its end; a failed run ends the benchmark.
Measured Run(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) throw std::runtime_error("wait4 failed");
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error(args[0] + " " + args[1] + " failed (status " + std::to_string(status) + ")");
  }
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return {took.count(), seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Summary {
  double seconds, cpuSeconds, peakMiB;  // medians
};

Summary Summarise(const std::vector<Measured>& runs) {
  std::vector<double> seconds, cpu, peaks;
  for (const Measured& m : runs) {
    seconds.push_back(m.seconds);
    cpu.push_back(m.cpuSeconds);
    peaks.push_back(static_cast<double>(m.peakKiB) / 1024);
  }
  return {Median(seconds), Median(cpu), Median(peaks)};
}

void Print(const char* name, const Summary& s) {
  std::printf("%-10s %.3f s wall  %.3f s CPU  %.1f MiB peak\n", name, s.seconds, s.cpuSeconds, s.peakMiB);
}

int PlainProgram(int argc, char** argv) {
  // --plain PAGES OUT.pdf
  const int pages = std::atoi(argv[2]);
  int qtArgc = 1;
  const auto app = vant::qt::StartQt(qtArgc, argv, /*windowed=*/false);
  vant::bench::WritePlainQtPdf(vant::bench::DrawingPages(pages, kMarksPerPage), argv[3]);
  (void)argc;
  return 0;
}

// --plain-page PAGE.html OUT.pdf: the plain program reading the page itself.
int PlainPageProgram(char** argv) {
  int qtArgc = 1;
  const auto app = vant::qt::StartQt(qtArgc, argv, /*windowed=*/false);
  vant::bench::WritePlainQtPdf(vant::bench::PlainPageMarks(argv[2]), argv[3]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--plain") return PlainProgram(argc, argv);
  if (argc == 4 && std::string(argv[1]) == "--plain-page") return PlainPageProgram(argv);
  if (argc < 2 || argc > 5) {
    std::cerr << "usage: vant_bench_end_to_end VANT_BINARY [PAGES] [RUNS] [EARLIER_VANT_BINARY]\n";
    return 2;
  }
  try {
    using namespace vant::bench;
    const std::string vant = std::filesystem::absolute(argv[1]).string();
    const int pages = argc >= 3 ? std::atoi(argv[2]) : 350;
    const int runs = argc >= 4 ? std::atoi(argv[3]) : 5;
    const ScratchDir dir;
    const auto page = dir.Path() / "drawing.html";
    std::ofstream(page, std::ios::binary) << MethodPageHtml(PageMethodLines(DrawingPages(pages, kMarksPerPage)));
    // No print server is asked: the PDF printer is the one measured.
    setenv("CUPS_SERVER", (dir.Path() / "no-print-server.sock").c_str(), 1);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::optional<std::string> earlier =
        argc >= 5 ? std::optional(std::filesystem::absolute(argv[4]).string()) : std::nullopt;
    {  // the page read by the plain program holds the marks drawn
      const auto read = PlainPageMarks(page), drawn = DrawingPages(pages, kMarksPerPage);
      const MarkCounts r = CountMarks(read), d = CountMarks(drawn);
      if (read.size() != drawn.size() || r.texts != d.texts || r.strokes != d.strokes || r.circles != d.circles) {
        throw std::runtime_error("the plain program reads other marks from the page than it draws");
      }
    }
    std::vector<Measured> vantRuns, plainRuns, plainPageRuns, earlierRuns;
    const auto pdf = [&](const std::string& binary) {
      return Run({binary, "pdf", page.string(), "-o", (dir.Path() / "vant.pdf").string()});
    };
    for (int run = 0; run < runs; ++run) {  // alternated, so that a busy machine hits each
      vantRuns.push_back(pdf(vant));
      plainRuns.push_back(Run({self, "--plain", std::to_string(pages), (dir.Path() / "plain.pdf").string()}));
      plainPageRuns.push_back(Run({self, "--plain-page", page.string(), (dir.Path() / "plain-page.pdf").string()}));
      if (earlier) earlierRuns.push_back(pdf(*earlier));
    }
    const Summary v = Summarise(vantRuns), p = Summarise(plainRuns), pp = Summarise(plainPageRuns);
    std::printf("pages %d, runs %d (medians)\n", pages, runs);
    Print("vant pdf", v);
    Print("plain Qt", p);
    Print("plain+page", pp);
    std::printf("ratio      wall %.2f  CPU %.2f  memory %.2f\n", v.seconds / p.seconds, v.cpuSeconds / p.cpuSeconds,
                v.peakMiB / p.peakMiB);
    std::printf("to the plain program reading the page: wall %.2f  CPU %.2f  memory %.2f\n", v.seconds / pp.seconds,
                v.cpuSeconds / pp.cpuSeconds, v.peakMiB / pp.peakMiB);
    if (earlier) {
      const Summary e = Summarise(earlierRuns);
      Print("earlier", e);
      std::printf("earlier ratio wall %.2f  CPU %.2f  memory %.2f\n", e.seconds / p.seconds,
                  e.cpuSeconds / p.cpuSeconds, e.peakMiB / p.peakMiB);
    }
  } catch (const std::exception& e) {
    std::cerr << "vant_bench_end_to_end: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
