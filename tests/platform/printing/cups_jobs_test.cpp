// Jobs on the private print server (tests/cups): each ended document is one job per run of
// pages with equal settings, with those settings and scaling off, and the queue receives
// the PDF as painted, content placed at the printable area, also behind the normal filter
// chain; a killed document sends nothing; a paused queue takes the job and says it waits;
// a rejecting queue is a failure that names the printer and says why in Japanese.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/failure.h"
#include "cups_test_queues.h"
#include "job_media.h"
#include "engine/setting_values.h"
#include "pdf_inspect.h"
#include "platform/printing/printer_list.h"
#include "printing_fixtures.h"
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
    queues::ClearQueueOutput("Office-Filtered");
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

  // Ends the document and waits for each of its jobs, in order.
  std::vector<queues::FinishedJob> PrintJobs(PagePrinter& printer) {
    printer.EndDoc();
    const auto& delivered = printer.LastDelivered();
    if (!delivered || !delivered->jobId) throw std::runtime_error("no job was reported");
    std::vector<queues::FinishedJob> jobs{queues::WaitForJob(*delivered->jobId)};
    for (const int later : delivered->laterJobIds) jobs.push_back(queues::WaitForJob(later));
    return jobs;
  }

  std::unique_ptr<PrinterList> list_;
};

TEST_F(CupsJobsTest, AJobCarriesTheSettingsOfItsFirstPageAndScalingOff) {
  PagePrinter& office = Named(u"Office");
  office.Set(PrinterSetting::kPaperSize, 8);
  office.Set(PrinterSetting::kOrientation, kOrientationLandscape.code);
  office.Set(PrinterSetting::kPaperBin, kBinUpper.code);
  office.Set(PrinterSetting::kColorMode, kColourMonochrome.code);
  office.Set(PrinterSetting::kPrintQuality, kQualityHigh.code);
  office.SetDocumentTitle(u"請求書");
  office.Print(u"first page");
  office.NewPage();
  office.Print(u"second page");
  const auto job = Print(office);

  EXPECT_EQ(job.state, "completed");
  EXPECT_EQ(job.queue, "Office");
  EXPECT_EQ(job.Attribute("job-name"), "請求書");
  EXPECT_EQ(queues::JobSheetName(job), "iso_a3_297x420mm");
  EXPECT_EQ(job.Attribute("orientation-requested"), "landscape");
  EXPECT_EQ(queues::MediaColMember(job, "media-source"), "top");
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
  EXPECT_EQ(queues::JobSheetName(job), "iso_a4_210x297mm");
  EXPECT_EQ(job.Attribute("orientation-requested"), "portrait");
  EXPECT_EQ(queues::MediaColMember(job, "media-source"), "auto");
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
  office.Set(PrinterSetting::kOrientation, kOrientationLandscape.code);
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
  EXPECT_EQ(queues::JobSheetName(job), "na_index-4x6_4x6in");
  EXPECT_EQ(job.Attribute("print-color-mode"), "monochrome");
  EXPECT_EQ(queues::MediaColMember(job, "media-source"), std::nullopt);
  const auto facts = InspectPdf(job.file);
  EXPECT_NEAR(facts.sizes.at(0).widthPt, 4 * 72, 1);
  EXPECT_NEAR(facts.sizes.at(0).heightPt, 6 * 72, 1);
}

TEST_F(CupsJobsTest, MixedSheetsGoAsOneJobPerRunOfEqualSheetsAndKeepTheirPageSizes) {
  // On the queue that keeps each job's file: the jobs print one right after the other.
  PagePrinter& office = Named(u"Office-Filtered");
  office.Print(u"A4");
  office.NewPage();
  office.Set(PrinterSetting::kPaperSize, 11);
  office.Print(u"A5");
  office.NewPage();
  office.Print(u"A5 again");
  office.NewPage();
  office.Set(PrinterSetting::kPaperSize, 9);
  office.Set(PrinterSetting::kOrientation, kOrientationLandscape.code);
  office.Print(u"A4 landscape");
  const auto jobs = PrintJobs(office);
  ASSERT_EQ(jobs.size(), 3u);
  EXPECT_LT(jobs[0].id, jobs[1].id);
  EXPECT_LT(jobs[1].id, jobs[2].id);
  const char* const media[] = {"iso_a4_210x297mm", "iso_a5_148x210mm", "iso_a4_210x297mm"};
  const int pages[] = {1, 2, 1};
  const double widthsMm[] = {210, 148, 297};
  for (size_t j = 0; j < jobs.size(); ++j) {
    EXPECT_EQ(queues::JobSheetName(jobs[j]), media[j]) << j;
    const auto facts = InspectPdf(jobs[j].file);
    ASSERT_EQ(facts.pages, pages[j]) << j;
    EXPECT_NEAR(facts.sizes[0].widthPt, widthsMm[j] * kPtPerMm, 1.5) << j;
  }
  EXPECT_EQ(jobs[2].Attribute("orientation-requested"), "landscape");
  EXPECT_NE(PdfPageText(jobs[1].file, 2).find("A5 again"), std::string::npos);
  EXPECT_EQ(office.LastDelivered()->pages, 4);
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

TEST_F(CupsJobsTest, APausedQueueTakesTheJobWhichWaitsUntilItIsResumed) {
  PagePrinter& office = Named(u"Office");
  const auto before = queues::JobIds("Office");
  {
    queues::QueueStopped stopped("Office", "paper jam");
    office.Print(u"held");
    office.EndDoc();
    ASSERT_TRUE(office.LastDelivered() && office.LastDelivered()->jobId);
    EXPECT_EQ(queues::JobIds("Office").size(), before.size() + 1);
    EXPECT_EQ(ToUtf8(office.LastDelivered()->Description()),
              "プリンター「Office」にジョブ " + std::to_string(*office.LastDelivered()->jobId) +
                  " (1 ページ) を送りました。プリンターが停止しているため、再開されるまで印刷されません。");
  }
  const auto job = queues::WaitForJob(*office.LastDelivered()->jobId);
  EXPECT_EQ(job.state, "completed");
  EXPECT_NE(PdfPageText(job.file, 1).find("held"), std::string::npos);
}

TEST_F(CupsJobsTest, ARejectingQueueIsAFailureSaidInJapanese) {
  PagePrinter& office = Named(u"Office");
  const auto before = queues::JobIds("Office");
  {
    queues::QueueRejecting rejecting("Office");
    office.Print(u"refused");
    EXPECT_EQ(test::RefusalText([&] { office.EndDoc(); }),
              "プリンター「Office」に印刷ジョブを送れません: プリンターが印刷ジョブを受け付けていません。");
  }
  EXPECT_FALSE(office.HasOpenDocument());
  EXPECT_FALSE(office.LastDelivered());
  EXPECT_EQ(queues::JobIds("Office"), before);
  // Accepting again, the queue prints.
  office.Print(u"accepted");
  EXPECT_EQ(Print(office).state, "completed");
}

TEST_F(CupsJobsTest, TheAutomaticSourceIsTakenByEveryQueue) {
  struct Row {
    int line;
    const char16_t* queue;
    int16_t bin;
    const char* refusal;      // nullptr: printed
    const char* mediaSource;  // nullptr: none sent
  };
  const Row rows[] = {
      {__LINE__, u"Label", kBinAuto.code, nullptr, nullptr},  // no source at all: the printer chooses
      {__LINE__, u"Office", kBinAuto.code, nullptr, "auto"},
      {__LINE__, u"Label", kBinUpper.code, "プリンター「Label」は給紙方法 1 (上段トレイ) に対応していません。", nullptr},
      {__LINE__, u"Office", kBinCassette.code, "プリンター「Office」は給紙方法 14 (カセット) に対応していません。", nullptr},
  };
  for (const Row& row : rows) {
    PagePrinter& printer = Named(row.queue);
    const std::string refusal = test::RefusalText([&] { printer.Set(PrinterSetting::kPaperBin, row.bin); });
    if (row.refusal != nullptr) {
      EXPECT_EQ(refusal, row.refusal) << "row at line " << row.line;
      continue;
    }
    ASSERT_EQ(refusal, "accepted") << "row at line " << row.line;
    EXPECT_EQ(printer.Get(PrinterSetting::kPaperBin), row.bin) << "row at line " << row.line;
    printer.Print(u"bin");
    const auto job = Print(printer);
    EXPECT_EQ(job.state, "completed") << "row at line " << row.line;
    if (row.mediaSource == nullptr) {
      EXPECT_EQ(queues::MediaColMember(job, "media-source"), std::nullopt) << "row at line " << row.line;
    } else {
      EXPECT_EQ(queues::MediaColMember(job, "media-source"), row.mediaSource) << "row at line " << row.line;
    }
  }
}

// Behind pdftopdf, which applies a job's sheet and orientation to all its pages, every
// page still comes out as its methods set it.
TEST_F(CupsJobsTest, BehindTheFilterChainEachPageKeepsItsOwnSettings) {
  struct PageSettings {
    int16_t paper;
    int16_t orientation;
    int16_t bin;
    int16_t quality;
  };
  struct Expected {
    const char* media;
    const char* orientation;
    const char* source;
    const char* quality;
    double widthPt, heightPt;  // the sheet the device received, as turned for viewing
  };
  struct Row {
    int line;
    PageSettings first, second;
    Expected firstJob, secondJob;
  };
  const Expected a4{"iso_a4_210x297mm", "portrait", "auto", "normal", 595.3, 841.9};
  const Row rows[] = {
      {__LINE__, {9, kLandscape, kBinAuto.code, kQualityMedium.code}, {9, kPortrait, kBinAuto.code, kQualityMedium.code},
       {"iso_a4_210x297mm", "landscape", "auto", "normal", 595.3, 841.9}, a4},
      {__LINE__, {8, kPortrait, kBinAuto.code, kQualityMedium.code}, {9, kPortrait, kBinAuto.code, kQualityMedium.code},
       {"iso_a3_297x420mm", "portrait", "auto", "normal", 841.9, 1190.6}, a4},
      {__LINE__, {9, kPortrait, kBinAuto.code, kQualityMedium.code}, {9, kPortrait, kBinManual.code, kQualityMedium.code}, a4,
       {"iso_a4_210x297mm", "portrait", "manual", "normal", 595.3, 841.9}},
      {__LINE__, {9, kPortrait, kBinAuto.code, kQualityMedium.code}, {9, kPortrait, kBinAuto.code, kQualityDraft.code}, a4,
       {"iso_a4_210x297mm", "portrait", "auto", "draft", 595.3, 841.9}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    PagePrinter& printer = Named(u"Office-Filtered");
    const auto set = [&](const PageSettings& page) {
      printer.Set(PrinterSetting::kPaperSize, page.paper);
      printer.Set(PrinterSetting::kOrientation, page.orientation);
      printer.Set(PrinterSetting::kPaperBin, page.bin);
      printer.Set(PrinterSetting::kPrintQuality, page.quality);
      printer.SetScaleMode(kScaleMillimeters);
      printer.Line(0, 0, 10, 10, 0, LineKind::kFilledBox);
    };
    set(row.first);
    printer.NewPage();
    set(row.second);
    const auto jobs = PrintJobs(printer);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(printer.LastDelivered()->pages, 2);
    EXPECT_EQ(ToUtf8(printer.LastDelivered()->Description()),
              "プリンター「Office-Filtered」にジョブ " + std::to_string(jobs[0].id) + "、" +
                  std::to_string(jobs[1].id) + " (2 ページ) を送りました。");
    for (size_t j = 0; j < jobs.size(); ++j) {
      const auto& job = jobs[j];
      const Expected& want = j == 0 ? row.firstJob : row.secondJob;
      SCOPED_TRACE("job " + std::to_string(j + 1));
      ASSERT_EQ(job.state, "completed");
      EXPECT_EQ(queues::JobSheetName(job), want.media);
      EXPECT_EQ(job.Attribute("orientation-requested"), want.orientation);
      EXPECT_EQ(queues::MediaColMember(job, "media-source"), want.source);
      EXPECT_EQ(job.Attribute("print-quality"), want.quality);
      EXPECT_EQ(job.Attribute("job-name"), "Vant3");
      // What the device received: one page on the page's own sheet, the box in the
      // printable area's corner as the page is turned (10 pixels a millimetre).
      const auto ink = PdfInk(job.file, 1, 254);
      ASSERT_TRUE(ink);
      EXPECT_NEAR(ink->imageWidth, want.widthPt / 72 * 254, 2);
      EXPECT_NEAR(ink->imageHeight, want.heightPt / 72 * 254, 2);
      const PageSettings& page = j == 0 ? row.first : row.second;
      if (page.orientation == kPortrait) {
        // The sheet's strips are 4.23 mm left and 6.35 mm top.
        EXPECT_NEAR(ink->left, 42, 2);
        EXPECT_NEAR(ink->top, 64, 2);
        EXPECT_NEAR(ink->right, 142, 2);
      } else {
        // A landscape page is the sheet turned a quarter turn counter-clockwise: its top
        // left corner is the sheet's bottom left, inside the left (4.23 mm) and bottom
        // (8.47 mm) strips.
        EXPECT_NEAR(ink->left, 42, 2);
        EXPECT_NEAR(ink->bottom, ink->imageHeight - 85, 2);
        EXPECT_NEAR(ink->top, ink->imageHeight - 185, 2);
      }
      EXPECT_EQ(InspectPdf(job.file).pages, 1);
    }
  }
}

TEST_F(CupsJobsTest, PagesWithEqualSettingsBehindTheFilterChainStayOneJob) {
  PagePrinter& printer = Named(u"Office-Filtered");
  printer.Set(PrinterSetting::kPaperSize, 8);
  printer.Print(u"one");
  printer.NewPage();
  printer.Print(u"two");
  const auto jobs = PrintJobs(printer);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(queues::JobSheetName(jobs[0]), "iso_a3_297x420mm");
  const auto facts = InspectPdf(jobs[0].file);
  ASSERT_EQ(facts.pages, 2);
  EXPECT_NE(PdfPageText(jobs[0].file, 2).find("two"), std::string::npos);
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
