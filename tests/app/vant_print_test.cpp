// `vant print` and `vant printers` on the private print server (queues "Office", the
// default, "Label" and "Office-Filtered"): the job with the list's settings, --printer, the
// list's own printer change undone after the run, a stop never sending anything, a paused
// queue keeping the job, a rejecting one never reported as printed, and a document whose
// pages differ sent as several jobs and told as one.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <regex>
#include <thread>

#include "cups_test_queues.h"
#include "job_media.h"
#include "host_pages.h"
#include "pdf_inspect.h"
#include "server_proxy.h"
#include "vant_process.h"
#include "contains.h"

namespace vant::test {
namespace {

namespace queues = vant::test::cups;

const std::string kText = "prntext,20,30,請求書,ＭＳ 明朝,12,false,true,0";

class VantPrintTest : public testing::Test {
 protected:
  VantPrintTest() {
    queues::RequirePrivateServer();
    queues::ClearQueueOutput("Office");
    queues::ClearQueueOutput("Label");
  }

  std::string WritePage(const std::vector<std::string>& methods) {
    WriteFile(pages_ / "invoice.html", HostPage(MethodParams(methods)));
    return (pages_ / "invoice.html").string();
  }

  // On the private print server, or through a server socket of the test's own in front of it.
  VantResult Run(const std::vector<std::string>& args, const std::optional<std::string>& serverSocket = {}) {
    VantOptions options;
    options.workDir = work_.Path();
    options.privatePrintServer = true;
    if (serverSocket) options.env["CUPS_SERVER"] = *serverSocket;
    return RunVant(args, options);
  }

  // The job ids that standard output names, with the queue and page count of each.
  struct SentJob {
    std::string queue;
    int id = 0;
    int pages = 0;
  };
  static std::vector<SentJob> SentJobs(const std::string& out) {
    static const std::regex line("プリンター「([^」]+)」にジョブ ([0-9]+) \\(([0-9]+) ページ\\) を送りました。[^\n]*\n");
    std::vector<SentJob> jobs;
    for (auto it = std::sregex_iterator(out.begin(), out.end(), line); it != std::sregex_iterator(); ++it) {
      jobs.push_back({(*it)[1].str(), std::stoi((*it)[2].str()), std::stoi((*it)[3].str())});
    }
    return jobs;
  }

  TempDir pages_;
  TempDir work_;
};

TEST_F(VantPrintTest, TheListPrintsAsOneJobWithItsSettingsOnTheDefaultQueue) {
  const VantResult r = Run({"print", WritePage({"papersize,a3", "orientation,横", "paperbin,vbprbnlower",
                                                "colormode,vbprcmmonochrome", "printquality,4", "scalemode,mm", kText,
                                                "newpage", "prnbox,10,10,50,40,1,0,0", "enddoc"})});
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.err.find("[critical]"), std::string::npos) << r.err;
  const auto sent = SentJobs(r.out);
  ASSERT_EQ(sent.size(), 1u) << r.out;
  EXPECT_EQ(sent[0].queue, "Office");
  EXPECT_EQ(sent[0].pages, 2);

  const auto job = queues::WaitForJob(sent[0].id);
  EXPECT_EQ(job.queue, "Office");
  EXPECT_EQ(job.state, "completed");
  EXPECT_EQ(queues::JobSheetName(job), "iso_a3_297x420mm");
  EXPECT_EQ(job.Attribute("orientation-requested"), "landscape");
  EXPECT_EQ(queues::MediaColMember(job, "media-source"), "bottom");
  EXPECT_EQ(job.Attribute("print-color-mode"), "monochrome");
  EXPECT_EQ(job.Attribute("print-quality"), "high");
  // The pages print at their own size, not fitted to the sheet.
  EXPECT_EQ(job.Attribute("print-scaling"), "none");
  // The job carries the page's name.
  EXPECT_EQ(job.Attribute("job-name"), "invoice");
  const PdfFacts facts = InspectPdf(job.file);
  EXPECT_EQ(facts.pages, 2);
  EXPECT_TRUE(Contains(PdfPageText(job.file, 1), "請求書"));
  // Nothing is written beside the command.
  EXPECT_TRUE(work_.Names().empty());
}

TEST_F(VantPrintTest, CopiesAndTitleReachTheJob) {
  struct Row {
    int line;
    std::vector<std::string> options;
    std::string copies;   // the job's copies attribute; "" when none is asked for
    std::string jobName;
  };
  const Row rows[] = {
      {__LINE__, {"--copies", "3", "--title", "月次請求 12月"}, "3", "月次請求 12月"},
      {__LINE__, {"--copies=2"}, "2", "invoice"},
      {__LINE__, {}, "", "invoice"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    std::vector<std::string> args{"print", WritePage({kText, "enddoc"})};
    args.insert(args.end(), row.options.begin(), row.options.end());
    const VantResult r = Run(args);
    ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
    const auto sent = SentJobs(r.out);
    ASSERT_EQ(sent.size(), 1u) << r.out;
    const auto job = queues::WaitForJob(sent[0].id);
    EXPECT_EQ(job.Attribute("job-name"), row.jobName);
    if (row.copies.empty()) {
      EXPECT_TRUE(job.attributes.count("copies") == 0 || job.Attribute("copies") == "1") << job.Attribute("copies");
    } else {
      EXPECT_EQ(job.Attribute("copies"), row.copies);
    }
  }
}

TEST_F(VantPrintTest, ThePortraitDefaultsOfTheQueue) {
  const VantResult r = Run({"print", WritePage({"papersize,b5", "paperbin,prbnmanual", "colormode,2", kText, "enddoc"})});
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  const auto sent = SentJobs(r.out);
  ASSERT_EQ(sent.size(), 1u) << r.out;
  const auto job = queues::WaitForJob(sent[0].id);
  EXPECT_EQ(queues::JobSheetName(job), "jis_b5_182x257mm");
  EXPECT_EQ(job.Attribute("orientation-requested"), "portrait");
  EXPECT_EQ(queues::MediaColMember(job, "media-source"), "manual");
  EXPECT_EQ(job.Attribute("print-color-mode"), "color");
  EXPECT_EQ(InspectPdf(job.file).pages, 1);
}

TEST_F(VantPrintTest, ThePrinterOptionSendsTheJobToThatQueue) {
  const auto officeBefore = queues::JobIds("Office");
  const VantResult r = Run({"print", WritePage({"papersize,a5", kText, "enddoc"}), "--printer", "Label"});
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  const auto sent = SentJobs(r.out);
  ASSERT_EQ(sent.size(), 1u) << r.out;
  EXPECT_EQ(sent[0].queue, "Label");
  const auto job = queues::WaitForJob(sent[0].id);
  EXPECT_EQ(job.queue, "Label");
  EXPECT_EQ(queues::JobSheetName(job), "iso_a5_148x210mm");
  EXPECT_EQ(queues::JobIds("Office"), officeBefore);
}

TEST_F(VantPrintTest, ThePdfPrinterCanBeChosenByName) {
  const VantResult r = Run({"print", WritePage({kText, "enddoc"}), "--printer", "Vant3 PDF"});
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, "「" + (work_ / "invoice.pdf").string() + "」に 1 ページを書き込みました。\n");
  EXPECT_EQ(InspectPdf(work_ / "invoice.pdf").pages, 1);
}

TEST_F(VantPrintTest, TheListsPrinterChangeSendsItsJobThereAndChangesNothingAfterwards) {
  const auto officeBefore = queues::JobIds("Office");
  const VantResult r =
      Run({"print", WritePage({"changeprinter,  Label ", "papersize,a5", kText, "enddoc"})});
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  const auto sent = SentJobs(r.out);
  ASSERT_EQ(sent.size(), 1u) << r.out;
  EXPECT_EQ(sent[0].queue, "Label");
  EXPECT_EQ(queues::WaitForJob(sent[0].id).queue, "Label");
  EXPECT_EQ(queues::JobIds("Office"), officeBefore);

  // The selection was put back and nothing of it kept: Office is current again.
  const VantResult list = Run({"printers"});
  ASSERT_TRUE(list.exited && list.status == 0) << list.Describe();
  EXPECT_EQ(list.out, "  Label (ユーザー定義のサイズ、101.6 x 152.4 mm)\n    ← Label test printer (説明)\n* Office\n"
                   "    ← Office test printer (説明)\n  Office-Filtered\n    ← Office test printer behind pdftopdf (説明)\n"
                   "  Vant3 PDF\n");
}

TEST_F(VantPrintTest, PdfFollowsTheListsPrinterChangeUnderEitherName) {
  // `vant pdf` asks the print server for its printers when the list chooses one, whichever
  // name the command is written with: the document goes to Office, as the list says, and no
  // file is written.
  for (const std::string command : {"changeprinter", "changeprinterdriver", "ChangePrinterDriver"}) {
    SCOPED_TRACE(command);
    const auto officeBefore = queues::JobIds("Office");
    const VantResult r = Run({"pdf", WritePage({command + ",Office", kText, "enddoc"})});
    ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
    const auto sent = SentJobs(r.out);
    ASSERT_EQ(sent.size(), 1u) << r.out;
    EXPECT_EQ(sent[0].queue, "Office");
    EXPECT_EQ(queues::WaitForJob(sent[0].id).queue, "Office");
    EXPECT_EQ(queues::JobIds("Office").size(), officeBefore.size() + 1);
    EXPECT_TRUE(work_.Names().empty()) << testing::PrintToString(work_.Names());
  }
}

TEST_F(VantPrintTest, EachPrinterKeepsItsOwnDocument) {
  // Office's document stays open while the list goes on on Label; it is sent as the
  // command ends, after Label's.
  const VantResult r = Run({"print", WritePage({kText, "changeprinter,Label", "papersize,a5",
                                                "prntext,10,10,label,ＭＳ ゴシック,10,false,false,0", "enddoc"})});
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  const auto sent = SentJobs(r.out);
  ASSERT_EQ(sent.size(), 2u) << r.out;
  EXPECT_EQ(sent[0].queue, "Label");
  EXPECT_EQ(sent[1].queue, "Office");
  const auto label = queues::WaitForJob(sent[0].id);
  const auto office = queues::WaitForJob(sent[1].id);
  EXPECT_TRUE(Contains(PdfPageText(label.file, 1), "label"));
  EXPECT_TRUE(Contains(PdfPageText(office.file, 1), "請求書"));
  EXPECT_FALSE(Contains(PdfPageText(office.file, 1), "label"));
}

TEST_F(VantPrintTest, ThePrintersInTheServersOrderThenThePdfPrinter) {
  const VantResult r = Run({"printers"});
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, "  Label (ユーザー定義のサイズ、101.6 x 152.4 mm)\n    ← Label test printer (説明)\n* Office\n"
                   "    ← Office test printer (説明)\n  Office-Filtered\n    ← Office test printer behind pdftopdf (説明)\n"
                   "  Vant3 PDF\n");
  EXPECT_EQ(r.err.find("vant:"), std::string::npos) << r.err;
}

TEST_F(VantPrintTest, ADocumentLeftOpenIsSentWhenTheCommandEnds) {
  const VantResult r = Run({"print", WritePage({kText, "newpage", kText})});
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  const auto sent = SentJobs(r.out);
  ASSERT_EQ(sent.size(), 1u) << r.out;
  EXPECT_EQ(sent[0].pages, 2);
  EXPECT_EQ(InspectPdf(queues::WaitForJob(sent[0].id).file).pages, 2);
}

TEST_F(VantPrintTest, AStoppedRunSendsNoJob) {
  const auto before = queues::JobIds("Office");
  const VantResult r = Run({"print", WritePage({kText, "prnbux,1,2", kText, "enddoc"})});
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_EQ(r.err, "[critical] エラー\n\"prnbux\"\nMethod指定が不正です!\n2:prnbux(1,2)\n印刷を中断しました!\n\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(queues::JobIds("Office"), before);
  EXPECT_TRUE(work_.Names().empty());
}

TEST_F(VantPrintTest, ASettingTheQueueLacksStopsTheRunWithoutAJob) {
  const auto before = queues::JobIds("Label");
  const VantResult r = Run({"print", WritePage({kText, "papersize,a3", "enddoc"}), "--printer", "Label"});
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_TRUE(Contains(r.err, "[critical] エラー\nプリンター「Label」は用紙サイズ 8 (A3) に対応していません。\n"
                              "2:papersize(a3)\n印刷を中断しました!\n\n"))
      << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(queues::JobIds("Label"), before);
}

TEST_F(VantPrintTest, AStopAfterAPrinterChangeSendsNothingToEitherPrinter) {
  struct Row {
    int line;
    std::vector<std::string> args;  // before the page
    std::string first, second;       // the printers the list draws on
  };
  const Row rows[] = {
      {__LINE__, {"print"}, "Office", "Label"},
      {__LINE__, {"pdf"}, "Vant3 PDF", "Office"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    const auto officeBefore = queues::JobIds("Office");
    const auto labelBefore = queues::JobIds("Label");
    std::vector<std::string> args = row.args;
    args.push_back(WritePage({kText, "newpage", kText, "changeprinter," + row.second, "papersize,a5", kText,
                              "prnbux"}));
    const VantResult r = Run(args);
    EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
    EXPECT_TRUE(Contains(r.err, "7:prnbux()\n印刷を中断しました!\n\n")) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(queues::JobIds("Office"), officeBefore);
    EXPECT_EQ(queues::JobIds("Label"), labelBefore);
    EXPECT_TRUE(work_.Names().empty());
  }
}

TEST_F(VantPrintTest, APausedQueueTakesTheJobAndSaysThatItWaits) {
  const std::string page = WritePage({kText, "enddoc"});
  const auto before = queues::JobIds("Office");
  VantResult r;
  {
    queues::QueueStopped stopped("Office", "paper jam");
    r = Run({"print", page});
    EXPECT_EQ(queues::JobIds("Office").size(), before.size() + 1);
  }
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.err.find("[critical]"), std::string::npos) << r.err;
  const auto sent = SentJobs(r.out);
  ASSERT_EQ(sent.size(), 1u) << r.out;
  EXPECT_EQ(r.out, "プリンター「Office」にジョブ " + std::to_string(sent[0].id) +
                       " (1 ページ) を送りました。プリンターが停止しているため、再開されるまで印刷されません。\n");
  // Resumed, the queue prints it.
  const auto job = queues::WaitForJob(sent[0].id);
  EXPECT_EQ(job.state, "completed");
  EXPECT_TRUE(Contains(PdfPageText(job.file, 1), "請求書"));
}

TEST_F(VantPrintTest, ARejectingQueueIsAFailureSaidInJapaneseNeverReportedAsPrinted) {
  const auto before = queues::JobIds("Label");
  VantResult r;
  {
    queues::QueueRejecting rejecting("Label");
    r = Run({"print", WritePage({"papersize,a5", kText, "enddoc"}), "--printer", "Label"});
  }
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_EQ(r.err, "[critical] エラー\nプリンター「Label」に印刷ジョブを送れません: プリンターが印刷ジョブを受け付けていません。\n"
                   "3:enddoc()\n印刷を中断しました!\n\n");
  EXPECT_FALSE(Contains(r.out, "送りました")) << r.out;
  EXPECT_EQ(queues::JobIds("Label"), before);
}

TEST_F(VantPrintTest, AQueueThatRejectsADocumentLeftOpenFailsAtTheEnd) {
  // Without enddoc the document is sent as the command ends: a refusal then is still a
  // stop message and exit status 1.
  const auto before = queues::JobIds("Office");
  VantResult r;
  {
    queues::QueueRejecting rejecting("Office");
    r = Run({"print", WritePage({kText})});
  }
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_TRUE(Contains(r.err, "[critical] エラー\nプリンター「Office」に印刷ジョブを送れません: プリンターが印刷ジョブを受け付けていません。"))
      << r.err;
  EXPECT_FALSE(Contains(r.out, "送りました")) << r.out;
  EXPECT_EQ(queues::JobIds("Office"), before);
}

TEST_F(VantPrintTest, ADocumentWhosePagesDifferGoesAsOneJobPerRunOfEqualPagesOnOneLine) {
  queues::ClearQueueOutput("Office-Filtered");
  const VantResult r = Run({"print", WritePage({"orientation,2", kText, "newpage", "orientation,1", kText, "newpage",
                                                kText, "enddoc"}),
                            "--printer", "Office-Filtered"});
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  static const std::regex line("プリンター「Office-Filtered」にジョブ ([0-9]+)、([0-9]+) \\(3 ページ\\) を送りました。\n");
  std::smatch jobs;
  ASSERT_TRUE(std::regex_match(r.out, jobs, line)) << r.out;
  const auto landscape = queues::WaitForJob(std::stoi(jobs[1].str()));
  const auto portrait = queues::WaitForJob(std::stoi(jobs[2].str()));
  EXPECT_EQ(landscape.Attribute("orientation-requested"), "landscape");
  EXPECT_EQ(InspectPdf(landscape.file).pages, 1);
  EXPECT_EQ(portrait.Attribute("orientation-requested"), "portrait");
  EXPECT_EQ(InspectPdf(portrait.file).pages, 2);
  EXPECT_EQ(portrait.Attribute("job-name"), "invoice");
}

// A document of about 2 MiB: many pages of text that compresses poorly.
std::vector<std::string> LargeDocument() {
  std::vector<std::string> methods;
  unsigned int state = 12345;
  for (int page = 0; page < 200; ++page) {
    for (int mark = 0; mark < 100; ++mark) {
      std::string digits;
      for (int i = 0; i < 24; ++i) {
        state = state * 1103515245u + 12345u;
        digits += static_cast<char>('0' + (state >> 16) % 10);
      }
      methods.push_back("prntext," + std::to_string(10 + mark % 4 * 45) + "," + std::to_string(10 + mark / 4 * 11) +
                        "," + digits + ",ＭＳ 明朝,9,false,false,0");
    }
    methods.push_back("newpage");
  }
  methods.push_back("enddoc");
  return methods;
}

TEST_F(VantPrintTest, AServerLostWhileTheDocumentIsSentStopsTheRunWithTheReasonOfWhatFailed) {
  struct Row {
    int line;
    queues::ServerProxy::Past past;
    std::string reason;
  };
  const Row rows[] = {
      {__LINE__, queues::ServerProxy::Past::kCut, "接続が途中で切れました"},
      {__LINE__, queues::ServerProxy::Past::kStall, "印刷サーバーが 8 秒以内に応答しません"},
  };
  const std::string page = WritePage(LargeDocument());
  const char* server = std::getenv("CUPS_SERVER");
  ASSERT_NE(server, nullptr) << "run this test through ctest";
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    const auto before = queues::JobIds("Office");
    queues::ClearQueueOutput("Office");
    VantResult r;
    {
      // Past the queries and the job's creation, inside the document.
      const queues::ServerProxy proxy(pages_ / "proxy.sock", server, 256 * 1024, row.past);
      r = Run({"print", page}, proxy.Socket().string());
      EXPECT_TRUE(proxy.Tripped());
    }  // the server sees the connection end: the job it began is not printed
    EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
    EXPECT_TRUE(Contains(r.err, "[critical] エラー\nプリンター「Office」に印刷ジョブを送れません: " + row.reason)) << r.err;
    for (const char* stale : {"Success", "Invalid argument", "Bad file descriptor"}) {
      EXPECT_FALSE(Contains(r.err, stale)) << r.err;
    }
    EXPECT_FALSE(Contains(r.out, "送りました")) << r.out;
    EXPECT_TRUE(work_.Names().empty());
    for (const int id : queues::JobIds("Office")) {
      if (std::find(before.begin(), before.end(), id) != before.end()) continue;
      if (row.past == queues::ServerProxy::Past::kCut) {
        // The server that closed the connection is asked again to cancel the job.
        EXPECT_EQ(queues::WaitForJob(id).state, "canceled") << "job " << id;
      } else {
        // A server that does not answer cannot be asked: its job waits for a document. Given
        // time to take the connection's end, the server has printed none of what came of it.
        std::this_thread::sleep_for(std::chrono::seconds(1));
        queues::RunTool("cancel " + std::to_string(id));
        EXPECT_EQ(queues::WaitForJob(id).state, "canceled") << "job " << id;
      }
    }
    // Nothing of the document was printed: the part that came is no whole document.
    EXPECT_FALSE(std::filesystem::exists(queues::QueueOutputFile("Office")));
  }
}

}  // namespace
}  // namespace vant::test
