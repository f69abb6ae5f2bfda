// Jobs on the private print server (tests/cups): each ended document is one job with the
// settings of its first page and scaling off, and the queue receives the PDF as painted,
// content placed at the printable area; a killed document sends nothing; a stopped or
// rejecting queue is a failure that names the printer and the server's message.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/failure.h"
#include "cups_test_queues.h"
#include "pdf_inspect.h"
#include "platform/printing/printer_list.h"
#include "private_server_printers.h"

namespace vant::printing {
namespace {

namespace queues = vant::test::cups;
using vant::test::InspectPdf;
using vant::test::PdfInk;
using vant::test::PdfPageText;

constexpr double kPtPerMm = 72 / 25.4;

class CupsJobsTest : public testing::Test {
 protected:
  CupsJobsTest() : list_(PrivateServerPrinters()) {
    queues::ClearQueueOutput("Office");
    queues::ClearQueueOutput("Label");
  }

  PagePrinter& Named(const Text& name) { return PrinterNamed(*list_, name); }

  // Ends the document and waits for its job.
  queues::FinishedJob Print(PagePrinter& printer) {
    printer.EndDoc();
    if (!printer.LastDelivered() || !printer.LastDelivered()->jobId) {
      throw std::runtime_error("no job was reported");
    }
    return queues::WaitForJob(*printer.LastDelivered()->jobId);
  }

  std::unique_ptr<PrinterList> list_;
};

TEST_F(CupsJobsTest, AJobCarriesTheSettingsOfItsFirstPageAndScalingOff) {
  PagePrinter& office = Named(u"Office");
  office.SetPaperSize(8);
  office.SetOrientation(2);
  office.SetPaperBin(1);
  office.SetColorMode(1);
  office.SetPrintQuality(-4);
  office.SetDocumentTitle(u"請求書");
  office.Print(u"first page");
  office.NewPage();
  office.Print(u"second page");
  const auto job = Print(office);

  EXPECT_EQ(job.state, "completed");
  EXPECT_EQ(job.queue, "Office");
  EXPECT_EQ(job.Attribute("job-name"), "請求書");
  EXPECT_EQ(job.Attribute("media"), "iso_a3_297x420mm");
  EXPECT_EQ(job.Attribute("orientation-requested"), "landscape");
  EXPECT_EQ(job.Attribute("media-source"), "top");
  EXPECT_EQ(job.Attribute("print-color-mode"), "monochrome");
  EXPECT_EQ(job.Attribute("print-quality"), "high");
  EXPECT_EQ(job.Attribute("print-scaling"), "none");

  const auto facts = InspectPdf(job.file);
  ASSERT_EQ(facts.pages, 2);
  EXPECT_NEAR(facts.sizes[0].widthPt, 1191, 1);  // A3 landscape
  EXPECT_NEAR(facts.sizes[0].heightPt, 842, 1);
  EXPECT_NE(PdfPageText(job.file, 2).find("second page"), std::string::npos);
  EXPECT_EQ(office.LastDelivered()->pages, 2);
  EXPECT_EQ(ToUtf8(office.LastDelivered()->Description()),
            "プリンター「Office」にジョブ " + std::to_string(job.id) + " (2 ページ) を送りました。");
}

TEST_F(CupsJobsTest, DefaultsAreSentAsThePrinterHasThem) {
  PagePrinter& office = Named(u"Office");
  office.Print(u"defaults");
  const auto job = Print(office);
  EXPECT_EQ(job.Attribute("media"), "iso_a4_210x297mm");
  EXPECT_EQ(job.Attribute("orientation-requested"), "portrait");
  EXPECT_EQ(job.Attribute("media-source"), "auto");
  EXPECT_EQ(job.Attribute("print-color-mode"), "color");
  EXPECT_EQ(job.Attribute("print-quality"), "normal");
  EXPECT_EQ(job.Attribute("print-scaling"), "none");
  const auto facts = InspectPdf(job.file);
  ASSERT_EQ(facts.pages, 1);
  EXPECT_NEAR(facts.sizes[0].widthPt, 595, 1);
  EXPECT_NEAR(facts.sizes[0].heightPt, 842, 1);
}

// The queue receives the sheet at the size the queue gives it, to the hundredth of a
// millimetre CUPS measures it in: the PPD's 595 x 842 pt A4 is 209.90 x 297.04 mm.
TEST_F(CupsJobsTest, TheQueueReceivesItsSheetExactly) {
  PagePrinter& office = Named(u"Office");
  office.Print(u"A4");
  const auto facts = InspectPdf(Print(office).file);
  ASSERT_EQ(facts.pages, 1);
  EXPECT_NEAR(facts.sizes[0].widthPt, 209.90 * kPtPerMm, 0.005);
  EXPECT_NEAR(facts.sizes[0].heightPt, 297.04 * kPtPerMm, 0.005);
}

TEST_F(CupsJobsTest, ContentStartsAtThePrintableAreaOnTheWholeSheet) {
  PagePrinter& office = Named(u"Office");
  office.SetScaleMode(kScaleMillimeters);
  office.Line(0, 0, 10, 10, 0, LineKind::kFilledBox);
  const auto job = Print(office);
  // 254 dpi: ten pixels a millimetre. The strips are 4.23 mm left and 6.35 mm top.
  const auto ink = PdfInk(job.file, 1, 254);
  ASSERT_TRUE(ink);
  EXPECT_NEAR(ink->imageWidth, 2100, 2);
  EXPECT_NEAR(ink->left, 42, 1);
  EXPECT_NEAR(ink->top, 64, 1);
  EXPECT_NEAR(ink->right, 142, 1);
  EXPECT_NEAR(ink->bottom, 164, 1);
}

TEST_F(CupsJobsTest, NothingIsPaintedIntoTheUnprintableStrips) {
  PagePrinter& office = Named(u"Office");
  office.SetScaleMode(kScaleMillimeters);
  office.Line(-20, -20, 10, 10, 0, LineKind::kFilledBox);
  const auto job = Print(office);
  const auto ink = PdfInk(job.file, 1, 254);
  ASSERT_TRUE(ink);
  EXPECT_NEAR(ink->left, 42, 1);
  EXPECT_NEAR(ink->top, 64, 1);
}

TEST_F(CupsJobsTest, LandscapeContentStartsAtTheTurnedStrips) {
  PagePrinter& office = Named(u"Office");
  office.SetOrientation(2);
  office.SetScaleMode(kScaleMillimeters);
  office.Line(0, 0, 10, 10, 0, LineKind::kFilledBox);
  const auto job = Print(office);
  const auto ink = PdfInk(job.file, 1, 254);
  ASSERT_TRUE(ink);
  EXPECT_NEAR(ink->imageWidth, 2970, 2);
  EXPECT_NEAR(ink->left, 85, 1);  // the sheet's bottom strip, 8.47 mm
  EXPECT_NEAR(ink->top, 42, 1);   // the sheet's left strip, 4.23 mm
}

TEST_F(CupsJobsTest, TheLabelQueueGetsItsOwnSheetAndNoSourceItLacks) {
  PagePrinter& label = Named(u"Label");
  label.Print(u"label");
  const auto job = Print(label);
  EXPECT_EQ(job.queue, "Label");
  EXPECT_EQ(job.Attribute("media"), "na_index-4x6_4x6in");
  EXPECT_EQ(job.Attribute("print-color-mode"), "monochrome");
  EXPECT_EQ(job.attributes.count("media-source"), 0u);
  const auto facts = InspectPdf(job.file);
  EXPECT_NEAR(facts.sizes.at(0).widthPt, 4 * 72, 1);
  EXPECT_NEAR(facts.sizes.at(0).heightPt, 6 * 72, 1);
}

TEST_F(CupsJobsTest, MixedSheetsInOneJobKeepTheirPageSizes) {
  PagePrinter& office = Named(u"Office");
  office.Print(u"A4");
  office.NewPage();
  office.SetPaperSize(11);
  office.Print(u"A5");
  office.NewPage();
  office.SetPaperSize(9);
  office.SetOrientation(2);
  office.Print(u"A4 landscape");
  const auto job = Print(office);
  const auto facts = InspectPdf(job.file);
  ASSERT_EQ(facts.pages, 3);
  EXPECT_NEAR(facts.sizes[0].widthPt, 210 * kPtPerMm, 1.5);
  EXPECT_NEAR(facts.sizes[1].widthPt, 148 * kPtPerMm, 1.5);
  EXPECT_NEAR(facts.sizes[2].widthPt, 297 * kPtPerMm, 1.5);
  EXPECT_EQ(job.Attribute("media"), "iso_a4_210x297mm");
}

TEST_F(CupsJobsTest, AKilledDocumentSendsNoJobAndWritesNoFile) {
  const auto before = queues::JobIds("Office");
  PagePrinter& office = Named(u"Office");
  office.Print(u"abandoned");
  office.NewPage();
  office.Print(u"abandoned");
  office.KillDoc();
  office.EndDoc();
  EXPECT_EQ(queues::JobIds("Office"), before);
  EXPECT_FALSE(std::filesystem::exists(queues::QueueOutputFile("Office")));
  EXPECT_FALSE(office.LastDelivered());
}

TEST_F(CupsJobsTest, AStoppedQueueIsAFailureAndGetsNoJob) {
  PagePrinter& office = Named(u"Office");
  const auto before = queues::JobIds("Office");
  {
    queues::QueueStopped stopped("Office", "paper jam");
    office.Print(u"held");
    try {
      office.EndDoc();
      FAIL() << "a stopped queue was reported as printing";
    } catch (const Failure& failure) {
      EXPECT_EQ(ToUtf8(failure.Description()),
                "プリンター「Office」に印刷ジョブを送れません: プリンターが停止しています。 (paper jam)");
    }
  }
  EXPECT_FALSE(office.HasOpenDocument());
  EXPECT_FALSE(office.LastDelivered());
  EXPECT_EQ(queues::JobIds("Office"), before);
}

TEST_F(CupsJobsTest, ARejectingQueueIsAFailureWithTheServersMessage) {
  PagePrinter& office = Named(u"Office");
  const auto before = queues::JobIds("Office");
  {
    queues::QueueRejecting rejecting("Office");
    office.Print(u"refused");
    try {
      office.EndDoc();
      FAIL() << "a rejecting queue was reported as printing";
    } catch (const Failure& failure) {
      const std::string text = ToUtf8(failure.Description());
      EXPECT_EQ(text.rfind("プリンター「Office」に印刷ジョブを送れません: ", 0), 0u) << text;
      EXPECT_NE(text.find("not accepting jobs"), std::string::npos) << text;
    }
  }
  EXPECT_FALSE(office.HasOpenDocument());
  EXPECT_EQ(queues::JobIds("Office"), before);
  // Accepting again, the queue prints.
  office.Print(u"accepted");
  EXPECT_EQ(Print(office).state, "completed");
}

TEST_F(CupsJobsTest, DocumentsStillOpenAtTheEndAreEachOneJob) {
  Named(u"Office").Print(u"office");
  Named(u"Label").Print(u"label");
  list_->EndOpenDocuments();
  ASSERT_EQ(list_->Delivered().size(), 2u);
  EXPECT_EQ(list_->Delivered()[0].printer, u"Label");
  EXPECT_EQ(list_->Delivered()[1].printer, u"Office");
  for (const auto& delivered : list_->Delivered()) {
    ASSERT_TRUE(delivered.jobId);
    EXPECT_EQ(queues::WaitForJob(*delivered.jobId).state, "completed");
  }
}

}  // namespace
}  // namespace vant::printing
