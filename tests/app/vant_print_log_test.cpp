// What was printed goes to the system log (syslog(3), identity "vant", facility lpr): a job
// with its page, printer, job id, pages and copies; a PDF file; a print that stopped with
// its stop text; never the page's content. The child's /dev/log is a socket of the test's
// own (private_system_log.h), so the real syslog call is what is tested.
#include <gtest/gtest.h>

#include <regex>

#include "contains.h"
#include "cups_test_queues.h"
#include "host_pages.h"
#include "private_system_log.h"
#include "vant_process.h"

namespace vant::test {
namespace {

namespace queues = vant::test::cups;

constexpr int kLprInfo = 6 * 8 + 6;     // LOG_LPR | LOG_INFO
constexpr int kLprWarning = 6 * 8 + 4;  // LOG_LPR | LOG_WARNING
const std::string kSecret = "給与明細-秘";

class VantPrintLogTest : public testing::Test {
 protected:
  VantPrintLogTest() { queues::RequirePrivateServer(); }

  std::string WritePage(const std::vector<std::string>& methods) {
    WriteFile(pages_ / "slip.html", HostPage(MethodParams(methods)));
    return (pages_ / "slip.html").string();
  }

  VantResult Run(const std::vector<std::string>& args) {
    VantOptions options;
    options.workDir = work_.Path();
    options.privatePrintServer = true;
    options.devFolder = log_.DevFolder();
    options.env["VANT_SYSCONFDIR"] = etc_.Path().string();
    return RunVant(args, options);
  }

  std::vector<SystemLogLine> Logged() {
    std::vector<SystemLogLine> lines;
    for (const std::string& datagram : log_.Received()) {
      lines.push_back(ParseSystemLogLine(datagram));
      EXPECT_EQ(lines.back().identity, "vant") << datagram;
      EXPECT_FALSE(Contains(datagram, kSecret)) << datagram;
    }
    return lines;
  }

  PrivateSystemLog log_;
  TempDir pages_, work_, etc_;
};

TEST_F(VantPrintLogTest, EachFinishedPrintAndEachStop) {
  const std::string text = "prntext,20,30," + kSecret + ",ＭＳ 明朝,12,false,false,0";
  std::filesystem::create_directories(etc_ / "vant3");
  WriteFile(etc_ / "vant3" / "printers.conf", "[Options]\nUnknownPrinter = stop\n");
  const std::string page = WritePage({text, "newpage", text, "enddoc", "changeprinter,Label", text, "enddoc"});

  const VantResult printed = Run({"print", page, "--copies", "2"});
  ASSERT_TRUE(printed.exited && printed.status == 0) << printed.Describe();
  static const std::regex job("にジョブ ([0-9]+) ");
  std::vector<int> jobs;
  for (auto it = std::sregex_iterator(printed.out.begin(), printed.out.end(), job); it != std::sregex_iterator(); ++it) {
    jobs.push_back(std::stoi((*it)[1].str()));
  }
  ASSERT_EQ(jobs.size(), 2u) << printed.out;
  std::vector<SystemLogLine> lines = Logged();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].priority, kLprInfo);
  EXPECT_EQ(lines[0].text, "printed page=\"" + page + "\" printer=\"Office\" job=" + std::to_string(jobs[0]) +
                               " pages=2 copies=2");
  EXPECT_EQ(lines[1].text, "printed page=\"" + page + "\" printer=\"Label\" job=" + std::to_string(jobs[1]) +
                               " pages=1 copies=2");
  for (const int id : jobs) (void)queues::WaitForJob(id);

  const VantResult pdf = Run({"pdf", page, "-o", (work_ / "slip.pdf").string()});
  ASSERT_TRUE(pdf.exited && pdf.status == 0) << pdf.Describe();
  lines = Logged();
  ASSERT_GE(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "printed page=\"" + page + "\" printer=\"Vant3 PDF\" file=\"" + (work_ / "slip.pdf").string() +
                               "\" pages=2 copies=1");

  const VantResult stopped = Run({"print", WritePage({text, "changeprinter,\\\\PRTSRV01\\Waybill-1F", text})});
  EXPECT_EQ(stopped.status, 1) << stopped.Describe();
  lines = Logged();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].priority, kLprWarning);
  EXPECT_EQ(lines[0].text, "stopped page=\"" + page + "\" stop=\"プリンター「\\\\\\\\PRTSRV01\\\\Waybill-1F」が見つかりません"
                           "\\r\\n2:changeprinter(\\\\\\\\prtsrv01\\\\waybill-1f)\\r\\n印刷を中断しました!\"");
}

}  // namespace
}  // namespace vant::test
