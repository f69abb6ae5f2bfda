// The native host printing on the private print server ("Office" the default, "Label"): a
// click sends the job `vant print` sends for the same page, and a list that changes printer
// leaves the default current for the next click.
#include <gtest/gtest.h>

#include <QJsonArray>

#include <algorithm>

#include "cups_test_queues.h"
#include "host_channel.h"
#include "contains.h"
#include "host_pages.h"
#include "private_system_log.h"
#include "session_bus.h"
#include "examples_dir.h"

namespace vant::test {
namespace {

namespace queues = vant::test::cups;


class VantHostCupsTest : public testing::Test {
 protected:
  VantHostCupsTest() {
    queues::RequirePrivateServer();
    queues::ClearQueueOutput("Office");
    queues::ClearQueueOutput("Label");
  }
  HostRun Run(const std::string& input) {
    VantOptions options;
    options.workDir = dir_.Path();
    options.privatePrintServer = true;
    options.env = DownloadEnv(dir_);
    return RunHost(input, options);
  }
  static QJsonObject Print(int id) { return {{"kind", "print"}, {"id", id}, {"key", 0}}; }

  TempDir dir_;
};

TEST_F(VantHostCupsTest, ClickSendsTheJobVantPrintSends) {
  const auto page = PageObjectsOfFile(kExamples / "invoice.html");
  const HostRun run = Run(Framed(SnapshotRequest(1, page, "https://sales.example/invoice.html")) + Framed(Print(2)));
  ASSERT_EQ(run.answers.size(), 2u) << run.result.Describe();
  EXPECT_TRUE(run.stray.empty());
  const QJsonObject outcome = run.answers[1]["outcome"].toObject();
  ASSERT_EQ(outcome["printed"].toArray().size(), 1) << run.result.Describe();
  EXPECT_EQ(outcome["printed"][0]["printer"].toString(), "Office");
  EXPECT_EQ(outcome["printed"][0]["pages"].toInt(), 2);
  const queues::FinishedJob hosted = queues::WaitForJob(outcome["printed"][0]["job"].toInt());

  VantOptions options;
  options.workDir = dir_.Path();
  options.privatePrintServer = true;
  const VantResult cli = RunVant({"print", (kExamples / "invoice.html").string()}, options);
  ASSERT_EQ(cli.status, 0) << cli.Describe();
  const std::vector<int> jobs = queues::JobIds("Office");
  ASSERT_FALSE(jobs.empty());
  const queues::FinishedJob printed = queues::WaitForJob(*std::max_element(jobs.begin(), jobs.end()));
  EXPECT_EQ(hosted.state, "completed");
  for (const char* attribute : {"media-col", "orientation-requested", "job-name", "document-format"}) {
    EXPECT_EQ(hosted.Attribute(attribute), printed.Attribute(attribute)) << attribute;
  }
}

TEST_F(VantHostCupsTest, AJobIsNoticedOnTheDesktopWithItsPrinterAndNumber) {
  const PrivateSessionBus bus;
  VantOptions options;
  options.workDir = dir_.Path();
  options.privatePrintServer = true;
  options.env = DownloadEnv(dir_);
  options.env["DBUS_SESSION_BUS_ADDRESS"] = bus.Address();
  const auto page = PageObjectsOfFile(kExamples / "invoice.html");
  // The host ends as soon as its input does: the notice is sent before it goes.
  const HostRun run = RunHost(Framed(SnapshotRequest(1, page, "https://sales.example/invoice.html")) + Framed(Print(2)), options);
  ASSERT_EQ(run.answers.size(), 2u) << run.result.Describe();
  const int job = run.answers[1]["outcome"]["printed"][0]["job"].toInt();
  ASSERT_GT(job, 0) << run.result.Describe();
  const auto notices = CallsOf(bus.Calls(), "Notify");
  ASSERT_EQ(notices.size(), 1u);
  const QJsonArray args = notices[0]["args"].toArray();
  EXPECT_EQ(args[3].toString(), QString::fromUtf8("印刷ジョブを送りました"));
  EXPECT_EQ(args[4].toString().toStdString(), "プリンター「Office」にジョブ " + std::to_string(job) + " (2 ページ) を送りました。");
  EXPECT_TRUE(args[5].toArray().isEmpty());  // no folder to open
  (void)queues::WaitForJob(job);
}

TEST_F(VantHostCupsTest, ChangedPrinterIsPutBackBeforeTheNextClick) {
  TempDir pages;
  WriteFile(pages / "label.html", HostPage(MethodParams({"changeprinter,Label", "prntext,1,1,L", "enddoc"})));
  const auto label = SnapshotRequest(1, PageObjectsOfFile(pages / "label.html"), "https://sales.example/label.html");
  // A control added by a script later: its reading replaces the list (none of its PARAM
  // names is the first control's), and its list prints on whatever printer is current.
  QJsonObject added = label;
  added["id"] = 3;
  added["objects"] = QJsonArray{label["objects"][0],
                                QJsonObject{{"key", 1}, {"params", QJsonArray{QJsonArray{"methodA", "prntext,1,1,O", 3},
                                                                              QJsonArray{"methodB", "enddoc", 4}}}}};
  const HostRun run = Run(Framed(label) + Framed(Print(2)) + Framed(added) +
                          Framed(QJsonObject{{"kind", "print"}, {"id", 4}, {"key", 1}}));
  ASSERT_EQ(run.answers.size(), 4u) << run.result.Describe();
  EXPECT_TRUE(run.stray.empty());
  const auto printedOn = [&](std::size_t answer) {
    const QJsonObject outcome = run.answers[answer]["outcome"].toObject();
    EXPECT_EQ(outcome["printed"].toArray().size(), 1) << run.result.Describe();
    const QJsonObject delivered = outcome["printed"][0].toObject();
    EXPECT_EQ(queues::WaitForJob(delivered["job"].toInt()).queue, delivered["printer"].toString().toStdString());
    return delivered["printer"].toString().toStdString();
  };
  EXPECT_EQ(printedOn(1), "Label");
  EXPECT_EQ(printedOn(3), "Office");
}

TEST_F(VantHostCupsTest, TheHostLooksPrintersUpInTheSameMapsAndLogsItsPrints) {
  // The administrator's map in the test's system folder, the user's beside the downloads'
  // settings: a mapped name prints on its queue, the printer is put back for the next
  // click, an unknown name stops under stop; the system log names the page's origin.
  TempDir etc;
  std::filesystem::create_directories(etc / "vant3");
  WriteFile(etc / "vant3" / "printers.conf", "[Options]\nUnknownPrinter = stop\n");
  std::filesystem::create_directories(dir_ / "config" / "vant3");
  WriteFile(dir_ / "config" / "vant3" / "printers.conf", "[Printers]\n\\\\PRTSRV01\\Label-3F = Label\n");
  TempDir pages;
  WriteFile(pages / "label.html",
            HostPage(MethodParams({"changeprinter,\\\\prtsrv01\\label-3f", "prntext,1,1,L", "enddoc"})));
  QJsonObject label = SnapshotRequest(1, PageObjectsOfFile(pages / "label.html"), "https://sales.example/label.html");
  label["origin"] = "https://sales.example";
  QJsonObject added = label;
  added["id"] = 3;
  added["objects"] = QJsonArray{
      label["objects"][0],
      QJsonObject{{"key", 1}, {"params", QJsonArray{QJsonArray{"methodA", "prntext,1,1,O", 3}, QJsonArray{"methodB", "enddoc", 4},
                                                    QJsonArray{"methodC", "changeprinter,Waybill", 5}}}}};
  PrivateSystemLog log;
  VantOptions options;
  options.workDir = dir_.Path();
  options.privatePrintServer = true;
  options.env = DownloadEnv(dir_);
  options.env["VANT_SYSCONFDIR"] = etc.Path().string();
  options.devFolder = log.DevFolder();
  const HostRun run = RunHost(Framed(label) + Framed(Print(2)) + Framed(added) +
                                  Framed(QJsonObject{{"kind", "print"}, {"id", 4}, {"key", 1}}),
                              options);
  ASSERT_EQ(run.answers.size(), 4u) << run.result.Describe();
  const QJsonObject first = run.answers[1]["outcome"].toObject();
  ASSERT_EQ(first["printed"].toArray().size(), 1) << run.result.Describe();
  EXPECT_EQ(first["printed"][0]["printer"].toString(), "Label");
  const int labelJob = first["printed"][0]["job"].toInt();
  EXPECT_EQ(queues::WaitForJob(labelJob).queue, "Label");
  // The second list prints on Office (put back), then stops at the unknown name.
  const QJsonObject second = run.answers[3]["outcome"].toObject();
  ASSERT_EQ(second["printed"].toArray().size(), 1) << run.result.Describe();
  EXPECT_EQ(second["printed"][0]["printer"].toString(), "Office");
  const int officeJob = second["printed"][0]["job"].toInt();
  EXPECT_EQ(queues::WaitForJob(officeJob).queue, "Office");
  ASSERT_EQ(second["messages"].toArray().size(), 1) << run.result.Describe();
  EXPECT_EQ(second["messages"][0]["text"].toString().toStdString(),
            "プリンター「Waybill」が見つかりません\r\n3:changeprinter(waybill)\r\n印刷を中断しました!");
  std::vector<SystemLogLine> lines;
  for (const std::string& datagram : log.Received()) lines.push_back(ParseSystemLogLine(datagram));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].identity, "vant");
  EXPECT_EQ(lines[0].text, "printed page=\"https://sales.example\" printer=\"Label\" job=" + std::to_string(labelJob) +
                               " pages=1 copies=1");
  EXPECT_EQ(lines[1].text, "printed page=\"https://sales.example\" printer=\"Office\" job=" + std::to_string(officeJob) +
                               " pages=1 copies=1");
  EXPECT_TRUE(Contains(lines[2].text, "stopped page=\"https://sales.example\" stop=\"プリンター「Waybill」が見つかりません"))
      << lines[2].text;
}

}  // namespace
}  // namespace vant::test
