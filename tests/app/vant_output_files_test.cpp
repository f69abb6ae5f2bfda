// What the vant command writes and says: a full disk never costs the earlier file nor
// passes as done, devices and FIFOs named with -o are written into, numbered and default
// files pass over every name that is held, an output that cannot be written is refused
// before the run, a run that prints nothing says so, page text cannot drive the terminal
// and a page in another encoding than it declares is warned about.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <future>
#include <sstream>
#include <utility>

#include "host_pages.h"
#include "pdf_inspect.h"
#include "small_tmpfs.h"
#include "vant_process.h"
#include "contains.h"
#include "pdf_written.h"

namespace vant::test {
namespace {

namespace fs = std::filesystem;

const std::string kFullDisk = "ディスクの空き容量が不足しています";

std::vector<std::string> OutputLines(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line + "\n");
  return lines;
}

class VantOutputTest : public testing::Test {
 protected:
  std::string WritePage(const std::string& name, const std::vector<std::string>& methods) {
    WriteFile(pages_ / name, HostPage(MethodParams(methods)));
    return (pages_ / name).string();
  }
  static VantResult RunIn(const fs::path& dir, const std::vector<std::string>& args) {
    VantOptions options;
    options.workDir = dir;
    return RunVant(args, options);
  }

  TempDir pages_;
  TempDir work_;
};

TEST_F(VantOutputTest, AFullDiskKeepsTheEarlierFileAndStopsNamingTheCause) {
  const std::string page = WritePage("keep.html", {kInvoiceTitle, "enddoc"});
  // -o names the file, and without it the default name is the same file.
  for (const std::vector<std::string>& args : {std::vector<std::string>{"pdf", page, "-o", "keep.pdf"}, {"pdf", page}}) {
    SCOPED_TRACE(args.size());
    SmallTmpfs disk(1024);
    WriteFile(disk / "keep.pdf", "the good earlier document");
    disk.FillLeaving(0);
    const VantResult r = RunIn(disk.Path(), args);
    EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
    EXPECT_TRUE(Contains(r.err, "[critical] エラー\nPDF ファイル「" + disk.Path().string())) << r.err;
    EXPECT_TRUE(Contains(r.err, "」を書き込めません: " + kFullDisk + "\n2:enddoc()\n印刷を中断しました!\n")) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFile(disk / "keep.pdf"), "the good earlier document");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(disk.Path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"filler", "keep.pdf"}));
  }
}

TEST_F(VantOutputTest, ManyDocumentsOnANearlyFullDiskListExactlyTheWholeFilesWritten) {
  // The size of one document, from a run with room enough.
  const std::string one = WritePage("one.html", {kInvoiceTitle, "enddoc"});
  ASSERT_EQ(RunIn(work_.Path(), {"pdf", one}).status, 0);
  const std::size_t documentBytes = fs::file_size(work_ / "one.pdf");

  std::vector<std::string> methods;
  for (int i = 0; i < 40; ++i) methods.insert(methods.end(), {kInvoiceTitle, "enddoc"});
  const std::string page = WritePage("many.html", methods);
  SmallTmpfs disk(2048);
  disk.FillLeaving(documentBytes * 5 / 2);
  const VantResult r = RunIn(disk.Path(), {"pdf", page, "-o", "many.pdf"});
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_TRUE(Contains(r.err, "」を書き込めません: " + kFullDisk + "\n")) << r.err;
  const std::vector<std::string> listed = OutputLines(r.out);
  ASSERT_GE(listed.size(), 1u) << r.out;
  ASSERT_LE(listed.size(), 3u) << r.out;
  std::vector<std::string> expected;
  for (std::size_t i = 0; i < listed.size(); ++i) {
    const fs::path file = disk / (i == 0 ? std::string("many.pdf") : "many-" + std::to_string(i + 1) + ".pdf");
    expected.push_back(Written(file, 1));
    EXPECT_EQ(InspectPdf(file).pages, 1) << file;
  }
  EXPECT_EQ(listed, expected);
  // Nothing else: no empty or partial file.
  EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::directory_iterator(disk.Path()), fs::directory_iterator())),
            listed.size() + 1);
}

TEST_F(VantOutputTest, ADeviceOrFifoNamedWithOIsWrittenIntoAndStaysWhatItIs) {
  const std::string page = WritePage("invoice.html", {kInvoiceTitle, "enddoc"});
  ASSERT_EQ(::mknod((work_ / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0) << std::strerror(errno);
  const VantResult toDevice = RunIn(work_.Path(), {"pdf", page, "-o", "null"});
  EXPECT_TRUE(toDevice.exited && toDevice.status == 0) << toDevice.Describe();
  EXPECT_EQ(toDevice.out, Written(work_ / "null", 1));
  EXPECT_TRUE(fs::is_character_file(work_ / "null"));

  ASSERT_EQ(::mkfifo((work_ / "fifo.pdf").c_str(), 0600), 0) << std::strerror(errno);
  // A second name for the FIFO, through which a reader left waiting can be let go.
  fs::create_hard_link(work_ / "fifo.pdf", pages_ / "fifo-link");
  auto reader = std::async(std::launch::async, [&] { return ReadFile(work_ / "fifo.pdf"); });
  const VantResult toFifo = RunIn(work_.Path(), {"pdf", page, "-o", "fifo.pdf"});
  EXPECT_TRUE(toFifo.exited && toFifo.status == 0) << toFifo.Describe();
  if (reader.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
    ADD_FAILURE() << "nothing was written into the FIFO";
    ::close(::open((pages_ / "fifo-link").c_str(), O_WRONLY | O_NONBLOCK));
  }
  const std::string pdf = reader.get();
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_TRUE(Contains(pdf, "%%EOF"));
  EXPECT_TRUE(fs::is_fifo(work_ / "fifo.pdf"));
  EXPECT_EQ(work_.Names(), (std::vector<std::string>{"fifo.pdf", "null"}));

  // Standard output, here a file the test reads: the PDF alone; where it went is said on
  // standard error.
  const VantResult toStdout = RunIn(work_.Path(), {"pdf", page, "-o", "/dev/stdout"});
  EXPECT_TRUE(toStdout.exited && toStdout.status == 0) << toStdout.Describe();
  EXPECT_EQ(toStdout.out.rfind("%PDF-", 0), 0u) << toStdout.out.substr(0, 40);
  EXPECT_EQ(toStdout.out.substr(toStdout.out.rfind("%%EOF")), "%%EOF\n");
  EXPECT_TRUE(Contains(toStdout.err, Written("/dev/stdout", 1))) << toStdout.err;
}

TEST_F(VantOutputTest, AnOutputThatCannotBeWrittenIsRefusedBeforeTheRun) {
  const std::string page = WritePage("invoice.html", {kInvoiceTitle, "enddoc"});
  fs::create_directory(work_ / "taken");
  const struct {
    int line;
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {__LINE__, {"pdf", page, "-o", "missing/dir/x.pdf"}, "「missing/dir/x.pdf」に書き込めません: ファイルまたはディレクトリがありません"},
      {__LINE__, {"pdf", page, "-o", "taken"}, "「taken」に書き込めません: ディレクトリです"},
      {__LINE__, {"render", page, "-o", "taken"}, "「taken」に書き込めません: ディレクトリです"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const VantResult r = RunIn(work_.Path(), c.args);
    EXPECT_TRUE(r.exited && r.status == 2) << r.Describe();
    EXPECT_EQ(r.err.rfind("vant: 出力先" + c.message + "\n", 0), 0u) << r.err;
    EXPECT_FALSE(Contains(r.err, "enddoc")) << r.err;  // the run never started
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(work_.Names(), std::vector<std::string>{"taken"});
    EXPECT_TRUE(fs::is_empty(work_ / "taken"));
  }
}

TEST_F(VantOutputTest, NumberedFilesPassOverExistingFilesAndPlantedLinks) {
  const std::string page = WritePage("report.html", {kInvoiceTitle, "enddoc", kInvoiceTitle, "enddoc", kInvoiceTitle, "enddoc", kInvoiceTitle, "enddoc"});
  WriteFile(work_ / "victim.txt", "not a report");
  WriteFile(work_ / "report-2.pdf", "last month's report");
  fs::create_symlink(work_ / "victim.txt", work_ / "report-3.pdf");
  const VantResult r = RunIn(work_.Path(), {"pdf", page, "-o", "report.pdf"});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, Written(work_ / "report.pdf", 1) + Written(work_ / "report-4.pdf", 1) +
                       Written(work_ / "report-5.pdf", 1) + Written(work_ / "report-6.pdf", 1));
  EXPECT_EQ(ReadFile(work_ / "victim.txt"), "not a report");
  EXPECT_EQ(ReadFile(work_ / "report-2.pdf"), "last month's report");
  EXPECT_TRUE(fs::is_symlink(work_ / "report-3.pdf"));
  for (const char* name : {"report.pdf", "report-4.pdf", "report-5.pdf", "report-6.pdf"}) {
    EXPECT_EQ(InspectPdf(work_ / name).pages, 1) << name;
  }
}

TEST_F(VantOutputTest, TheDefaultNameIsTakenNewEvenInAStickyDirectoryWithAnotherUsersLink) {
  const std::string page = WritePage("label.html", {kInvoiceTitle, "enddoc", kInvoiceTitle, "enddoc"});
  const fs::path shared = work_ / "shared";
  fs::create_directory(shared);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  WriteFile(work_ / "victim.txt", "root's file");
  fs::create_symlink(work_ / "victim.txt", shared / "label.pdf");
  ASSERT_EQ(::lchown((shared / "label.pdf").c_str(), 65534, 65534), 0) << std::strerror(errno);  // nobody
  WriteFile(shared / "label-3.pdf", "an earlier label");
  const VantResult r = RunIn(shared, {"pdf", page});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, Written(shared / "label-2.pdf", 1) + Written(shared / "label-4.pdf", 1));
  EXPECT_EQ(ReadFile(work_ / "victim.txt"), "root's file");
  EXPECT_EQ(ReadFile(shared / "label-3.pdf"), "an earlier label");
  EXPECT_EQ(InspectPdf(shared / "label-2.pdf").pages, 1);
}

TEST_F(VantOutputTest, PageTextCannotDriveTheTerminal) {
  // Window title (OSC 0 … BEL) and clear screen (CSI 2J), written as the character
  // references through which a page's attribute values carry them.
  std::string html = HostPage(MethodParams({kInvoiceTitle, "ESC]0;ownedBELprnbux,ESC[2J", "ESC]52;c;ZWNobw==BEL"}));
  for (const auto& [name, reference] : {std::pair<std::string, std::string>{"ESC", "&#x1b;"}, {"BEL", "&#7;"}}) {
    for (std::size_t at; (at = html.find(name)) != std::string::npos;) html.replace(at, name.size(), reference);
  }
  WriteFile(pages_ / "escape.html", html);
  const VantResult r = RunIn(work_.Path(), {"pdf", (pages_ / "escape.html").string()});
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_EQ(r.err.find_first_of("\x1b\x07"), std::string::npos) << r.err;
  EXPECT_TRUE(Contains(r.err, "\"\\u001b]0;owned\\u0007prnbux\"\nMethod指定が不正です!\n")) << r.err;
  EXPECT_TRUE(Contains(r.err, "\n2:\\u001b]0;owned\\u0007prnbux(\\u001b[2j)\n")) << r.err;  // as the run names it
}

TEST_F(VantOutputTest, ARunThatPrintsNothingSaysSo) {
  const struct {
    int line;
    std::string verb;
    std::vector<std::string> methods;
  } cases[] = {
      {__LINE__, "pdf", {"enddoc"}},
      {__LINE__, "pdf", {"papersize,a4", "scalemode,mm", "enddoc"}},
      // Marks all off the sheet.
      {__LINE__, "pdf", {"scalemode,mm", "prnbox,5000,5000,5100,5100,1,solid,0", "prntext,-900,-900,x,ＭＳ 明朝,12,false,false,0",
                         "prncircle,400,-300,50,1,solid,0", "enddoc"}},
      {__LINE__, "print", {"enddoc", "enddoc"}},
      {__LINE__, "pdf", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    // Without a print server, print goes to the PDF printer when it is named.
    std::vector<std::string> args{c.verb, WritePage("nothing.html", c.methods)};
    if (std::string(c.verb) == "print") args.insert(args.end(), {"--printer", "Vant3 PDF"});
    const VantResult r = RunIn(work_.Path(), args);
    EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
    const std::string box = "[information]\n印刷対象がありません!\n\n";
    ASSERT_GE(r.err.size(), box.size()) << r.err;
    EXPECT_EQ(r.err.substr(r.err.size() - box.size()), box);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(work_.Names().empty());
  }
}

TEST_F(VantOutputTest, APageInAnotherEncodingThanItDeclaresIsWarnedAboutOnce) {
  // Shift_JIS bytes in a page that declares UTF-8.
  const std::string shiftJis = Reencoded(HostPage(MethodParams({kInvoiceTitle, kInvoiceTitle, "enddoc"})), "UTF-8", "CP932");
  const std::string fewStrayBytes = HostPage(MethodParams({"prntext,20,20,\xff\xfe,ＭＳ 明朝,12,false,false,0", "enddoc"}));
  const struct {
    int line;
    std::string verb;
    std::string bytes;
    bool warned;
  } cases[] = {
      {__LINE__, "methods", shiftJis, true},
      {__LINE__, "pdf", shiftJis, true},
      {__LINE__, "methods", fewStrayBytes, false},
      {__LINE__, "methods", HostPage(MethodParams({kInvoiceTitle})), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    WriteFile(pages_ / "page.html", c.bytes);
    const VantResult r = RunIn(work_.Path(), {c.verb, (pages_ / "page.html").string()});
    EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
    const std::string warning = "vant: ページ「" + (pages_ / "page.html").string() + "」の ";
    const std::size_t at = r.err.find(warning);
    EXPECT_EQ(at != std::string::npos, c.warned) << r.err;
    if (at == std::string::npos) continue;
    EXPECT_TRUE(Contains(r.err.substr(at), " 箇所が UTF-8 として読めません。")) << r.err;
    EXPECT_EQ(r.err.find(warning, at + 1), std::string::npos) << "more than one warning: " << r.err;
  }
}

}  // namespace
}  // namespace vant::test
