// The native host printing on the private print server ("Office" the default, "Label"): a
// click sends the job `vant print` sends for the same page, and a list that changes printer
// leaves the default current for the next click.
#include <gtest/gtest.h>

#include <QJsonArray>

#include <algorithm>

#include "cups_test_queues.h"
#include "host_channel.h"
#include "host_pages.h"
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

}  // namespace
}  // namespace vant::test
