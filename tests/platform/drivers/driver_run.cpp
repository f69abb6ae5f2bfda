#include "driver_run.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "engine/run_driver.h"
#include "shell_command.h"

namespace vant::test::drivers {

std::filesystem::path DriversDir() {
  const char* dir = std::getenv("VANT_DRIVERS_DIR");
  if (dir == nullptr || *dir == '\0') {
    throw std::runtime_error("VANT_DRIVERS_DIR is not set: run this test through ctest (vant_driver_tests)");
  }
  return dir;
}

const printing::PrinterCapabilities& DriverTest::Caps(const std::string& queue) {
  for (int i = 0; i < list_->Count(); ++i) {
    if (ToUtf8(list_->At(i).DeviceName()) == queue) return list_->Page(i).Capabilities();
  }
  std::string problems;
  for (const Text& p : list_->Problems()) problems += "\n  " + ToUtf8(p);
  throw std::runtime_error("no printer " + queue + " in the list" + problems);
}

std::vector<int> DriverTest::Submit(const std::string& queue, std::vector<std::string> lines) {
  lines.insert(lines.begin(), "changeprinter," + queue);
  lines.push_back("enddoc");
  Load(lines);
  const size_t before = list_->Delivered().size();
  if (Run() != kRunCompleted) {
    throw std::runtime_error(queue + ": the run stopped: " + (messages_.shown.empty() ? "" : messages_.shown.back()));
  }
  if (list_->Delivered().size() != before + 1 || !list_->Delivered().back().jobId) {
    throw std::runtime_error(queue + ": the run delivered no job");
  }
  const auto& delivered = list_->Delivered().back();
  std::vector<int> jobs{*delivered.jobId};
  jobs.insert(jobs.end(), delivered.laterJobIds.begin(), delivered.laterJobIds.end());
  return jobs;
}

std::vector<queues::FinishedJob> DriverTest::Finished(const std::vector<int>& jobs) {
  std::vector<queues::FinishedJob> finished;
  for (const int id : jobs) {
    finished.push_back(queues::WaitForJob(id, std::chrono::seconds(120)));
    if (finished.back().state != "completed") {
      throw std::runtime_error("job " + std::to_string(id) + " on " + finished.back().queue + " ended " +
                               finished.back().state);
    }
  }
  return finished;
}

std::string Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

RasterPage RenderPostScript(const std::filesystem::path& file, int dpi, const std::filesystem::path& work) {
  const char* gs = std::getenv("VANT_GS");
  if (gs == nullptr || *gs == '\0') throw std::runtime_error("VANT_GS is not set: run this test through ctest");
  const auto pgm = work / "page.pgm";
  RunShell(ShellQuoted(gs) + " -q -dSAFER -dBATCH -dNOPAUSE -dFirstPage=1 -dLastPage=1 -sDEVICE=pgmraw -r" +
           std::to_string(dpi) + " -sOutputFile=" + ShellQuoted(pgm.string()) + " " + ShellQuoted(file.string()));
  const std::string bytes = Bytes(pgm);
  // P5, width, height, maximum (comment lines between), one blank, then the grey bytes.
  size_t at = 0;
  const auto field = [&]() {
    for (;;) {
      while (at < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
      if (at < bytes.size() && bytes[at] == '#') {
        at = bytes.find('\n', at);
        continue;
      }
      const size_t start = at;
      while (at < bytes.size() && !std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
      return bytes.substr(start, at - start);
    }
  };
  const std::string magic = field();
  const int width = std::stoi(field()), height = std::stoi(field()), maximum = std::stoi(field());
  const size_t start = at + 1;
  if (magic != "P5" || maximum != 255 || bytes.size() < start + static_cast<size_t>(width) * static_cast<size_t>(height)) {
    throw std::runtime_error("Ghostscript wrote no page of " + file.string());
  }
  RasterPage page;
  page.header.hwResolution[0] = page.header.hwResolution[1] = static_cast<unsigned>(dpi);
  page.header.width = static_cast<unsigned>(width), page.header.height = static_cast<unsigned>(height);
  page.ink = InkImage(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (static_cast<unsigned char>(bytes[start + static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]) < 128) {
        page.ink.Set(x, y, true);
      }
    }
  }
  return page;
}

std::vector<std::filesystem::path> EverywhereDocuments() {
  // ippeveprinter names each document "JOB-TITLE.pwg", JOB its own job number.
  std::vector<std::pair<int, std::filesystem::path>> documents;
  for (const auto& entry : std::filesystem::directory_iterator(DriversDir() / "eve" / "spool")) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".pwg") documents.emplace_back(std::stoi(name.substr(0, name.find('-'))), entry.path());
  }
  std::sort(documents.begin(), documents.end());
  std::vector<std::filesystem::path> files;
  for (auto& d : documents) files.push_back(d.second);
  return files;
}

}  // namespace vant::test::drivers
