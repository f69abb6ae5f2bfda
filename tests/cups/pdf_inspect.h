// Reading PDFs back in tests with poppler-utils: page count and page sizes (pdfinfo), the
// text of a page (pdftotext), and where the ink of a page lies (pdftoppm, greyscale).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vant::test {

struct PdfPageSize {
  double widthPt = 0;
  double heightPt = 0;
};

struct PdfFacts {
  int pages = 0;
  std::vector<PdfPageSize> sizes;  // one per page, in order
  std::string title;
};

PdfFacts InspectPdf(const std::filesystem::path& file);

// The text of page (from 1), as pdftotext reads it.
std::string PdfPageText(const std::filesystem::path& file, int page);

// The smallest rectangle holding every pixel darker than mid-grey, in pixels of the page
// rendered at dpi; nullopt for a page without ink.
struct InkBox {
  int left = 0;
  int top = 0;
  int right = 0;   // inclusive
  int bottom = 0;  // inclusive
  int imageWidth = 0;
  int imageHeight = 0;
};
std::optional<InkBox> PdfInk(const std::filesystem::path& file, int page, int dpi);

}  // namespace vant::test
