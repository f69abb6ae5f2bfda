// The vant command behaves as command-line users expect: --version and --help, help for
// each verb, "-" for standard input and output, --opt=value and "--", --title, and usage
// errors in Japanese that name the argument.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host_pages.h"
#include "pdf_inspect.h"
#include "shell_command.h"
#include "vant_process.h"
#include "contains.h"

namespace vant::test {
namespace {

const std::vector<std::string> kTwoPages = {"scalemode,mm", "prntext,20,20,一,ＭＳ 明朝,12,false,false,0",
                                            "newpage", "prntext,20,20,二,ＭＳ 明朝,12,false,false,0", "enddoc"};

class VantConventionsTest : public testing::Test {
 protected:
  std::filesystem::path WritePage(const std::string& name, const std::vector<std::string>& lines) {
    WriteFile(pages_ / name, HostPage(MethodParams(lines)));
    return pages_ / name;
  }
  VantResult Run(const std::vector<std::string>& args, std::optional<std::filesystem::path> input = std::nullopt) {
    VantOptions options;
    options.workDir = work_.Path();
    if (input) options.input = ReadFile(*input);
    return RunVant(args, options);
  }

  TempDir pages_;
  TempDir work_;
};

TEST_F(VantConventionsTest, VersionAndHelpSucceedOnStandardOutput) {
  const VantResult version = Run({"--version"});
  EXPECT_TRUE(version.exited && version.status == 0) << version.Describe();
  EXPECT_EQ(version.out.rfind("vant 0.", 0), 0u) << version.out;
  EXPECT_EQ(version.err, "");

  // Every verb has a line of its own in the list.
  const VantResult help = Run({"--help"});
  EXPECT_TRUE(help.exited && help.status == 0) << help.Describe();
  for (const std::string verb : {"print", "pdf", "show", "preview", "render", "methods", "printers"}) {
    EXPECT_TRUE(Contains(help.out, "\n  " + verb + " ")) << verb << "\n" << help.out;
  }
  EXPECT_TRUE(Contains(help.out, "終了ステータス")) << help.out;
  EXPECT_EQ(Run({"-h"}).out, help.out);
  EXPECT_TRUE(work_.Names().empty());
}

TEST_F(VantConventionsTest, EachVerbExplainsItselfAndEachOfItsOptions) {
  struct Row {
    int line;
    std::string verb;
    std::vector<std::string> options;
  };
  const Row rows[] = {
      {__LINE__, "print", {"--printer NAME", "--object ID", "--copies N", "--title TEXT"}},
      {__LINE__, "pdf", {"-o, --output FILE", "--object ID", "--title TEXT"}},
      {__LINE__, "show", {"--printer NAME", "--object ID"}},
      {__LINE__, "preview", {"--printer NAME", "--object ID"}},
      {__LINE__, "render", {"-o, --output FILE", "--page N", "--zoom ZOOM", "--viewport WxH", "--status"}},
      {__LINE__, "methods", {"--object ID"}},
      {__LINE__, "printers", {"--names"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const VantResult r = Run({row.verb, "--help"});
    EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
    EXPECT_EQ(r.out.rfind("使い方: vant " + row.verb, 0), 0u) << r.out;
    // A sentence on what the verb does, then each option with its own line of help.
    EXPECT_TRUE(Contains(r.out, "。\n")) << r.out;
    for (const std::string& option : row.options) EXPECT_TRUE(Contains(r.out, "  " + option + " ")) << option << "\n" << r.out;
    // No blank is left where the source broke a line of Japanese.
    EXPECT_FALSE(Contains(r.out, "目を 表示")) << r.out;
    EXPECT_TRUE(Contains(r.out, "-h, --help")) << r.out;
    // Help is not run: nothing is written, even with a page given.
    EXPECT_EQ(Run({row.verb, "nowhere.html", "-h"}).status, 0);
  }
  EXPECT_TRUE(work_.Names().empty());
}

TEST_F(VantConventionsTest, UsageErrorsAreJapaneseNameTheArgumentAndExitTwo) {
  const std::string page = WritePage("page.html", kTwoPages).string();
  struct Row {
    int line;
    std::vector<std::string> args;
    std::string message;
    std::string usage;  // the usage that follows: one verb's, or every verb's
  };
  const Row rows[] = {
      {__LINE__, {}, "コマンドを指定してください", "使い方: vant print"},
      {__LINE__, {"frob", page}, "不明なコマンド「frob」です", "使い方: vant print"},
      {__LINE__, {"--frob"}, "不明なオプション「--frob」です", "使い方: vant print"},
      {__LINE__, {"pdf", page, "--bogus"}, "不明なオプション「--bogus」です", "使い方: vant pdf PAGE"},
      {__LINE__, {"pdf", page, "--bogus=1"}, "不明なオプション「--bogus」です", "使い方: vant pdf PAGE"},
      {__LINE__, {"print", page, "-o", "x.pdf"}, "オプション「-o」は print には使えません", "使い方: vant print PAGE"},
      {__LINE__, {"methods", page, "--copies", "2"}, "オプション「--copies」は methods には使えません", "使い方: vant methods"},
      {__LINE__, {"pdf", page, "--output"}, "オプション「--output」に値を指定してください", "使い方: vant pdf"},
      {__LINE__, {"render", page, "-o", "a.png", "--status=yes"}, "オプション「--status」は値を取りません", "使い方: vant render"},
      {__LINE__, {"print", page, "--copies", "0"}, "--copies には 1 から 9999 までの整数を指定してください (「0」は使えません)", "使い方: vant print"},
      {__LINE__, {"print", page, "--copies=3x"}, "--copies には 1 から 9999 までの整数を指定してください (「3x」は使えません)", "使い方: vant print"},
      {__LINE__, {"print", page, "--title", ""}, "--title には 255 バイトまでの空でない UTF-8 の文字列を指定してください", "使い方: vant print"},
      {__LINE__, {"print", page, "--title", std::string(256, 'a')}, "--title には 255 バイトまでの空でない UTF-8 の文字列を指定してください", "使い方: vant print"},
      {__LINE__, {"print", page, "--title", "a", "--title", "b"}, "オプション「--title」が 2 回あります", "使い方: vant print"},
      {__LINE__, {"pdf", page, page}, "pdf にはページ (PAGE) を 1 つ指定してください", "使い方: vant pdf"},
      {__LINE__, {"printers", page}, "printers は引数を取りません (「" + page + "」)", "使い方: vant printers"},
      {__LINE__, {"render", page}, "render には -o OUT.png を指定してください", "使い方: vant render"},
      {__LINE__, {"pdf", page, "-o", "sub/"}, "-o にはファイル名を指定してください (「sub/」は使えません)", "使い方: vant pdf"},
      {__LINE__, {"render", page, "-o", "a.png", "--zoom", "75"}, "--zoom には auto, 300, 200, 150, 100 のいずれかを指定してください (「75」は使えません)", "使い方: vant render"},
      {__LINE__, {"render", page, "-o", "a.png", "--viewport", "75"}, "--viewport には 幅x高さ を指定してください (「75」は使えません)", "使い方: vant render"},
      {__LINE__, {"render", page, "-o", "a.png", "--scale", "9"}, "--scale には 1 から 4 までの数を指定してください (「9」は使えません)", "使い方: vant render"},
      // A page beyond the preview's is said in the words of every other message.
      {__LINE__, {"render", page, "-o", "a.png", "--page", "3"}, "--page 3 はプレビューのページ数 (2 ページ) を超えています", "使い方: vant render"},
      // A page read from standard input has no name to give its PDF file.
      {__LINE__, {"pdf", "-"}, "標準入力から読んだページの PDF ファイルは vant pdf -o で指定してください", "使い方: vant pdf PAGE"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const VantResult r = Run(row.args, page);
    EXPECT_TRUE(r.exited && r.status == 2) << r.Describe();
    EXPECT_TRUE(Contains(r.err, "vant: " + row.message + "\n" + row.usage)) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_TRUE(work_.Names().empty());
}

// --copies is the print server's job attribute: a PDF file is written once, and a count
// asked of it is said to be unused rather than dropped in silence.
TEST_F(VantConventionsTest, CopiesAskedOfThePdfPrinterAreSaidToBeUnused) {
  const std::string page = WritePage("page.html", kTwoPages).string();
  struct Row {
    int line;
    std::string copies;
    bool said;
  };
  for (const Row& row : {Row{__LINE__, "3", true}, Row{__LINE__, "1", false}}) {
    SCOPED_TRACE(row.line);
    const VantResult r = Run({"print", "--printer", "Vant3 PDF", "--copies", row.copies, page});
    EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
    EXPECT_EQ(Contains(r.err, "vant: --copies 3 は印刷サーバーのジョブの部数です。PDF ファイルは 1 部だけ書きました。\n"),
              row.said) << r.err;
    EXPECT_TRUE(std::filesystem::exists(work_ / "page.pdf"));
  }
}

TEST_F(VantConventionsTest, StandardInputAndOutputCarryThePageAndThePdf) {
  const std::filesystem::path page = WritePage("page.html", kTwoPages);
  const VantResult r = Run({"pdf", "-", "-o", "-", "--title", "請求書 12月"}, page);
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  // Standard output holds the PDF alone; where it went is said on standard error.
  EXPECT_EQ(r.out.rfind("%PDF-", 0), 0u);
  EXPECT_TRUE(Contains("\n" + r.err, "\n標準出力に 2 ページの PDF を書き込みました。\n")) << r.err;
  EXPECT_TRUE(work_.Names().empty());
  WriteFile(pages_ / "out.pdf", r.out);
  const PdfFacts facts = InspectPdf(pages_ / "out.pdf");
  EXPECT_EQ(facts.pages, 2);
  EXPECT_EQ(facts.title, "請求書 12月");
}

TEST_F(VantConventionsTest, TheShippedExampleRoundTripsThroughAPipe) {
  const std::string command = "cat " + ShellQuoted(std::string(VANT_EXAMPLES_DIR) + "/invoice.html") + " | " +
                              ShellQuoted(VantBinary().string()) + " pdf - -o - 2>/dev/null | pdfinfo -";
  const std::string info = RunShell("cd " + ShellQuoted(work_.Path().string()) + " && CUPS_SERVER=/nonexistent " + command);
  EXPECT_TRUE(Contains(info, "\nPages:           2\n")) << info;
  EXPECT_TRUE(work_.Names().empty());
}

TEST_F(VantConventionsTest, StandardOutputTakesOneDocumentOnly) {
  // Two PDF files one after the other would read as one damaged file: the second stops the run.
  std::vector<std::string> twoDocuments = kTwoPages;
  twoDocuments.insert(twoDocuments.end(), {"prntext,20,20,三,ＭＳ 明朝,12,false,false,0", "enddoc"});
  const VantResult r = Run({"pdf", WritePage("two.html", twoDocuments).string(), "-o", "-"});
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_TRUE(Contains(r.err, "標準出力には PDF を 1 つしか書き出せません。")) << r.err;
  WriteFile(pages_ / "out.pdf", r.out);
  EXPECT_EQ(InspectPdf(pages_ / "out.pdf").pages, 2);
}

TEST_F(VantConventionsTest, OptionsWithEqualsAndADoubleDashBeforeAPageNamedLikeAnOption) {
  const std::filesystem::path page = WritePage("-page.html", kTwoPages);
  // Run in the page's folder, so that the page's name is the bare "-page.html".
  VantOptions options;
  options.workDir = pages_.Path();
  const VantResult r = RunVant({"pdf", "--output=" + (work_ / "eq.pdf").string(), "--title=表題", "--", "-page.html"}, options);
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(work_.Names(), std::vector<std::string>{"eq.pdf"});
  const PdfFacts facts = InspectPdf(work_ / "eq.pdf");
  EXPECT_EQ(facts.pages, 2);
  EXPECT_EQ(facts.title, "表題");

  // Without "--" the name reads as options.
  const VantResult refused = RunVant({"pdf", "-page.html"}, options);
  EXPECT_TRUE(refused.exited && refused.status == 2) << refused.Describe();
}

TEST_F(VantConventionsTest, PrintOnThePdfPrinterWritesTheTitleAndTheDefaultTitleIsThePageName) {
  const std::filesystem::path page = WritePage("invoice.html", kTwoPages);
  const VantResult titled = Run({"print", page.string(), "--printer", "Vant3 PDF", "--title", "月次請求", "--copies", "2"});
  ASSERT_TRUE(titled.exited && titled.status == 0) << titled.Describe();
  EXPECT_EQ(InspectPdf(work_ / "invoice.pdf").title, "月次請求");
  std::filesystem::remove(work_ / "invoice.pdf");
  const VantResult plain = Run({"pdf", page.string()});
  ASSERT_TRUE(plain.exited && plain.status == 0) << plain.Describe();
  EXPECT_EQ(InspectPdf(work_ / "invoice.pdf").title, "invoice");
}

}  // namespace
}  // namespace vant::test
