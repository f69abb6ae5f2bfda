// `vant pdf PAGE [-o FILE]` and the built-in PDF printer: where the files go, numbered
// files for several documents, a stop or an unwritable path leaving nothing behind, and
// the file written whole or not at all. Also the printer list without a print server.
#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <tuple>

#include "host_pages.h"
#include "pdf_inspect.h"
#include "vant_process.h"
#include "contains.h"
#include "pdf_written.h"

namespace vant::test {
namespace {

class VantPdfTest : public testing::Test {
 protected:
  std::string WritePage(const std::string& name, const std::vector<std::string>& methods) {
    WriteFile(pages_ / name, HostPage(MethodParams(methods)));
    return (pages_ / name).string();
  }
  VantResult Run(const std::vector<std::string>& args) { return RunVantIn(work_, args); }

  TempDir pages_;
  TempDir work_;
};

TEST_F(VantPdfTest, TheOutputOptionNamesTheFileRelativeToTheWorkingDirectory) {
  const std::string page = WritePage("invoice.html", {"papersize,a4", kInvoiceTitle, "newpage", kInvoiceTitle, "enddoc"});
  std::filesystem::create_directory(work_ / "out");
  const VantResult r = Run({"pdf", page, "-o", "out/請求書.pdf"});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  const auto file = work_ / "out" / "請求書.pdf";
  EXPECT_EQ(r.out, Written(file, 2));
  EXPECT_EQ(work_.Names(), std::vector<std::string>{"out"});
  const PdfFacts facts = InspectPdf(file);
  ASSERT_EQ(facts.pages, 2);
  for (const PdfPageSize& size : facts.sizes) {
    EXPECT_NEAR(size.widthPt, 595.3, 1.0);
    EXPECT_NEAR(size.heightPt, 841.9, 1.0);
  }
  EXPECT_TRUE(Contains(PdfPageText(file, 2), "請求書 No.1"));
}

// The window toolkit takes the user's locale; under a decimal-comma locale "." stays the
// decimal point of the method language: a box at 12.5 mm is not drawn at 12 mm.
TEST_F(VantPdfTest, NumbersReadTheSameUnderADecimalCommaLocale) {
  const std::string page =
      WritePage("comma.html", {"scalemode,mm", "prnline,12.5,20.5,12.5,60.5,10,0,0", "enddoc"});
  {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing: scripts/install-test-deps.sh generates it";
    std::setlocale(LC_ALL, saved.c_str());
  }
  VantOptions options;
  options.workDir = work_.Path();
  options.env["LC_ALL"] = "de_DE.UTF-8";
  const VantResult r = RunVant({"pdf", page, "-o", "comma.pdf"}, options);
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  // 254 dpi: ten pixels a millimetre; the line is 10 printer dots (0.42 mm) wide.
  const auto ink = PdfInk(work_ / "comma.pdf", 1, 254);
  ASSERT_TRUE(ink);
  EXPECT_NEAR((ink->left + ink->right + 1) / 2.0, 125, 1.5);
  EXPECT_NEAR(ink->top, 205, 3);
  EXPECT_NEAR(ink->bottom, 605, 3);
}

TEST_F(VantPdfTest, TheDefaultFileIsThePagesNameInTheWorkingDirectory) {
  const std::string page = WritePage("delivery.note.html", {kInvoiceTitle, "enddoc"});
  const VantResult r = Run({"pdf", page});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, Written(work_ / "delivery.note.pdf", 1));
  EXPECT_EQ(work_.Names(), std::vector<std::string>{"delivery.note.pdf"});
  EXPECT_EQ(pages_.Names(), std::vector<std::string>{"delivery.note.html"});
  EXPECT_EQ(InspectPdf(work_ / "delivery.note.pdf").pages, 1);
}

TEST_F(VantPdfTest, SeveralDocumentsGoToNumberedFiles) {
  const std::string page =
      WritePage("label.html", {kInvoiceTitle, "enddoc", "orientation,横", kInvoiceTitle, "newpage", kInvoiceTitle, "enddoc", kInvoiceTitle, "enddoc"});
  const VantResult r = Run({"pdf", page, "-o", "run.pdf"});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, Written(work_ / "run.pdf", 1) + Written(work_ / "run-2.pdf", 2) + Written(work_ / "run-3.pdf", 1));
  EXPECT_EQ(work_.Names(), (std::vector<std::string>{"run-2.pdf", "run-3.pdf", "run.pdf"}));
  const PdfFacts second = InspectPdf(work_ / "run-2.pdf");
  ASSERT_EQ(second.pages, 2);
  EXPECT_GT(second.sizes[0].widthPt, second.sizes[0].heightPt);  // landscape
  EXPECT_EQ(InspectPdf(work_ / "run-3.pdf").pages, 1);
}

TEST_F(VantPdfTest, AModeOnePagePrintsOnceAsThePrintButtonPrintsIt) {
  std::vector<Param> params = MethodParams({kInvoiceTitle, "enddoc"});
  params.push_back({"Mode", "1"});
  WriteFile(pages_ / "auto.html", HostPage(params));
  const VantResult r = Run({"pdf", (pages_ / "auto.html").string()});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, Written(work_ / "auto.pdf", 1));
  EXPECT_EQ(work_.Names(), std::vector<std::string>{"auto.pdf"});
}

TEST_F(VantPdfTest, ADocumentWithNothingDrawnWritesNoFile) {
  // Ending a document that nothing was drawn on hands nothing over, as on any printer.
  const VantResult r = Run({"pdf", WritePage("empty.html", {"papersize,a4", "scalemode,mm", "enddoc"})});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(work_.Names().empty());
}

TEST_F(VantPdfTest, ADocumentLeftOpenIsEndedWhenTheCommandEnds) {
  const std::string page = WritePage("open.html", {kInvoiceTitle, "newpage", kInvoiceTitle});
  const VantResult r = Run({"pdf", page});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, Written(work_ / "open.pdf", 2));
  EXPECT_EQ(InspectPdf(work_ / "open.pdf").pages, 2);
}

TEST_F(VantPdfTest, AnOutputInAMissingDirectoryIsRefusedBeforeTheRunAndCreatesNothing) {
  const std::string page = WritePage("invoice.html", {kInvoiceTitle, "enddoc"});
  const auto file = work_ / "missing" / "x.pdf";
  const VantResult r = Run({"pdf", page, "-o", file.string()});
  EXPECT_TRUE(r.exited && r.status == 2) << r.Describe();
  EXPECT_TRUE(Contains(r.err, "vant: 出力先「" + file.string() + "」に書き込めません: ")) << r.err;
  EXPECT_FALSE(Contains(r.err, "[critical]")) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(work_.Names().empty());
}

TEST_F(VantPdfTest, AnOutputThatIsADirectoryIsRefusedBeforeTheRunAndLeftAlone) {
  const std::string page = WritePage("invoice.html", {kInvoiceTitle, "enddoc"});
  std::filesystem::create_directory(work_ / "taken");
  const VantResult r = Run({"pdf", page, "-o", "taken"});
  EXPECT_TRUE(r.exited && r.status == 2) << r.Describe();
  EXPECT_TRUE(Contains(r.err, "vant: 出力先「taken」に書き込めません: ディレクトリです\n")) << r.err;
  EXPECT_FALSE(Contains(r.err, "[critical]")) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(work_.Names(), std::vector<std::string>{"taken"});
  EXPECT_TRUE(std::filesystem::is_empty(work_ / "taken"));
}

TEST_F(VantPdfTest, AStoppedRunWritesNoFile) {
  const std::string page = WritePage("stop.html", {kInvoiceTitle, "PrnBux,A,B,,C", kInvoiceTitle, "enddoc"});
  const VantResult r = Run({"pdf", page});
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  // The one box after the line naming the print server that could not be asked.
  const std::string box = "[critical] エラー\n\"PrnBux\"\nMethod指定が不正です!\n2:prnbux(a,b$カンマ$c)\n印刷を中断しました!\n\n";
  ASSERT_GE(r.err.size(), box.size()) << r.err;
  EXPECT_EQ(r.err.substr(r.err.size() - box.size()), box);
  EXPECT_EQ(r.err.find("[critical]"), r.err.size() - box.size()) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(work_.Names().empty());
}

TEST_F(VantPdfTest, AStopKeepsTheDocumentsEndedBeforeIt) {
  const std::string page = WritePage("stop.html", {kInvoiceTitle, "enddoc", kInvoiceTitle, "papersize,a6", "enddoc"});
  const VantResult r = Run({"pdf", page});
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_TRUE(Contains(r.err, "[critical] エラー\n\"a6\"\nPaperSize指定が不正です!\n4:papersize(a6)\n印刷を中断しました!\n"))
      << r.err;
  EXPECT_EQ(r.out, Written(work_ / "stop.pdf", 1));
  EXPECT_EQ(work_.Names(), std::vector<std::string>{"stop.pdf"});
}

// A page whose PDF is far larger than the file size limits below.
std::string LargePage(const TempDir& pages) {
  std::vector<std::string> methods;
  for (int page = 0; page < 20; ++page) {
    for (int line = 0; line < 20; ++line) {
      methods.push_back("prntext,10," + std::to_string(10 + line * 12) + ",明朝 ゴシック 請求書 納品書 " +
                        std::to_string(page * 100 + line) + ",ＭＳ " + (line % 2 ? "明朝" : "ゴシック") + ",11,false,false,0");
    }
    methods.push_back("newpage");
  }
  methods.push_back("enddoc");
  WriteFile(pages / "large.html", HostPage(MethodParams(methods)));
  return (pages / "large.html").string();
}

TEST_F(VantPdfTest, KilledWhileWritingLeavesNoPartialFileAndTheEarlierOneWhole) {
  const std::string page = LargePage(pages_);
  WriteFile(work_ / "large.pdf", "the earlier document");
  // The file size limit kills the command (SIGXFSZ) in the middle of its write.
  VantOptions options;
  options.workDir = work_.Path();
  options.fileSizeLimit = 16 * 1024;
  const VantResult r = RunVant({"pdf", page}, options);
  ASSERT_FALSE(r.exited) << r.Describe();
  EXPECT_EQ(r.signal, SIGXFSZ) << r.Describe();
  EXPECT_EQ(ReadFile(work_ / "large.pdf"), "the earlier document");
  // Not even a temporary file stays: it has no name until it is complete.
  EXPECT_EQ(work_.Names(), std::vector<std::string>{"large.pdf"});
}

TEST_F(VantPdfTest, AWriteThatFailsHalfwayLeavesNothingBehind) {
  const std::string page = LargePage(pages_);
  VantOptions options;
  options.workDir = work_.Path();
  options.fileSizeLimit = 16 * 1024;
  options.ignoreFileSizeSignal = true;  // the write fails with EFBIG instead
  const VantResult r = RunVant({"pdf", page}, options);
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_TRUE(Contains(r.err, "[critical] エラー\nPDF ファイル「" + (work_ / "large.pdf").string() + "」を書き込めません: "))
      << r.err;
  EXPECT_TRUE(Contains(r.err, "\n印刷を中断しました!\n\n")) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(work_.Names().empty()) << testing::PrintToString(work_.Names());
}

TEST_F(VantPdfTest, WithoutAPrintServerPrintRefusesAndOnlyThePdfPrinterWritesAFile) {
  // The print server the environment names is not there: print says so and writes nothing.
  const std::string page = WritePage("invoice.html", {"changeprinter,Office", kInvoiceTitle, "enddoc"});
  const VantResult refused = Run({"print", page});
  EXPECT_TRUE(refused.exited && refused.status == 1) << refused.Describe();
  EXPECT_TRUE(Contains(refused.err,
                       "からプリンターの一覧を取得できません (ソケットがありません)。印刷しませんでした (PDF ファイルに"
                       "書くには vant pdf か --printer \"Vant3 PDF\" を使います)。"))
      << refused.err;
  EXPECT_EQ(refused.out, "");
  EXPECT_TRUE(work_.Names().empty()) << testing::PrintToString(work_.Names());
  // Named on the command line, the PDF printer writes the file.
  const VantResult named = Run({"print", page, "--printer", "Vant3 PDF"});
  EXPECT_TRUE(named.exited && named.status == 0) << named.Describe();
  EXPECT_EQ(named.out, Written(work_ / "invoice.pdf", 1));
  EXPECT_EQ(InspectPdf(work_ / "invoice.pdf").pages, 1);
}

TEST_F(VantPdfTest, PdfAsksNoPrintServerUnlessTheListChangesPrinter) {
  const VantResult quiet = Run({"pdf", WritePage("plain.html", {kInvoiceTitle, "enddoc"})});
  EXPECT_TRUE(quiet.exited && quiet.status == 0) << quiet.Describe();
  EXPECT_FALSE(Contains(quiet.err, "印刷サーバー")) << quiet.err;
  // A list that changes printer needs the server's printers, under every name of the
  // command: the note is said once.
  for (const std::string command : {"changeprinter", "changeprinterdriver", "ChangePrinterDriver"}) {
    SCOPED_TRACE(command);
    const VantResult asking = Run({"pdf", WritePage("changing.html", {command + ",Vant3 PDF", kInvoiceTitle, "enddoc"})});
    EXPECT_TRUE(asking.exited && asking.status == 0) << asking.Describe();
    const std::size_t first = asking.err.find("印刷サーバー");
    ASSERT_NE(first, std::string::npos) << asking.err;
    EXPECT_EQ(asking.err.find("印刷サーバー", first + 1), std::string::npos) << asking.err;
  }
  // A line that only looks like it (a blank before the name) is no command: the run stops
  // there before any printer changes, and no server is asked.
  const VantResult stopped = Run({"pdf", WritePage("blank.html", {" changeprinter,Office", kInvoiceTitle, "enddoc"})});
  EXPECT_TRUE(stopped.exited && stopped.status == 1) << stopped.Describe();
  EXPECT_TRUE(Contains(stopped.err, "Method指定が不正です!")) << stopped.err;
  EXPECT_FALSE(Contains(stopped.err, "印刷サーバー")) << stopped.err;
}

TEST_F(VantPdfTest, WithoutAPrintServerThePdfPrinterIsTheOnlyOneAndCurrent) {
  const VantResult r = Run({"printers"});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, "* Vant3 PDF\n");
  // The server that could not be asked is named, not passed over in silence.
  EXPECT_TRUE(Contains(r.err, "からプリンターの一覧を取得できません")) << r.err;
  EXPECT_TRUE(work_.Names().empty());
}

TEST_F(VantPdfTest, WithoutARuntimeDirectoryNothingIsSaidOfIt) {
  // As root, from cron or in CI there is no XDG_RUNTIME_DIR; no verb uses one.
  const std::string page = WritePage("invoice.html", {kInvoiceTitle, "enddoc"});
  const std::vector<std::string> runs[] = {
      {"pdf", page},
      {"methods", page},
      {"printers"},
      {"render", page, "-o", (work_ / "page.png").string()},
  };
  for (const auto& args : runs) {
    VantOptions options;
    options.workDir = work_.Path();
    options.env["XDG_RUNTIME_DIR"] = std::nullopt;
    const VantResult r = RunVant(args, options);
    EXPECT_TRUE(r.exited && r.status == 0) << args[0] << ": " << r.Describe();
    EXPECT_FALSE(Contains(r.err, "XDG_RUNTIME_DIR")) << args[0] << ": " << r.err;
  }
}

TEST_F(VantPdfTest, TheShiftJisExamplePrintsAsItsUtf8Twin) {
  const std::string shiftJis = ReadFile(std::filesystem::path(VANT_EXAMPLES_DIR) / "shipping-label.html");
  WriteFile(pages_ / "sjis.html", shiftJis);
  WriteFile(pages_ / "utf8.html", Utf8Twin(shiftJis, "CP932", "charset=Shift_JIS"));
  const VantResult fromShiftJis = Run({"pdf", (pages_ / "sjis.html").string()});
  const VantResult fromUtf8 = Run({"pdf", (pages_ / "utf8.html").string()});
  ASSERT_TRUE(fromShiftJis.exited && fromShiftJis.status == 0) << fromShiftJis.Describe();
  ASSERT_TRUE(fromUtf8.exited && fromUtf8.status == 0) << fromUtf8.Describe();
  const PdfFacts sjisFacts = InspectPdf(work_ / "sjis.pdf");
  const PdfFacts utf8Facts = InspectPdf(work_ / "utf8.pdf");
  ASSERT_EQ(sjisFacts.pages, 1);
  ASSERT_EQ(utf8Facts.pages, 1);
  EXPECT_NEAR(sjisFacts.sizes[0].widthPt, utf8Facts.sizes[0].widthPt, 0.01);
  EXPECT_NEAR(sjisFacts.sizes[0].heightPt, utf8Facts.sizes[0].heightPt, 0.01);
  const std::string text = PdfPageText(work_ / "sjis.pdf", 1);
  EXPECT_EQ(text, PdfPageText(work_ / "utf8.pdf", 1));
  for (const char* expected : {"宅配便 送り状（発払い）", "大阪府大阪市北区梅田3丁目4番5号", "天地無用・水濡厳禁"}) {
    EXPECT_TRUE(Contains(text, expected)) << expected << " not in\n" << text;
  }
  // The same marks at the same places.
  const auto sjisInk = PdfInk(work_ / "sjis.pdf", 1, 72);
  const auto utf8Ink = PdfInk(work_ / "utf8.pdf", 1, 72);
  ASSERT_TRUE(sjisInk && utf8Ink);
  EXPECT_EQ(std::tie(sjisInk->left, sjisInk->top, sjisInk->right, sjisInk->bottom),
            std::tie(utf8Ink->left, utf8Ink->top, utf8Ink->right, utf8Ink->bottom));
}

}  // namespace
}  // namespace vant::test
