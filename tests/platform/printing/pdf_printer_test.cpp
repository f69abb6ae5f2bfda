// The built-in PDF printer end to end: marks become PDF pages, written atomically to the
// output path, numbered per document, with nothing left behind by a killed document or a
// failed write. PDFs are read back with poppler.
#include <gtest/gtest.h>

#include <fstream>

#include "common/failure.h"
#include "engine/papers.h"
#include "engine/setting_values.h"
#include "pdf_inspect.h"
#include "platform/files/file_writing.h"
#include "platform/printing/pdf_file_output.h"
#include "platform/printing/pdf_printer.h"
#include "platform/printing/printer_surface.h"
#include "scratch_dir.h"

namespace vant::printing {
namespace {

using vant::test::InspectPdf;
using vant::test::PdfInk;
using vant::test::PdfPageText;
using vant::test::ScratchDir;

constexpr double kPtPerMm = 72 / 25.4;

class PdfPrinterTest : public testing::Test {
 protected:
  PdfPrinterTest() {
    auto output = std::make_unique<PdfFileOutput>();
    output_ = output.get();
    output_->SetPath(dir_ / "invoice.pdf");
    printer_ = std::make_unique<PagePrinter>(PdfPrinterCapabilities(), std::move(output));
  }

  void Mark(const char* text) {
    printer_->SetCurrentX(1000);
    printer_->SetCurrentY(1000);
    printer_->Print(FromUtf8(text));
  }

  ScratchDir dir_;
  PdfFileOutput* output_;  // owned by printer_
  std::unique_ptr<PagePrinter> printer_;
};

void ExpectPageSize(const vant::test::PdfPageSize& size, double widthMm, double heightMm) {
  EXPECT_NEAR(size.widthPt, widthMm * kPtPerMm, 1.0);
  EXPECT_NEAR(size.heightPt, heightMm * kPtPerMm, 1.0);
}

TEST_F(PdfPrinterTest, IsNamedAndStartsWithItsDefaults) {
  EXPECT_EQ(printer_->DeviceName(), u"Vant3 PDF");
  EXPECT_EQ(printer_->TypeName(), u"Printer");
  EXPECT_EQ(printer_->Get(PrinterSetting::kPaperSize), 9);
  EXPECT_EQ(printer_->Get(PrinterSetting::kOrientation), kOrientationPortrait.code);
  EXPECT_EQ(printer_->ScaleMode(), kScaleTwips);
  EXPECT_EQ(printer_->FontName(), u"ＭＳ 明朝");
  EXPECT_FALSE(printer_->HasOpenDocument());
}

TEST_F(PdfPrinterTest, DeviceCapsAreTheWholeSheetAt600Dpi) {
  EXPECT_EQ(printer_->DeviceCaps(kPhysicalWidth), 4961);   // 210 mm
  EXPECT_EQ(printer_->DeviceCaps(kPhysicalHeight), 7016);  // 297 mm
  EXPECT_EQ(printer_->DeviceCaps(kPhysicalOffsetX), 0);
  EXPECT_EQ(printer_->DeviceCaps(kPhysicalOffsetY), 0);
  EXPECT_EQ(printer_->DeviceCaps(kHorzRes), 4961);
  EXPECT_EQ(printer_->DeviceCaps(kVertRes), 7016);
  EXPECT_NEAR(printer_->ScaleWidth(), 4961 / 600.0 * 1440, 0.01);
  printer_->Set(PrinterSetting::kOrientation, kOrientationLandscape.code);
  EXPECT_EQ(printer_->DeviceCaps(kHorzRes), 7016);
  EXPECT_EQ(printer_->DeviceCaps(kVertRes), 4961);
  printer_->Set(PrinterSetting::kPaperSize, 1);  // Letter, 8.5 x 11 in
  EXPECT_EQ(printer_->DeviceCaps(kPhysicalWidth), 6600);
  EXPECT_EQ(printer_->DeviceCaps(kPhysicalHeight), 5100);
  EXPECT_THROW(printer_->DeviceCaps(9), Failure);
}

TEST_F(PdfPrinterTest, LedgerEnvelopeB6AndUsFanfoldAreLandscapeSheets) {
  struct Row {
    int line;
    int16_t code;
    int32_t width;   // pixels at 600 dpi
    int32_t height;
  };
  for (const Row& row : {Row{__LINE__, 4, 10200, 6600}, Row{__LINE__, 35, 4157, 2953},
                         Row{__LINE__, 39, 8925, 6600}, Row{__LINE__, 3, 6600, 10200}}) {
    printer_->Set(PrinterSetting::kOrientation, kOrientationPortrait.code);
    printer_->Set(PrinterSetting::kPaperSize, row.code);
    EXPECT_EQ(printer_->DeviceCaps(kPhysicalWidth), row.width) << row.line;
    EXPECT_EQ(printer_->DeviceCaps(kPhysicalHeight), row.height) << row.line;
    printer_->Set(PrinterSetting::kOrientation, kOrientationLandscape.code);
    EXPECT_EQ(printer_->DeviceCaps(kPhysicalWidth), row.height) << row.line;
  }
}

TEST_F(PdfPrinterTest, TakesEveryCodeOfTheLanguage) {
  for (const PaperSheet& sheet : kPaperSheets) EXPECT_NO_THROW(printer_->Set(PrinterSetting::kPaperSize, sheet.code));
  for (const SettingValue& q : kPrintQualities) EXPECT_NO_THROW(printer_->Set(PrinterSetting::kPrintQuality, q.code));
  for (const SettingValue& bin : kPaperBins) EXPECT_NO_THROW(printer_->Set(PrinterSetting::kPaperBin, bin.code));
  for (const SettingValue& mode : kColourModes) EXPECT_NO_THROW(printer_->Set(PrinterSetting::kColorMode, mode.code));
  // ... and no others.
  EXPECT_THROW(printer_->Set(PrinterSetting::kPaperSize, 0), Failure);
  EXPECT_THROW(printer_->Set(PrinterSetting::kPaperBin, 12), Failure);
  EXPECT_THROW(printer_->Set(PrinterSetting::kOrientation, 3), Failure);
  EXPECT_THROW(printer_->Set(PrinterSetting::kColorMode, 0), Failure);
  EXPECT_THROW(printer_->Set(PrinterSetting::kPrintQuality, 0), Failure);
}

TEST_F(PdfPrinterTest, PagesOfMarksBecomeTheFile) {
  Mark("請求書");
  printer_->NewPage();
  Mark("second page");
  EXPECT_TRUE(printer_->HasOpenDocument());
  printer_->EndDoc();
  EXPECT_FALSE(printer_->HasOpenDocument());

  EXPECT_EQ(dir_.Names(), std::vector<std::string>{"invoice.pdf"});
  const auto facts = InspectPdf(dir_ / "invoice.pdf");
  EXPECT_EQ(facts.pages, 2);
  ExpectPageSize(facts.sizes.at(0), 210, 297);
  EXPECT_NE(PdfPageText(dir_ / "invoice.pdf", 1).find("請求書"), std::string::npos);
  EXPECT_NE(PdfPageText(dir_ / "invoice.pdf", 2).find("second page"), std::string::npos);

  ASSERT_TRUE(printer_->LastDelivered());
  EXPECT_EQ(printer_->LastDelivered()->pages, 2);
  EXPECT_EQ(printer_->LastDelivered()->file, dir_ / "invoice.pdf");
  EXPECT_FALSE(printer_->LastDelivered()->jobId);
  EXPECT_EQ(ToUtf8(printer_->LastDelivered()->Description()),
            "「" + (dir_ / "invoice.pdf").string() + "」に 2 ページを書き込みました。");
}

TEST_F(PdfPrinterTest, SetupAfterNewPageShapesTheNextPage) {
  Mark("A4 portrait");
  printer_->NewPage();
  printer_->Set(PrinterSetting::kPaperSize, 8);
  printer_->Set(PrinterSetting::kOrientation, kOrientationLandscape.code);
  Mark("A3 landscape");
  printer_->EndDoc();
  const auto facts = InspectPdf(dir_ / "invoice.pdf");
  ASSERT_EQ(facts.pages, 2);
  ExpectPageSize(facts.sizes.at(0), 210, 297);
  ExpectPageSize(facts.sizes.at(1), 420, 297);
}

// Each page is exactly its sheet, not the sheet rounded to whole points (A4 is 595.28 x
// 841.89 pt, not 595 x 842), and what is drawn at the sheet's edge stays there.
TEST_F(PdfPrinterTest, PagesAreTheExactSheetSize) {
  const struct {
    int line;
    int16_t paper, orientation;
    double widthPt, heightPt;
  } rows[] = {
      {__LINE__, 9, 1, 210 * kPtPerMm, 297 * kPtPerMm},   // A4
      {__LINE__, 8, 2, 420 * kPtPerMm, 297 * kPtPerMm},   // A3 landscape
      {__LINE__, 13, 1, 182 * kPtPerMm, 257 * kPtPerMm},  // B5
      {__LINE__, 1, 1, 612, 792},                         // letter: whole points already
  };
  for (const auto& r : rows) {
    printer_->Set(PrinterSetting::kPaperSize, r.paper);
    printer_->Set(PrinterSetting::kOrientation, r.orientation);
    Mark("page");
    printer_->NewPage();
  }
  printer_->EndDoc();
  const auto facts = InspectPdf(dir_ / "invoice.pdf");
  ASSERT_EQ(facts.sizes.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_NEAR(facts.sizes[i].widthPt, rows[i].widthPt, 0.01) << "line " << rows[i].line;
    EXPECT_NEAR(facts.sizes[i].heightPt, rows[i].heightPt, 0.01) << "line " << rows[i].line;
  }
}

TEST_F(PdfPrinterTest, TheTopEdgeOfTheExactSheetIsTheTopOfThePage) {
  printer_->SetScaleMode(kScalePixels);
  printer_->Line(0, 0, 599, 599, 0, LineKind::kFilledBox);  // one inch from the corner
  printer_->EndDoc();
  // 720 dpi: ten pixels a point; the sheet is 8418.9 pixels high.
  const auto ink = PdfInk(dir_ / "invoice.pdf", 1, 720);
  ASSERT_TRUE(ink);
  EXPECT_EQ(ink->top, 0);
  EXPECT_EQ(ink->left, 0);
  EXPECT_EQ(ink->bottom, 719);
  EXPECT_EQ(ink->right, 719);
}

TEST_F(PdfPrinterTest, SetupAfterAPagesFirstMarkWaitsForTheNextPage) {
  Mark("A4");
  printer_->Set(PrinterSetting::kPaperSize, 11);  // A5
  // The surface measures the new sheet at once ...
  EXPECT_EQ(printer_->DeviceCaps(kHorzRes), 3496);  // 148 mm
  Mark("still A4");
  printer_->EndDoc();
  // ... but the page that had begun keeps its own.
  const auto facts = InspectPdf(dir_ / "invoice.pdf");
  ASSERT_EQ(facts.pages, 1);
  ExpectPageSize(facts.sizes.at(0), 210, 297);
}

TEST_F(PdfPrinterTest, BlankPagesTakeTheSetupInForceWhenTheyEnd) {
  printer_->Set(PrinterSetting::kPaperSize, 11);
  printer_->NewPage();  // blank A5 page
  printer_->Set(PrinterSetting::kPaperSize, 13);
  printer_->NewPage();  // blank B5 page
  Mark("A page after two blank ones");
  printer_->NewPage();
  printer_->EndDoc();  // a page break before the end adds no empty page
  const auto facts = InspectPdf(dir_ / "invoice.pdf");
  ASSERT_EQ(facts.pages, 3);
  ExpectPageSize(facts.sizes.at(0), 148, 210);
  ExpectPageSize(facts.sizes.at(1), 182, 257);
  ExpectPageSize(facts.sizes.at(2), 182, 257);
  EXPECT_EQ(printer_->LastDelivered()->pages, 3);
}

TEST_F(PdfPrinterTest, EndDocWithNothingOpenWritesNothing) {
  printer_->EndDoc();
  EXPECT_TRUE(dir_.Names().empty());
  EXPECT_FALSE(printer_->LastDelivered());
  // A setup command alone opens no document either.
  printer_->Set(PrinterSetting::kPaperSize, 8);
  printer_->EndDoc();
  EXPECT_TRUE(dir_.Names().empty());
}

TEST_F(PdfPrinterTest, KilledDocumentLeavesNothingAndCountsForNothing) {
  Mark("abandoned");
  printer_->NewPage();
  Mark("abandoned too");
  printer_->KillDoc();
  EXPECT_FALSE(printer_->HasOpenDocument());
  EXPECT_TRUE(dir_.Names().empty());
  printer_->EndDoc();
  EXPECT_TRUE(dir_.Names().empty());

  Mark("kept");
  printer_->EndDoc();
  EXPECT_EQ(dir_.Names(), std::vector<std::string>{"invoice.pdf"});
  EXPECT_EQ(InspectPdf(dir_ / "invoice.pdf").pages, 1);
  EXPECT_EQ(PdfPageText(dir_ / "invoice.pdf", 1).find("abandoned"), std::string::npos);
}

TEST_F(PdfPrinterTest, SeveralDocumentsAreNumberedFiles) {
  for (const char* text : {"first", "second", "third"}) {
    Mark(text);
    printer_->EndDoc();
  }
  EXPECT_EQ(dir_.Names(), (std::vector<std::string>{"invoice-2.pdf", "invoice-3.pdf", "invoice.pdf"}));
  EXPECT_NE(PdfPageText(dir_ / "invoice.pdf", 1).find("first"), std::string::npos);
  EXPECT_NE(PdfPageText(dir_ / "invoice-2.pdf", 1).find("second"), std::string::npos);
  EXPECT_NE(PdfPageText(dir_ / "invoice-3.pdf", 1).find("third"), std::string::npos);
  EXPECT_EQ(printer_->LastDelivered()->file, dir_ / "invoice-3.pdf");
}

TEST_F(PdfPrinterTest, MissingDirectoryIsAClearFailureAndLeavesNothing) {
  const auto target = dir_ / "missing" / "out.pdf";
  output_->SetPath(target);
  Mark("nowhere to go");
  try {
    printer_->EndDoc();
    FAIL() << "the document was reported as written";
  } catch (const Failure& failure) {
    const std::string text = ToUtf8(failure.Description());
    EXPECT_EQ(text.rfind("PDF ファイル「" + target.string() + "」を書き込めません: ", 0), 0u) << text;
  }
  EXPECT_FALSE(printer_->HasOpenDocument());
  EXPECT_FALSE(printer_->LastDelivered());
  EXPECT_TRUE(dir_.Names().empty());

  // The failed document took no number: once the path is good the next is the first.
  output_->SetPath(dir_ / "later.pdf");
  Mark("written");
  printer_->EndDoc();
  EXPECT_EQ(dir_.Names(), std::vector<std::string>{"later.pdf"});
}

TEST_F(PdfPrinterTest, ADefaultNameInAFolderThatTakesNoFileNamesTheFolder) {
  const auto folder = dir_ / "missing";
  auto output = std::make_unique<PdfFileOutput>();
  output->SetBaseName(u"invoice", folder);
  printer_ = std::make_unique<PagePrinter>(PdfPrinterCapabilities(), std::move(output));
  Mark("nowhere to go");
  try {
    printer_->EndDoc();
    FAIL() << "the document was reported as written";
  } catch (const Failure& failure) {
    EXPECT_EQ(ToUtf8(failure.Description()),
              "PDF ファイルの保存先フォルダー「" + folder.string() + "」に書き込めません: ファイルまたはディレクトリがありません");
  }
  EXPECT_FALSE(printer_->LastDelivered());
  EXPECT_TRUE(dir_.Names().empty());
}

TEST_F(PdfPrinterTest, ANumberedNameHeldByADirectoryIsPassedOverAndLeftAlone) {
  Mark("first");
  printer_->EndDoc();
  // A directory standing where the second document's file would go.
  std::filesystem::create_directory(dir_ / "invoice-2.pdf");
  Mark("second");
  printer_->EndDoc();
  EXPECT_EQ(dir_.Names(), (std::vector<std::string>{"invoice-2.pdf", "invoice-3.pdf", "invoice.pdf"}));
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "invoice-2.pdf"));
  EXPECT_TRUE(std::filesystem::is_empty(dir_ / "invoice-2.pdf"));
  EXPECT_NE(PdfPageText(dir_ / "invoice.pdf", 1).find("first"), std::string::npos);
  EXPECT_NE(PdfPageText(dir_ / "invoice-3.pdf", 1).find("second"), std::string::npos);
  EXPECT_EQ(printer_->LastDelivered()->file, dir_ / "invoice-3.pdf");
}

TEST_F(PdfPrinterTest, AnEarlierFileIsReplacedWhole) {
  {
    std::ofstream old(dir_ / "invoice.pdf");
    old << std::string(100000, 'x');
  }
  Mark("new content");
  printer_->EndDoc();
  EXPECT_EQ(dir_.Names(), std::vector<std::string>{"invoice.pdf"});  // no temporary left
  EXPECT_EQ(InspectPdf(dir_ / "invoice.pdf").pages, 1);
  EXPECT_LT(std::filesystem::file_size(dir_ / "invoice.pdf"), 100000u);
}

TEST_F(PdfPrinterTest, MarksLandWhereTheyAreDrawn) {
  printer_->SetScaleMode(kScaleMillimeters);
  printer_->Line(20, 30, 40, 50, 0, LineKind::kFilledBox);
  printer_->EndDoc();
  // 254 dpi: ten pixels a millimetre; the page has no unprintable strips.
  const auto ink = PdfInk(dir_ / "invoice.pdf", 1, 254);
  ASSERT_TRUE(ink);
  EXPECT_NEAR(ink->left, 200, 1);
  EXPECT_NEAR(ink->top, 300, 1);
  EXPECT_NEAR(ink->right, 400, 1);
  EXPECT_NEAR(ink->bottom, 500, 1);
}

TEST_F(PdfPrinterTest, LandscapeMarksUseTheLandscapePage) {
  printer_->Set(PrinterSetting::kOrientation, kOrientationLandscape.code);
  printer_->SetScaleMode(kScaleMillimeters);
  // Near the far corner of the landscape page, beyond any portrait A4 width.
  printer_->Line(280, 190, 290, 200, 0, LineKind::kFilledBox);
  printer_->EndDoc();
  const auto ink = PdfInk(dir_ / "invoice.pdf", 1, 254);
  ASSERT_TRUE(ink);
  EXPECT_NEAR(ink->imageWidth, 2970, 2);
  EXPECT_NEAR(ink->imageHeight, 2100, 2);
  EXPECT_NEAR(ink->left, 2800, 1);
  EXPECT_NEAR(ink->top, 1900, 1);
}

TEST_F(PdfPrinterTest, NewPageAndEndDocMoveThePositionHome) {
  printer_->SetCurrentX(500);
  printer_->SetCurrentY(700);
  printer_->NewPage();
  EXPECT_EQ(printer_->CurrentX(), 0);
  EXPECT_EQ(printer_->CurrentY(), 0);
  printer_->SetCurrentY(700);
  printer_->EndDoc();
  EXPECT_EQ(printer_->CurrentY(), 0);
}

TEST_F(PdfPrinterTest, TheFileCarriesTheDocumentTitle) {
  printer_->SetDocumentTitle(u"請求書 12 月");
  Mark("x");
  printer_->EndDoc();
  EXPECT_EQ(InspectPdf(dir_ / "invoice.pdf").title, "請求書 12 月");
}

TEST(PagePrinterDensity, EachAxisKeepsItsOwnDensityOnThePage) {
  // A printer of 300 dpi across and 600 down, with strips of 10 mm left and 20 mm top.
  PrinterCapabilities caps = PdfPrinterCapabilities();
  caps.name = u"Coarse";
  caps.dpiX = 300;
  caps.dpiY = 600;
  PrinterMedia a4 = caps.papers.at(9);
  a4.sheet.leftMm = 10;
  a4.sheet.topMm = 20;
  caps.papers[9] = a4;
  caps.defaultMedia = a4;
  ScratchDir dir;
  auto output = std::make_unique<PdfFileOutput>();
  output->SetPath(dir / "coarse.pdf");
  PagePrinter printer(caps, std::move(output));
  EXPECT_EQ(printer.DeviceCaps(kPhysicalOffsetX), 118);  // 10 mm at 300 dpi
  EXPECT_EQ(printer.DeviceCaps(kPhysicalOffsetY), 472);  // 20 mm at 600 dpi
  printer.SetScaleMode(kScalePixels);
  // 10 mm square: 118 pixels across, 236 down.
  printer.Line(0, 0, 117, 235, 0, LineKind::kFilledBox);
  printer.EndDoc();
  const auto ink = PdfInk(dir / "coarse.pdf", 1, 254);
  ASSERT_TRUE(ink);
  EXPECT_NEAR(ink->left, 100, 1);
  EXPECT_NEAR(ink->top, 200, 1);
  EXPECT_NEAR(ink->right, 200, 1);
  EXPECT_NEAR(ink->bottom, 300, 1);
}

TEST(PdfFileOutput, PathsOfLaterDocumentsAreNumberedBesideTheFirst) {
  PdfFileOutput output;
  EXPECT_FALSE(output.Path());
  EXPECT_THROW(output.Deliver(PrintedDocument{}), Failure);
  output.SetPath("/data/forms/invoice.pdf");
  EXPECT_EQ(files::NumberedName(*output.Path(), 1), "/data/forms/invoice.pdf");
  EXPECT_EQ(files::NumberedName(*output.Path(), 2), "/data/forms/invoice-2.pdf");
  EXPECT_EQ(files::NumberedName(*output.Path(), 12), "/data/forms/invoice-12.pdf");
  output.SetPath("/data/out");
  EXPECT_EQ(files::NumberedName(*output.Path(), 2), "/data/out-2");
  EXPECT_THROW(output.SetPath(""), Failure);
  EXPECT_THROW(output.SetPath("/data/forms/"), Failure);
}

TEST(PdfFileOutput, TheGivenPathWinsOverTheDefaultWhicheverComesFirst) {
  PdfFileOutput output;
  output.SetBaseName(u"invoice");
  EXPECT_EQ(output.Path(), std::filesystem::current_path() / "invoice.pdf");
  output.SetPath("/tmp/given.pdf");
  EXPECT_EQ(output.Path(), "/tmp/given.pdf");
  output.SetBaseName(u"other");
  EXPECT_EQ(output.Path(), "/tmp/given.pdf");
  EXPECT_THROW(output.SetBaseName(u""), Failure);
  EXPECT_THROW(output.SetBaseName(u"../escape"), Failure);
}

TEST(PdfFileOutput, RelativePathsAreTakenFromTheCurrentDirectory) {
  PdfFileOutput output;
  output.SetPath("out/list.pdf");
  EXPECT_EQ(files::NumberedName(*output.Path(), 1), std::filesystem::current_path() / "out/list.pdf");
}

}  // namespace
}  // namespace vant::printing
