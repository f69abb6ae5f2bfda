#include "pdf_inspect.h"

#include "shell_command.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <stdexcept>

namespace vant::test {
namespace {

void RequireFile(const std::filesystem::path& file) {
  if (!std::filesystem::is_regular_file(file)) throw std::runtime_error("no PDF file " + file.string());
}

}  // namespace

PdfFacts InspectPdf(const std::filesystem::path& file) {
  RequireFile(file);
  const std::string out = RunShell(std::string(VANT_PDFINFO) + " -f 1 -l 100000 " + ShellQuoted(file.string()));
  PdfFacts facts;
  std::smatch m;
  if (std::regex_search(out, m, std::regex(R"(Pages:\s+(\d+))"))) facts.pages = std::stoi(m[1]);
  if (std::regex_search(out, m, std::regex(R"(Title:\s+([^\n]*))"))) facts.title = m[1];
  const std::regex size(R"(Page\s+\d+\s+size:\s+([0-9.]+) x ([0-9.]+) pts)");
  for (auto it = std::sregex_iterator(out.begin(), out.end(), size); it != std::sregex_iterator(); ++it) {
    facts.sizes.push_back(PdfPageSize{std::stod((*it)[1]), std::stod((*it)[2])});
  }
  if (facts.pages == 0) throw std::runtime_error("pdfinfo found no pages in " + file.string() + ": " + out);
  return facts;
}

std::string PdfPageText(const std::filesystem::path& file, int page) {
  RequireFile(file);
  const std::string p = std::to_string(page);
  return RunShell(std::string(VANT_PDFTOTEXT) + " -enc UTF-8 -f " + p + " -l " + p + " " +
             ShellQuoted(file.string()) + " -");
}

std::optional<InkBox> PdfInk(const std::filesystem::path& file, int page, int dpi) {
  RequireFile(file);
  const std::filesystem::path root = file.parent_path() / (file.stem().string() + "-ink-" + std::to_string(page));
  const std::string p = std::to_string(page);
  RunShell(std::string(VANT_PDFTOPPM) + " -gray -singlefile -r " + std::to_string(dpi) + " -f " + p + " -l " + p +
      " " + ShellQuoted(file.string()) + " " + ShellQuoted(root.string()));
  const std::filesystem::path pgm = root.string() + ".pgm";
  std::ifstream in(pgm, std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maxval = 0;
  in >> magic >> width >> height >> maxval;
  in.get();  // the single blank after the header
  if (magic != "P5" || width <= 0 || height <= 0 || maxval != 255) {
    throw std::runtime_error("unexpected pdftoppm output " + pgm.string());
  }
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
  if (!in) throw std::runtime_error("short pdftoppm output " + pgm.string());
  in.close();
  std::filesystem::remove(pgm);
  std::optional<InkBox> box;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] >= 128) continue;
      if (!box) {
        box = InkBox{x, y, x, y, width, height};
      } else {
        box->left = std::min(box->left, x);
        box->right = std::max(box->right, x);
        box->top = std::min(box->top, y);
        box->bottom = std::max(box->bottom, y);
      }
    }
  }
  return box;
}

}  // namespace vant::test
