// The vant command refuses what it cannot obey with a clear message and the right exit
// status, and leaves nothing half-written behind: command lines it does not understand
// (exit 2 with the usage), pages it cannot read (exit 2 naming the file) and pages whose
// property reading fails (the "Error" box, exit 1, nothing printed).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "host_pages.h"
#include "vant_process.h"

namespace vant::test {
namespace {

constexpr char kUsageStart[] = "usage: vant print PAGE [--printer NAME] [--object ID]\n";

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

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
    EXPECT_FALSE(Contains(r.err, "usage:")) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(work_.Names().empty());
  }

  TempDir pages_;
  TempDir work_;
};

TEST_F(VantBadInputTest, VerbsItDoesNotKnowGetTheUsage) {
  ExpectUsageError({}, "a verb is needed");
  ExpectUsageError({"frob", GoodPage()}, "unknown verb \"frob\"");
  // Verbs are written in lower case.
  ExpectUsageError({"PRINT", GoodPage()}, "unknown verb \"PRINT\"");
}

TEST_F(VantBadInputTest, OptionsItDoesNotKnowOrThatLackTheirValueGetTheUsage) {
  const std::string page = GoodPage();
  ExpectUsageError({"print", page, "--bogus"}, "unknown option \"--bogus\" for print");
  ExpectUsageError({"methods", page, "-x"}, "unknown option \"-x\" for methods");
  ExpectUsageError({"print", page, "--printer"}, "--printer needs a value");
  ExpectUsageError({"pdf", page, "-o"}, "-o needs a value");
  ExpectUsageError({"methods", page, "--object"}, "--object needs a value");
}

TEST_F(VantBadInputTest, OptionsOfOtherVerbsAndAWrongNumberOfPagesGetTheUsage) {
  const std::string page = GoodPage();
  ExpectUsageError({"print", page, "-o", (work_ / "x.pdf").string()}, "-o is for pdf and render");
  ExpectUsageError({"pdf", page, "--printer", "Office"}, "--printer is not for pdf");
  ExpectUsageError({"methods", page, "--printer", "Office"}, "--printer is not for methods");
  ExpectUsageError({"printers", "--object", "a"}, "--object is not for printers");
  ExpectUsageError({"print"}, "print takes one PAGE");
  ExpectUsageError({"pdf", page, page}, "pdf takes one PAGE");
  ExpectUsageError({"printers", page}, "printers takes no PAGE");
}

TEST_F(VantBadInputTest, HelpPrintsTheUsageAndSucceeds) {
  const VantResult r = Run({"--help"});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out.rfind(kUsageStart, 0), 0u) << r.out;
}

TEST_F(VantBadInputTest, AnOutputThatIsNoFileNameIsAUsageError) {
  const std::string page = GoodPage();
  ExpectUsageError({"pdf", page, "-o", ""}, "-o takes a file name, not \"\"");
  const std::string dirLike = (work_ / "sub").string() + "/";
  ExpectUsageError({"pdf", page, "-o", dirLike}, "-o takes a file name, not \"" + dirLike + "\"");
}

TEST_F(VantBadInputTest, APdfPathThatIsNotUtf8IsAUsageErrorNotAnotherFile) {
  // The file would otherwise be written under a name with U+FFFD in place of the bytes.
  const std::string page = GoodPage();
  const std::string notUtf8 = (work_ / "\xfe\xff.pdf").string();
  ExpectUsageError({"pdf", page, "-o", notUtf8}, "the PDF file's path is not UTF-8 (give -o with a UTF-8 path): " + notUtf8);
  const std::string oddPage =
      WritePage("\x81\x40.html", HostPage(MethodParams({"prntext,10,10,x,ＭＳ 明朝,10,false,false,0", "enddoc"})));
  ExpectUsageError({"pdf", oddPage}, "the page's file name is not UTF-8: name the PDF file with vant pdf -o");
  // Without a print server, print writes the PDF too.
  ExpectUsageError({"print", oddPage}, "the page's file name is not UTF-8: name the PDF file with vant pdf -o");
  // Named with -o, the same page prints.
  const VantResult r = Run({"pdf", oddPage, "-o", "named.pdf"});
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(work_.Names(), std::vector<std::string>{"named.pdf"});
}

TEST_F(VantBadInputTest, APdfThatWouldOverwriteThePageIsAUsageError) {
  const std::string page = GoodPage();
  const std::string before = ReadFile(page);
  ExpectUsageError({"pdf", page, "-o", page}, "the PDF file would overwrite the page: " + page);
  EXPECT_EQ(ReadFile(page), before);

  // A page named .pdf printed in its own folder on the PDF printer: the default file is the page.
  WriteFile(work_ / "form.pdf", before);
  for (const std::string verb : {"pdf", "print"}) {
    const VantResult r = Run({verb, "form.pdf"});
    EXPECT_TRUE(r.exited && r.status == 2) << r.Describe();
    EXPECT_TRUE(Contains(r.err, "vant: the PDF file would overwrite the page: " + (work_ / "form.pdf").string()))
        << r.err;
    EXPECT_EQ(ReadFile(work_ / "form.pdf"), before);
  }
}

TEST_F(VantBadInputTest, APrinterNoOneHasIsAUsageErrorAndNothingIsPrinted) {
  // Without a print server the PDF printer is the only one, and it would write into work_.
  ExpectUsageError({"print", GoodPage(), "--printer", "Office"},
                   "no installed printer is named \"Office\" (see vant printers)");
  // The name is compared as the list's method compares it: case matters.
  ExpectUsageError({"print", GoodPage(), "--printer", "vant3 pdf"},
                   "no installed printer is named \"vant3 pdf\" (see vant printers)");
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
    ExpectUnreadable(verb, missing, "ファイルがありません");
  }
}

TEST_F(VantBadInputTest, ADirectoryIsNotAPage) {
  for (const std::string verb : {"methods", "print", "pdf"}) ExpectUnreadable(verb, pages_.Path().string(), "フォルダです");
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
