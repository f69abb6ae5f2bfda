// `vant check` of many label pages in one process against printing them to PDF files with
// one `vant pdf` process each, as a site without the check would find out what its pages
// do: wall and CPU time of each, and their ratios, in the same run.
//
//   vant_bench_check VANT_BINARY [PAGES (1000)] [RUNS (3)]
//
// Each page is a shipping label: boxes, rules, a sender and an addressee, an NW-7 and a
// Code 39 symbol, its numbers different on each page. No print server is asked (the check
// runs on the PDF printer, as `vant pdf` does).
#include <fcntl.h>
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
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "method_page.h"

namespace {

struct Measured {
  double seconds = 0;     // wall time
  double cpuSeconds = 0;  // user and system time of the child and of every process it waited for
};

double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the program to its end with standard output and error discarded; a run that does
// not exit with one of the statuses allowed ends the benchmark.
Measured Run(const std::vector<std::string>& args, int allowedStatus) {
  std::vector<char*> argv;
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const double cpuBefore = ChildrenCpuSeconds();
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) throw std::runtime_error("wait4 failed");
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != allowedStatus) {
    throw std::runtime_error(args[0] + " " + args[1] + " failed (status " + std::to_string(status) + ")");
  }
  // The page readers the check forks are counted: the check waits for each.
  return {took.count(), ChildrenCpuSeconds() - cpuBefore};
}

std::string Digits(long long value, int width) {
  std::string text = std::to_string(value);
  return std::string(static_cast<size_t>(std::max(0, width - static_cast<int>(text.size()))), '0') + text;
}

std::vector<std::string> LabelLines(int n) {
  const std::string number = Digits(24113007LL + n, 8);
  return {
      "papersize,a5", "orientation,prorportrait", "scalemode,mm",
      "prnbox,8,8,140,200,3,solid,0", "prnline,8,20,140,20,2,solid,0", "prnline,8,78,140,78,2,solid,0",
      "prnline,8,118,140,118,2,solid,0",
      "prntext,12,10,お届け先,ＭＳ ゴシック,14,false,true,0",
      "prntext,12,24,〒100-" + Digits(n % 10000, 4) + " 東京都千代田区丸の内 " + std::to_string(1 + n % 9) + "-" +
          std::to_string(1 + n % 30) + ",ＭＳ 明朝,12,false,false,0",
      "prntext,12,34,株式会社 見本商事 御中,ＭＳ 明朝,16,false,true,0",
      "prntext,12,82,ご依頼主: 見本物流センター,ＭＳ 明朝,11,false,false,0",
      "prntext,12,122,お問い合わせ番号 " + number + ",ＭＳ ゴシック,12,false,false,0",
      "prnnw7,12,148,a" + Digits(212345678906LL + n, 12) + "a,100,16,true,false",
      "prncode39,12,181,SKR-" + number + ",100,10,true,true",
      "enddoc",
  };
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: vant_bench_check VANT_BINARY [PAGES] [RUNS]\n";
    return 2;
  }
  const std::string vant = argv[1];
  const int pages = argc > 2 ? std::atoi(argv[2]) : 1000;
  const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
  if (pages < 1 || runs < 1) {
    std::cerr << "PAGES and RUNS are positive numbers\n";
    return 2;
  }
  // The children ask no print server and need no display.
  setenv("CUPS_SERVER", "/nonexistent/vant-bench-no-print-server", 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);

  char folderTemplate[] = "/tmp/vant-bench-check-XXXXXX";
  if (mkdtemp(folderTemplate) == nullptr) throw std::runtime_error("mkdtemp failed");
  const std::filesystem::path folder = folderTemplate;
  std::vector<std::string> files;
  for (int n = 0; n < pages; ++n) {
    const auto file = folder / ("label-" + Digits(n, 4) + ".html");
    std::ofstream(file) << vant::bench::MethodPageHtml(LabelLines(n));
    files.push_back(file.string());
  }
  std::vector<std::string> checkArgs{vant, "check", "--json", "--printer", "Vant3 PDF"};
  checkArgs.insert(checkArgs.end(), files.begin(), files.end());

  std::vector<double> checkWall, checkCpu, printWall, printCpu;
  for (int run = 0; run < runs; ++run) {
    const Measured check = Run(checkArgs, 0);
    checkWall.push_back(check.seconds);
    checkCpu.push_back(check.cpuSeconds);
    Measured print;
    for (const std::string& file : files) {
      const Measured one = Run({vant, "pdf", file, "-o", (folder / "out.pdf").string()}, 0);
      print.seconds += one.seconds;
      print.cpuSeconds += one.cpuSeconds;
    }
    printWall.push_back(print.seconds);
    printCpu.push_back(print.cpuSeconds);
    std::printf("run %d: check %.2f s (cpu %.2f s), vant pdf each %.2f s (cpu %.2f s)\n", run + 1, check.seconds,
                check.cpuSeconds, print.seconds, print.cpuSeconds);
  }
  std::filesystem::remove_all(folder);
  const double cw = Median(checkWall), cc = Median(checkCpu), pw = Median(printWall), pc = Median(printCpu);
  std::printf("%d label pages, median of %d runs, %u cores\n", pages, runs, std::max(1u, std::thread::hardware_concurrency()));
  std::printf("vant check, one process:   %8.2f s wall  %8.2f s cpu  (%.2f ms a page)\n", cw, cc, 1000 * cw / pages);
  std::printf("vant pdf, a process each:  %8.2f s wall  %8.2f s cpu  (%.2f ms a page)\n", pw, pc, 1000 * pw / pages);
  std::printf("ratio (pdf each / check):  %8.1fx wall  %8.1fx cpu\n", pw / cw, pc / cc);
  return 0;
}
