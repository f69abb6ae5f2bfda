// Method lists run on the real printers of the private print server and the PDF printer,
// and what arrived read back: the job's PDF, rasterised pages, pdftotext word boxes,
// pdffonts and zbarimg.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cups_test_queues.h"
#include "engine/module_state.h"
#include "engine/page_record.h"
#include "engine/printer_object.h"
#include "kept_messages.h"
#include "platform/printing/printer_list.h"
#include "platform/symbols/zint_encoder.h"
#include "zbar_decode.h"

namespace vant::test::paper {

// The "Office" queue's unprintable strips at the top-left of the portrait A4 sheet, from
// its PPD (ImageableArea A4 "12 24 583 824" on a 595 x 842 pt sheet): 12 pt and 18 pt.
inline constexpr double kOfficeLeftMm = 12.0 / 72.0 * 25.4;
inline constexpr double kOfficeTopMm = (842.0 - 824.0) / 72.0 * 25.4;
inline constexpr double kMmPerPt = 25.4 / 72.0;

// A directory of its own for one test's files, removed afterwards.
class PaperDir {
 public:
  PaperDir();
  ~PaperDir();
  PaperDir(const PaperDir&) = delete;
  PaperDir& operator=(const PaperDir&) = delete;
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

class PaperTest : public testing::Test {
 public:
  // Load, for helpers outside the fixture.
  void LoadLines(const std::vector<std::string>& lines) { Load(lines); }

 protected:
  PaperTest();

  // Method lines as a host page writes them (a doubled comma is a comma in the text).
  void Load(const std::vector<std::string>& lines);
  int16_t Run();
  // Runs the lines on the "Office" queue (an "enddoc" is appended) and returns the file
  // the queue wrote; fails the test when the run does not complete.
  std::filesystem::path PrintOnOffice(std::vector<std::string> lines);
  // The same on the PDF printer, writing file.
  std::filesystem::path PrintOnPdf(std::vector<std::string> lines, const std::filesystem::path& file);

  std::unique_ptr<printing::PrinterList> list_;
  PrinterObject printer_;
  KeptMessages messages_;
  HeldPointer pointer_;
  ModuleState state_;
  symbols::ZintEncoder symbols_;
  Platform platform_;
  PaperDir dir_;
};

// A word of pdftotext -bbox, in points from the page's top-left corner.
struct PdfWord {
  std::string text;
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};
std::vector<PdfWord> PdfWords(const std::filesystem::path& pdf, int page);
// The word with this text; throws naming it when the page has none.
PdfWord WordNamed(const std::vector<PdfWord>& words, const std::string& text);

// The rows of pdffonts: name and whether embedded.
struct PdfFont {
  std::string name;
  bool embedded = false;
};
std::vector<PdfFont> PdfFonts(const std::filesystem::path& pdf);

// zbarimg, as every paper test reads symbols.
using vant::test::ZbarDecode;

}  // namespace vant::test::paper
