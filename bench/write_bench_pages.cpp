// Writes the benchmarks' generated host pages into a directory, for the vant command or a
// browser, and the plain Qt program's PDF of the drawing list beside them, so that the
// marks of the two programs can be compared by eye (pdftoppm) or by text (pdftotext).
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "marks.h"
#include "method_page.h"
#include "plain_qt_pdf.h"
#include "platform/qt/qt_app.h"

namespace {

void Write(const std::filesystem::path& path, const std::string& html) {
  std::ofstream out(path, std::ios::binary);
  out << html;
  if (!out) throw std::runtime_error("cannot write " + path.string());
  std::cout << path.string() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: vant_bench_pages DIRECTORY\n";
    return 2;
  }
  try {
    using namespace vant::bench;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    int qtArgc = 1;
    const auto app = vant::qt::StartQt(qtArgc, argv, /*windowed=*/false);
    const auto drawing = DrawingPages(600, 50);
    Write(dir / "setup.html", MethodPageHtml(SetupMethodLines(10000)));
    Write(dir / "drawing.html", MethodPageHtml(PageMethodLines(drawing)));
    Write(dir / "dense.html", MethodPageHtml(PageMethodLines({DensePage()})));
    Write(dir / "labels.html", MethodPageHtml(PageMethodLines(LabelPages(1000))));
    WritePlainQtPdf(drawing, dir / "drawing-plain-qt.pdf");
    std::cout << (dir / "drawing-plain-qt.pdf").string() << '\n';
  } catch (const std::exception& e) {
    std::cerr << "vant_bench_pages: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
