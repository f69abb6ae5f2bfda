// The vant command refuses what it cannot obey with a clear message and the right exit
// status, and leaves nothing half-written behind: command lines it does not understand
// (exit 2 with the usage), pages it cannot read (exit 2 naming the file) and pages whose
// property reading fails (the "Error" box, exit 1, nothing printed).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "host_pages.h"
#include "vant_process.h"
#include "contains.h"

namespace vant::test {
namespace {

// The usage that follows a usage error: the verb's own, or every verb's.
constexpr char kUsageStart[] = "使い方: vant ";

class VantBadInputTest : public testing::Test {
 protected:
  // A page in its own directory; the command runs in work_, which must stay empty.
  std::string WritePage(const std::string& name, const std::string& bytes) {
    WriteFile(pages_ / name, bytes);
    return (pages_ / name).string();
  }
  std::string GoodPage() {
    return WritePage("good.html", HostPage(MethodParams({"prntext,10,10,x,ＭＳ 明朝,10,false,false,0", "enddoc"})));
  }
  VantResult Run(const std::vector<std::string>& args) { return RunVantIn(work_, args); }

  // Exit 2, the reason and the usage on standard error, nothing on standard output and
  // nothing written.
  void ExpectUsageError(const std::vector<std::string>& args, const std::string& reason) {
    const VantResult r = Run(args);
    SCOPED_TRACE(args.empty() ? std::string("(no arguments)") : args[0]);
    EXPECT_TRUE(r.exited && r.status == 2) << r.Describe();
    EXPECT_TRUE(Contains(r.err, "vant: " + reason + "\n" + kUsageStart)) << r.Describe();
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(work_.Names().empty());
  }

  // Exit 2 and one line naming the page and why it cannot be read; no usage, no output.
  void ExpectUnreadable(const std::string& verb, const std::string& page, const std::string& reason) {
    const VantResult r = Run({verb, page});
    SCOPED_TRACE(verb + " " + page);
    EXPECT_TRUE(r.exited && r.status == 2) << r.Describe();
    EXPECT_TRUE(Contains(r.err, "vant: ページを読み込めません: " + page + ": " + reason + "\n")) << r.Describe();
    EXPECT_FALSE(Contains(r.err, "使い方:")) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(work_.Names().empty());
  }

  TempDir pages_;
  TempDir work_;
};

TEST_F(VantBadInputTest, VerbsItDoesNotKnowGetTheUsage) {
  ExpectUsageError({}, "コマンドを指定してください");
  ExpectUsageError({"frob", GoodPage()}, "不明なコマンド「frob」です");
  // Verbs are written in lower case.
  ExpectUsageError({"PRINT", GoodPage()}, "不明なコマンド「PRINT」です");
}

TEST_F(VantBadInputTest, OptionsItDoesNotKnowOrThatLackTheirValueGetTheUsage) {
  const std::string page = GoodPage();
  ExpectUsageError({"print", page, "--bogus"}, "不明なオプション「--bogus」です");
  ExpectUsageError({"methods", page, "-x"}, "不明なオプション「-x」です");
  ExpectUsageError({"print", page, "--printer"}, "オプション「--printer」に値を指定してください");
  ExpectUsageError({"pdf", page, "-o"}, "オプション「-o」に値を指定してください");
  ExpectUsageError({"methods", page, "--object"}, "オプション「--object」に値を指定してください");
}

TEST_F(VantBadInputTest, OptionsOfOtherVerbsAndAWrongNumberOfPagesGetTheUsage) {
  const std::string page = GoodPage();
  ExpectUsageError({"print", page, "-o", (work_ / "x.pdf").string()}, "オプション「-o」は print には使えません");
  ExpectUsageError({"pdf", page, "--printer", "Office"}, "オプション「--printer」は pdf には使えません");
  ExpectUsageError({"methods", page, "--printer", "Office"}, "オプション「--printer」は methods には使えません");
  ExpectUsageError({"printers", "--object", "a"}, "オプション「--object」は printers には使えません");
  ExpectUsageError({"print"}, "print にはページ (PAGE) を 1 つ指定してください");
  ExpectUsageError({"pdf", page, page}, "pdf にはページ (PAGE) を 1 つ指定してください");
  ExpectUsageError({"printers", page}, "printers は引数を取りません (「" + page + "」)");
}

TEST_F(VantBadInputTest, HelpPrintsTheUsageAndSucceeds) {
  const VantResult r = Run({"--help"});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out.rfind("使い方: vant COMMAND", 0), 0u) << r.out;
}

TEST_F(VantBadInputTest, AnOutputThatIsNoFileNameIsAUsageError) {
  const std::string page = GoodPage();
  ExpectUsageError({"pdf", page, "-o", ""}, "-o にはファイル名を指定してください (「」は使えません)");
  const std::string dirLike = (work_ / "sub").string() + "/";
  ExpectUsageError({"pdf", page, "-o", dirLike}, "-o にはファイル名を指定してください (「" + dirLike + "」は使えません)");
}

TEST_F(VantBadInputTest, APdfPathThatIsNotUtf8IsAUsageErrorNotAnotherFile) {
  // The file would otherwise be written under a name with U+FFFD in place of the bytes.
  const std::string page = GoodPage();
  const std::string notUtf8 = (work_ / "\xfe\xff.pdf").string();
  ExpectUsageError({"pdf", page, "-o", notUtf8},
                   "PDF ファイルのパスが UTF-8 ではありません (-o に UTF-8 のパスを指定してください): " + notUtf8);
  const std::string oddPage =
      WritePage("\x81\x40.html", HostPage(MethodParams({"prntext,10,10,x,ＭＳ 明朝,10,false,false,0", "enddoc"})));
  ExpectUsageError({"pdf", oddPage}, "ページのファイル名が UTF-8 ではありません: PDF ファイルを vant pdf -o で指定してください");
  // Without a print server, print writes the PDF too.
  ExpectUsageError({"print", oddPage}, "ページのファイル名が UTF-8 ではありません: PDF ファイルを vant pdf -o で指定してください");
  // Named with -o, the same page prints.
  const VantResult r = Run({"pdf", oddPage, "-o", "named.pdf"});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(work_.Names(), std::vector<std::string>{"named.pdf"});
}

TEST_F(VantBadInputTest, APdfThatWouldOverwriteThePageIsAUsageError) {
  const std::string page = GoodPage();
  const std::string before = ReadFile(page);
  ExpectUsageError({"pdf", page, "-o", page}, "PDF ファイルがページ自身を上書きしてしまいます: " + page);
  EXPECT_EQ(ReadFile(page), before);

  // A page named .pdf printed in its own folder on the PDF printer: the default file is the page.
  WriteFile(work_ / "form.pdf", before);
  for (const std::string verb : {"pdf", "print"}) {
    const VantResult r = Run({verb, "form.pdf"});
    EXPECT_TRUE(r.exited && r.status == 2) << r.Describe();
    EXPECT_TRUE(Contains(r.err, "vant: PDF ファイルがページ自身を上書きしてしまいます: " + (work_ / "form.pdf").string()))
        << r.err;
    EXPECT_EQ(ReadFile(work_ / "form.pdf"), before);
  }
}

TEST_F(VantBadInputTest, APrinterNoOneHasIsAUsageErrorAndNothingIsPrinted) {
  // Without a print server the PDF printer is the only one, and it would write into work_.
  ExpectUsageError({"print", GoodPage(), "--printer", "Office"},
                   "「Office」という名前のプリンターはありません (vant printers で一覧を表示します)");
  // The name is compared as the list's method compares it: case matters.
  ExpectUsageError({"print", GoodPage(), "--printer", "vant3 pdf"},
                   "「vant3 pdf」という名前のプリンターはありません (vant printers で一覧を表示します)");
}

TEST_F(VantBadInputTest, AnObjectIdThatMatchesNothingIsAUsageError) {
  const std::string page = WritePage("two.html", HostPage(MethodParams({"enddoc"}), "Invoice"));
  for (const std::string verb : {"methods", "print", "pdf"}) {
    ExpectUsageError({verb, page, "--object", "Label"}, "id が \"Label\" の OBJECT 要素はページにありません");
  }
}

TEST_F(VantBadInputTest, AMissingPageIsNamed) {
  const std::string missing = (pages_ / "nowhere.html").string();
  for (const std::string verb : {"methods", "print", "pdf", "show", "preview"}) {
    ExpectUnreadable(verb, missing, "ファイルまたはディレクトリがありません");
  }
}

TEST_F(VantBadInputTest, ADirectoryIsNotAPage) {
  for (const std::string verb : {"methods", "print", "pdf"}) ExpectUnreadable(verb, pages_.Path().string(), "ディレクトリです");
}

TEST_F(VantBadInputTest, AFifoIsRefusedWithoutWaitingForAWriter) {
  // Opening a FIFO for reading would wait for a writer that never comes; the time limit
  // of the child catches a hang.
  const std::string fifo = (pages_ / "page.html").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string verb : {"methods", "print"}) ExpectUnreadable(verb, fifo, "通常のファイルではありません");
}

TEST_F(VantBadInputTest, BinaryJunkIsNotAPage) {
  std::string withNul = HostPage(MethodParams({"enddoc"}));
  withNul.insert(withNul.size() / 2, std::string("\0\x01\x02\xff", 4));
  ExpectUnreadable("methods", WritePage("nul.html", withNul), "テキストではありません (NUL バイトを含みます)");
  ExpectUnreadable("pdf", WritePage("nul.html", withNul), "テキストではありません (NUL バイトを含みます)");

  // Bytes that are neither UTF-8 nor a declared Japanese encoding.
  std::string highBytes;
  for (int i = 0; i < 4000; ++i) highBytes += static_cast<char>(0x80 + (i * 37) % 0x7f);
  const VantResult r = Run({"print", WritePage("junk.bin", highBytes)});
  EXPECT_TRUE(r.exited && r.status == 2) << r.Describe();
  EXPECT_TRUE(Contains(r.err, "ページを読み込めません: " + (pages_ / "junk.bin").string() + ": テキストではありません"))
      << r.err;
  EXPECT_TRUE(work_.Names().empty());
}

TEST_F(VantBadInputTest, APageTooLargeIsRefusedBeforeItIsRead) {
  // Sparse: 65 MiB of nothing, beyond the 64 MiB any real page stays under.
  const auto page = pages_ / "huge.html";
  WriteFile(page, "<object>");
  std::filesystem::resize_file(page, 65u << 20);
  ExpectUnreadable("methods", page.string(), "ファイルが大きすぎます (上限 64 MiB)");
}

TEST_F(VantBadInputTest, APageNestedTooDeepIsRefusedInsteadOfParsedForMinutes) {
  std::string page = "<html><body>";
  for (int i = 0; i < 40000; ++i) page += "<div>";
  page += "<object><param name=\"method1\" value=\"enddoc\"></object></body></html>";
  const std::string path = WritePage("deep.html", page);
  ExpectUnreadable("methods", path, "要素の入れ子が深すぎるため解析できません");
  ExpectUnreadable("pdf", path, "要素の入れ子が深すぎるため解析できません");
}

// method1..methodN PARAMs, each a "newpage".
std::string ManyMethodsPage(int count) {
  std::string page = "<html><body><object id=\"c\">\n";
  for (int i = 1; i <= count; ++i) page += "<param name=\"method" + std::to_string(i) + "\" value=\"newpage\">\n";
  return page + "</object></body></html>\n";
}

TEST_F(VantBadInputTest, The32767thMethodOverflowsTheIntakeAndNothingIsPrinted) {
  const std::string page = WritePage("many.html", ManyMethodsPage(32767));
  const VantResult r = Run({"pdf", page});
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_TRUE(Contains(r.err, "[critical] Error\nオーバーフローしました。\n\n")) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(work_.Names().empty());
}

TEST_F(VantBadInputTest, AnOutOfRangeButtonWidthFailsTheReadingAndNothingIsPrinted) {
  for (const std::string setting : {"発行,32768", "発行,-32769", "発行,120,1e9", "発行,&H10000"}) {
    SCOPED_TRACE(setting);
    std::vector<Param> params = MethodParams({"prntext,10,10,x,ＭＳ 明朝,10,false,false,0", "enddoc"});
    params.push_back({"CmdProperty", setting});
    const VantResult r = Run({"print", WritePage("cmd.html", HostPage(params))});
    EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
    EXPECT_TRUE(Contains(r.err, "[critical] Error\nオーバーフローしました。\n\n")) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(work_.Names().empty());
  }
}

TEST_F(VantBadInputTest, AnOutOfRangeModeFailsTheReading) {
  std::vector<Param> params = MethodParams({"enddoc"});
  params.push_back({"Mode", "40000"});
  const VantResult r = Run({"pdf", WritePage("mode.html", HostPage(params))});
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_TRUE(Contains(r.err, "[critical] Error\nオーバーフローしました。\n\n")) << r.err;
  EXPECT_TRUE(work_.Names().empty());
}

}  // namespace
}  // namespace vant::test
