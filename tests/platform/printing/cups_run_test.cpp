// Method lists run on the real printers: the run driver over the platform's Printer
// object, with the queues of the private print server and the PDF printer behind it. A
// queue that refuses the document stops the run with the server's message.
#include <gtest/gtest.h>

#include "cups_test_queues.h"
#include "job_media.h"
#include "draw/method_commands.h"
#include "engine/module_state.h"
#include "engine/page_record.h"
#include "engine/run_driver.h"
#include "kept_messages.h"
#include "pdf_inspect.h"
#include "platform/printing/printer_list.h"
#include "private_server_printers.h"
#include "scratch_dir.h"

namespace vant::printing {
namespace {

namespace queues = vant::test::cups;

using vant::test::HeldPointer;
using vant::test::KeptMessages;

class CupsRunTest : public testing::Test {
 protected:
  CupsRunTest() : list_(PrivateServerPrinters()), printer_(*list_), platform_{printer_, messages_, pointer_, state_} {
    queues::ClearQueueOutput("Office");
    queues::ClearQueueOutput("Label");
  }

  // Each method as its fields (field 0 the command).
  void Load(const std::vector<std::vector<Text>>& methods) {
    auto& state = state_.control;
    state.paramsLoaded = true;
    state.methodList.assign(methods.size() + 1, MethodRec{});
    for (size_t i = 0; i < methods.size(); ++i) {
      for (size_t f = 0; f < methods[i].size(); ++f) state.methodList[i + 1].field[f] = methods[i][f];
    }
    state.methodCount = static_cast<int16_t>(methods.size());
  }

  int16_t Run() { return RunMethods(platform_, printer_, 0, MethodCommands()); }

  std::unique_ptr<PrinterList> list_;
  PrinterObject printer_;
  KeptMessages messages_;
  HeldPointer pointer_;
  ModuleState state_;
  Platform platform_;
};

TEST_F(CupsRunTest, AListPrintsAsOneJobOnTheDefaultPrinter) {
  Load({
      {u"papersize", u"a3"},
      {u"orientation", u"横"},
      {u"paperbin", u"vbprbnlower"},
      {u"colormode", u"vbprcmmonochrome"},
      {u"scalemode", u"mm"},
      {u"prntext", u"20", u"30", u"請求書", u"ＭＳ 明朝", u"12", u"false", u"true", u"0"},
      {u"newpage"},
      {u"prnbox", u"10", u"10", u"50", u"40", u"1", u"0", u"0", u"0"},
      {u"enddoc"},
  });
  EXPECT_EQ(Run(), kRunCompleted);
  EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.front();
  ASSERT_EQ(list_->Delivered().size(), 1u);
  const auto& delivered = list_->Delivered()[0];
  EXPECT_EQ(delivered.printer, u"Office");
  EXPECT_EQ(delivered.pages, 2);
  const auto job = queues::WaitForJob(*delivered.jobId);
  EXPECT_EQ(queues::JobSheetName(job), "iso_a3_297x420mm");
  EXPECT_EQ(job.Attribute("orientation-requested"), "landscape");
  EXPECT_EQ(queues::MediaColMember(job, "media-source"), "bottom");
  EXPECT_EQ(job.Attribute("print-color-mode"), "monochrome");
  EXPECT_EQ(vant::test::InspectPdf(job.file).pages, 2);
  EXPECT_NE(vant::test::PdfPageText(job.file, 1).find("請求書"), std::string::npos);
}

TEST_F(CupsRunTest, ChangePrinterSendsTheRestToTheNamedQueue) {
  Load({
      {u"changeprinter", u"  Label "},
      {u"prntext", u"100", u"100", u"label text", u"ＭＳ ゴシック", u"10", u"false", u"false", u"0"},
      {u"enddoc"},
  });
  EXPECT_EQ(Run(), kRunCompleted);
  ASSERT_EQ(list_->Delivered().size(), 1u);
  EXPECT_EQ(list_->Delivered()[0].printer, u"Label");
  const auto job = queues::WaitForJob(*list_->Delivered()[0].jobId);
  EXPECT_EQ(job.queue, "Label");
}

TEST_F(CupsRunTest, ASettingTheQueueLacksStopsTheRunWithThePrintersText) {
  Load({
      {u"changeprinter", u"Label"},
      {u"prntext", u"100", u"100", u"x", u"ＭＳ ゴシック", u"10", u"false", u"false", u"0"},
      {u"papersize", u"a3"},
      {u"enddoc"},
  });
  const auto before = queues::JobIds("Label");
  EXPECT_EQ(Run(), kRunStopped);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0],
            "エラー|プリンター「Label」は用紙サイズ 8 (A3) に対応していません。\r\n3:papersize(a3)\r\n"
            "印刷を中断しました!");
  EXPECT_FALSE(list_->Page(0).HasOpenDocument());
  EXPECT_EQ(queues::JobIds("Label"), before);
}

TEST_F(CupsRunTest, ARejectingQueueStopsTheRunAndNothingIsReportedPrinted) {
  Load({
      {u"prntext", u"100", u"100", u"x", u"ＭＳ ゴシック", u"10", u"false", u"false", u"0"},
      {u"enddoc"},
  });
  const auto before = queues::JobIds("Office");
  {
    queues::QueueRejecting rejecting("Office");
    EXPECT_EQ(Run(), kRunStopped);
  }
  ASSERT_EQ(messages_.shown.size(), 1u);
  const std::string& shown = messages_.shown[0];
  EXPECT_EQ(shown.rfind("エラー|プリンター「Office」に印刷ジョブを送れません: ", 0), 0u) << shown;
  EXPECT_NE(shown.find("\r\n2:enddoc()\r\n印刷を中断しました!"), std::string::npos) << shown;
  EXPECT_TRUE(list_->Delivered().empty());
  EXPECT_EQ(queues::JobIds("Office"), before);
}

TEST_F(CupsRunTest, TheListOnThePdfPrinterWritesItsFile) {
  vant::test::ScratchDir dir;
  list_->PdfOutput().SetPath(dir / "invoice.pdf");
  Load({
      {u"changeprinter", u"Vant3 PDF"},
      {u"prntext", u"100", u"100", u"one", u"ＭＳ 明朝", u"10", u"false", u"false", u"0"},
      {u"enddoc"},
      {u"prntext", u"100", u"100", u"two", u"ＭＳ 明朝", u"10", u"false", u"false", u"0"},
      {u"enddoc"},
      {u"prntext", u"100", u"100", u"left open", u"ＭＳ 明朝", u"10", u"false", u"false", u"0"},
  });
  EXPECT_EQ(Run(), kRunCompleted);
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"invoice-2.pdf", "invoice.pdf"}));
  // The document the list left open is ended as the program ends.
  list_->EndOpenDocuments();
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"invoice-2.pdf", "invoice-3.pdf", "invoice.pdf"}));
  EXPECT_NE(vant::test::PdfPageText(dir / "invoice-3.pdf", 1).find("left open"), std::string::npos);
}

}  // namespace
}  // namespace vant::printing
