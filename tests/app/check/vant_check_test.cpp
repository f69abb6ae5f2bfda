// `vant check PAGE...` without a print server, on the PDF printer: each warning kind raised
// by a page that has the fault and not by its sound twin, with the method and the line of
// its PARAM; the verdict, the exit status and the summary; many pages reported in the
// order given; nothing written; usage errors.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "host_pages.h"
#include "json_lines.h"
#include "vant_process.h"
#include "contains.h"

namespace vant::test {
namespace {

const std::string kPdfPrinter = "Vant3 PDF";

class VantCheckTest : public testing::Test {
 protected:
  std::string WritePage(const std::string& name, const std::vector<Param>& params) {
    WriteFile(pages_ / name, HostPage(params));
    return (pages_ / name).string();
  }
  std::string WriteMethods(const std::string& name, const std::vector<std::string>& methods) {
    return WritePage(name, MethodParams(methods));
  }
  VantResult Check(std::vector<std::string> pages, bool json = true) {
    std::vector<std::string> args{"check", "--printer", kPdfPrinter};
    if (json) args.push_back("--json");
    args.insert(args.end(), pages.begin(), pages.end());
    return RunVantIn(work_, args);
  }
  // The one page's JSON object.
  QJsonObject CheckOne(const std::string& page) {
    const VantResult r = Check({page});
    EXPECT_TRUE(r.exited) << r.Describe();
    const std::vector<QJsonObject> objects = JsonLines(r.out);
    EXPECT_EQ(objects.size(), 1u) << r.Describe();
    return objects.empty() ? QJsonObject() : objects.front();
  }

  TempDir pages_;
  TempDir work_;
};

// The first line of a page from HostPage holding a PARAM: the PARAMs follow the OBJECT's
// start tag on line 4, one a line.
constexpr int kFirstParamLine = 5;

TEST_F(VantCheckTest, EachWarningKindIsRaisedByItsFaultAndNotByTheSoundPage) {
  struct Row {
    int line;
    std::string kind;                 // the JSON name of the warning
    std::vector<std::string> faulty;  // methods; the last method (before enddoc) has the fault
    std::vector<std::string> sound;
  };
  const std::string mm = "scalemode,mm";
  const Row rows[] = {
      {__LINE__, "offSheet", {mm, "prnbox,180,10,260,40,1,0,0"}, {mm, "prnbox,10,10,50,40,1,0,0"}},
      {__LINE__, "offSheet", {mm, "prnbox,-50,-50,-10,-10,1,0,0"}, {mm, "prnbox,0,0,10,10,1,0,0"}},
      {__LINE__, "textPastEdge", {mm, "prntext,150,30,とても長い文字列です長い文字列,ＭＳ 明朝,24,false,false,0"},
       {mm, "prntext,20,30,短い文字列,ＭＳ 明朝,24,false,false,0"}},
      // A name with no face of its own on any machine; the Windows name has the shipped alias.
      {__LINE__, "font", {mm, "prntext,20,50,abc,NoSuchFontXyz,12,false,false,0"},
       {mm, "prntext,20,50,abc,ＭＳ 明朝,12,false,false,0"}},
      // The symbol is 208 modules with its quiet zones. 1 mm asked: one dot a module at
      // 600 dpi; 26 mm: three (26.4 mm).
      {__LINE__, "barcodeModules", {mm, "prncode39,12,100,SKR-24113007,1,10,true,true"},
       {mm, "prncode39,12,100,SKR-24113007,26,10,true,true"}},
      // 10 mm asked: two dots a module make it 17.6 mm; 35 mm: four dots, 35.2 mm.
      {__LINE__, "barcodeWidth", {mm, "prncode39,12,100,SKR-24113007,10,10,true,true"},
       {mm, "prncode39,12,100,SKR-24113007,35,10,true,true"}},
      // A QR Code of 21 modules: a side of 21 dots is one dot a module, 84 four.
      {__LINE__, "barcodeModules", {"scalemode,pixels", "prnqr,300,300,x,21"}, {"scalemode,pixels", "prnqr,300,300,x,84"}},
      // 2 mm asked (47.2 dots): three dots a module make it 2.7 mm; 20 mm: 23 dots, 20.4 mm.
      {__LINE__, "barcodeWidth", {mm, "prnqr,12,100,x,2"}, {mm, "prnqr,12,100,x,20"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    for (const bool faulty : {true, false}) {
      std::vector<std::string> methods = faulty ? row.faulty : row.sound;
      methods.push_back("enddoc");
      const QJsonObject page = CheckOne(WriteMethods("page.html", methods));
      const QJsonArray warnings = page["warnings"].toArray();
      if (!faulty) {
        EXPECT_TRUE(warnings.isEmpty()) << QJsonDocument(warnings).toJson().toStdString();
        continue;
      }
      bool found = false;
      for (const auto& value : warnings) {
        const QJsonObject warning = value.toObject();
        if (warning["kind"].toString().toStdString() != row.kind) continue;
        found = true;
        const int method = static_cast<int>(methods.size()) - 1;
        EXPECT_EQ(warning["method"].toInt(), method);
        EXPECT_EQ(warning["line"].toInt(), kFirstParamLine + method - 1);
        EXPECT_FALSE(warning["text"].toString().isEmpty());
      }
      EXPECT_TRUE(found) << row.kind << " not in " << QJsonDocument(warnings).toJson().toStdString();
      // A warning never fails a page.
      EXPECT_FALSE(page["failed"].toBool());
    }
  }
}

// JAN data is printed as the symbol's digits: padded, cut, its leading zeros lost and its
// check digit computed. Printing keeps doing so; the check says what will be printed.
TEST_F(VantCheckTest, JanDataPrintedAsOtherDigitsThanWrittenIsSaidWithThePrintedDigits) {
  struct Row {
    int line;
    std::string command;
    std::string written;
    std::string printed;  // empty: no warning
  };
  const Row rows[] = {
      {__LINE__, "prnjan13", "49012345", "4901234500006"},
      {__LINE__, "prnjan13", "4901234567890", "4901234567894"},  // a wrong check digit
      {__LINE__, "prnjan13", "0490123456789", "4901234567894"},  // a number: the zero is lost
      {__LINE__, "prnjan13", "49012345678901", "4901234567894"},
      {__LINE__, "prnjan13", "4901234567894", ""},
      {__LINE__, "prnjan13", "490123456789", ""},                // the check digit added
      {__LINE__, "prnjan8", "123", "12300006"},
      {__LINE__, "prnjan8", "49012340", "49012347"},
      {__LINE__, "prnjan8", "4901234", ""},
      {__LINE__, "prnjan8", "49012347", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const QJsonObject page =
        CheckOne(WriteMethods("page.html", {"scalemode,mm", row.command + ",20,20," + row.written + ",40,20,true", "enddoc"}));
    std::vector<std::string> texts;
    for (const auto& value : page["warnings"].toArray()) {
      if (value.toObject()["kind"].toString() == "janData") texts.push_back(value.toObject()["text"].toString().toStdString());
    }
    if (row.printed.empty()) {
      EXPECT_TRUE(texts.empty()) << texts.front();
      continue;
    }
    ASSERT_EQ(texts.size(), 1u) << QJsonDocument(page).toJson().toStdString();
    EXPECT_TRUE(Contains(texts[0], "「" + row.written + "」は「" + row.printed + "」と印刷されます")) << texts[0];
    EXPECT_EQ(page["warnings"].toArray()[0].toObject()["method"].toInt(), 2);
    EXPECT_FALSE(page["failed"].toBool());
  }
}

// A long text is measured whole, however long (its width once wrapped in Qt's fixed-point
// sums), and the warning quotes only its start.
TEST_F(VantCheckTest, TheTextPastTheEdgeIsMeasuredWholeAndQuotedByItsStart) {
  struct Row {
    int line;
    int characters;  // "あ", one em wide: 12 points, 4.2333 mm
  };
  const Row rows[] = {{__LINE__, 100}, {__LINE__, 10000}, {__LINE__, 30000}, {__LINE__, 60000}, {__LINE__, 100000}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    std::string text;
    for (int i = 0; i < row.characters; ++i) text += "あ";
    const QJsonObject page = CheckOne(
        WriteMethods("page.html", {"scalemode,mm", "prntext,20,30," + text + ",ＭＳ 明朝,12,false,false,0", "enddoc"}));
    const QJsonArray warnings = page["warnings"].toArray();
    ASSERT_EQ(warnings.size(), 1) << QJsonDocument(warnings).toJson().toStdString().substr(0, 2000);
    EXPECT_EQ(warnings[0].toObject()["kind"].toString(), "textPastEdge");
    const std::string said = warnings[0].toObject()["text"].toString().toStdString();
    std::string quoted;
    for (int i = 0; i < 20; ++i) quoted += "あ";
    EXPECT_TRUE(Contains(said, "文字列「" + quoted + "…」は 12.0 ポイントでは用紙の右端を ")) << said.substr(0, 300);
    // From 20 mm on a sheet 210 mm wide.
    const double expected = row.characters * 12 * 25.4 / 72 + 20 - 210;
    const size_t at = said.find("右端を ");
    ASSERT_NE(at, std::string::npos) << said.substr(0, 300);
    EXPECT_NEAR(std::stod(said.substr(at + std::string("右端を ").size())), expected, 0.5) << said.substr(0, 300);
  }
}

TEST_F(VantCheckTest, AParamThatLooksLikeAMethodButIsNotReadIsNamed) {
  struct Row {
    int line;
    Param param;
    bool warned;
  };
  const Row rows[] = {
      {__LINE__, {"metod2", "prnbox,10,10,50,40,1,0,0"}, true},
      {__LINE__, {" method2", "prnbox,10,10,50,40,1,0,0"}, true},
      {__LINE__, {"note", "prntext,20,50,abc,ＭＳ 明朝,12,false,false,0"}, true},
      {__LINE__, {"note", "a remark for the page's reader"}, false},
      {__LINE__, {"methodcnt", "3"}, false},
      {__LINE__, {"method2", "prnbox,10,10,50,40,1,0,0"}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const QJsonObject page = CheckOne(WritePage("page.html", {{"method1", "scalemode,mm"}, row.param, {"method3", "enddoc"}}));
    int unread = 0;
    for (const auto& value : page["warnings"].toArray()) {
      const QJsonObject warning = value.toObject();
      if (warning["kind"].toString() != "unreadParam") continue;
      ++unread;
      EXPECT_EQ(warning["line"].toInt(), kFirstParamLine + 1);
      EXPECT_TRUE(warning["method"].isNull());
      EXPECT_TRUE(warning["text"].toString().contains(QString::fromStdString(row.param.name)));
    }
    EXPECT_EQ(unread, row.warned ? 1 : 0);
  }
}

TEST_F(VantCheckTest, BytesThatDoNotMatchTheDeclaredEncodingAreAWarningOfThePage) {
  // Shift_JIS bytes: most of its two-byte characters are not UTF-8.
  const std::string methods = Reencoded(
      "<param name=\"method1\" value=\"prntext,20,30,御請求書 納品書 領収書,ＭＳ 明朝,12,false,false,0\">\n"
      "<param name=\"method2\" value=\"enddoc\">\n",
      "UTF-8", "SHIFT_JIS");
  const auto page = [&](const std::string& charset, const std::string& body) {
    return "<html><head><meta charset=\"" + charset + "\"></head><body>\n<object id=\"PrnCtl1\">\n" + body +
           "</object></body></html>\n";
  };
  // Shift_JIS bytes declared as UTF-8; the same page declared as what it is.
  WriteFile(pages_ / "mismatch.html", page("utf-8", methods));
  WriteFile(pages_ / "match.html", page("Shift_JIS", methods));
  for (const auto& [name, warned] : {std::pair{"mismatch.html", true}, std::pair{"match.html", false}}) {
    SCOPED_TRACE(name);
    const QJsonObject result = CheckOne((pages_ / name).string());
    int encoding = 0;
    for (const auto& value : result["warnings"].toArray()) {
      encoding += value.toObject()["kind"].toString() == "encoding" ? 1 : 0;
    }
    EXPECT_EQ(encoding, warned ? 1 : 0);
  }
}

TEST_F(VantCheckTest, TheReportNamesTheControlItsDocumentsAndPages) {
  const std::string page = WriteMethods("label.html", {"papersize,a5", "orientation,横", "colormode,vbprcmmonochrome",
                                                       "prnbox,10,10,50,40,1,0,0", "newpage",
                                                       "prnbox,10,10,50,40,1,0,0", "enddoc"});
  const QJsonObject result = CheckOne(page);
  EXPECT_EQ(result["page"].toString().toStdString(), page);
  EXPECT_TRUE(result["readable"].toBool());
  EXPECT_TRUE(result["reason"].isNull());
  const QJsonObject control = result["control"].toObject();
  EXPECT_EQ(control["id"].toString(), "PrnCtl1");
  EXPECT_EQ(control["line"].toInt(), kFirstParamLine - 1);
  EXPECT_EQ(control["methods"].toInt(), 7);
  const QJsonArray documents = result["documents"].toArray();
  ASSERT_EQ(documents.size(), 1);
  EXPECT_EQ(documents[0].toObject()["printer"].toString().toStdString(), kPdfPrinter);
  const QJsonArray pages = documents[0].toObject()["pages"].toArray();
  ASSERT_EQ(pages.size(), 2);
  for (const auto& value : pages) {
    const QJsonObject sheet = value.toObject();
    EXPECT_EQ(sheet["paper"].toObject()["name"].toString(), "A5");
    // Landscape: the sheet lies 210 mm wide.
    EXPECT_NEAR(sheet["paper"].toObject()["widthMm"].toDouble(), 210, 0.5);
    EXPECT_NEAR(sheet["paper"].toObject()["heightMm"].toDouble(), 148, 0.5);
    EXPECT_EQ(sheet["orientation"].toObject()["code"].toInt(), 2);
    EXPECT_EQ(sheet["colorMode"].toObject()["code"].toInt(), 1);
  }
  EXPECT_TRUE(result["messages"].toArray().isEmpty());
  EXPECT_FALSE(result["failed"].toBool());
}

TEST_F(VantCheckTest, AStopFailsThePageWithTheBoxPrintingShowsAndTheExitStatusSaysSo) {
  const std::string sound = WriteMethods("sound.html", {"prnbox,10,10,50,40,1,0,0", "enddoc"});
  const std::string stops = WriteMethods("stops.html", {"prnbox,10,10,50,40,1,0,0", "papersize,zz", "enddoc"});
  const std::string missing = (pages_ / "missing.html").string();
  const std::string warned = WriteMethods("warned.html", {"scalemode,mm", "prnbox,180,10,260,40,1,0,0", "enddoc"});
  struct Row {
    int line;
    std::vector<std::string> pages;
    int status;
    std::string summary;
  };
  const Row rows[] = {
      {__LINE__, {sound}, 0, "1 page checked, 0 failed, 0 warnings"},
      {__LINE__, {warned}, 0, "1 page checked, 0 failed, 1 warning"},
      {__LINE__, {warned, warned}, 0, "2 pages checked, 0 failed, 2 warnings"},
      {__LINE__, {sound, stops, sound}, 1, "3 pages checked, 1 failed, 0 warnings"},
      {__LINE__, {missing, sound}, 1, "2 pages checked, 1 failed, 0 warnings"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const VantResult text = Check(row.pages, /*json=*/false);
    ASSERT_TRUE(text.exited) << text.Describe();
    EXPECT_EQ(text.status, row.status) << text.Describe();
    // The summary is the last line of standard output without --json, of standard error with it.
    EXPECT_TRUE(text.out.ends_with(row.summary + "\n")) << text.out;
    const VantResult json = Check(row.pages);
    EXPECT_EQ(json.status, row.status) << json.Describe();
    EXPECT_TRUE(Contains(json.err, row.summary + "\n")) << json.err;
    EXPECT_EQ(JsonLines(json.out).size(), row.pages.size());
  }
  const VantResult r = Check({stops}, /*json=*/false);
  EXPECT_TRUE(Contains(r.out, "[critical] エラー\n\"zz\"\nPaperSize指定が不正です!\n2:papersize(zz)\n印刷を中断しました!\n"))
      << r.out;
  const QJsonObject page = JsonLines(Check({stops}).out).at(0);
  EXPECT_TRUE(page["failed"].toBool());
  const QJsonArray messages = page["messages"].toArray();
  ASSERT_FALSE(messages.isEmpty());
  EXPECT_EQ(messages[0].toObject()["icon"].toString(), "critical");
  EXPECT_EQ(messages[0].toObject()["title"].toString(), "エラー");
  // Its lines end as in the text report.
  EXPECT_EQ(messages[0].toObject()["text"].toString().toStdString(),
            "\"zz\"\nPaperSize指定が不正です!\n2:papersize(zz)\n印刷を中断しました!");
  // A stopped run prints nothing.
  EXPECT_TRUE(page["documents"].toArray().isEmpty());
  const QJsonObject unreadable = JsonLines(Check({missing}).out).at(0);
  EXPECT_FALSE(unreadable["readable"].toBool());
  EXPECT_FALSE(unreadable["reason"].toString().isEmpty());
  EXPECT_TRUE(unreadable["failed"].toBool());
}

TEST_F(VantCheckTest, ManyPagesAreReportedInTheOrderGivenAndNothingIsWritten) {
  std::vector<std::string> pages;
  for (int i = 0; i < 40; ++i) {
    const std::string name = "page" + std::to_string(i) + ".html";
    // Every third page stops; the others differ in their method count.
    std::vector<std::string> methods(static_cast<size_t>(1 + i % 5), "prnbox,10,10,50,40,1,0,0");
    if (i % 3 == 0) methods.push_back("nosuchcommand,1");
    methods.push_back("enddoc");
    pages.push_back(WriteMethods(name, methods));
  }
  const VantResult r = Check(pages);
  ASSERT_TRUE(r.exited && r.status == 1) << r.Describe();
  const std::vector<QJsonObject> objects = JsonLines(r.out);
  ASSERT_EQ(objects.size(), pages.size());
  for (size_t i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(objects[i]["page"].toString().toStdString(), pages[i]);
    EXPECT_EQ(objects[i]["failed"].toBool(), i % 3 == 0);
    EXPECT_EQ(objects[i]["control"].toObject()["methods"].toInt(), static_cast<int>(1 + i % 5 + (i % 3 == 0) + 1));
  }
  EXPECT_TRUE(Contains(r.err, "40 pages checked, 14 failed, 0 warnings\n")) << r.err;
  EXPECT_TRUE(work_.Names().empty());
}

// The reader's limits hold as for `vant print`: each such page is failed with the reader's
// reason, and the pages after it are checked all the same.
TEST_F(VantCheckTest, HostilePagesFailWithTheReadersReasonAndTheOthersAreStillChecked) {
  const auto huge = pages_ / "huge.html";
  WriteFile(huge, "<object>");
  std::filesystem::resize_file(huge, 65u << 20);  // sparse
  std::string deep = "<html><body>";
  for (int i = 0; i < 40000; ++i) deep += "<div>";
  deep += "<object><param name=\"method1\" value=\"enddoc\"></object></body></html>";
  WriteFile(pages_ / "deep.html", deep);
  constexpr char kWithNul[] = "<object>\0<param name=\"method1\" value=\"enddoc\"></object>";
  WriteFile(pages_ / "nul.html", std::string(kWithNul, sizeof kWithNul - 1));  // the NUL byte kept
  std::string many = "<html><body><object id=\"c\">\n";
  for (int i = 1; i <= 32767; ++i) many += "<param name=\"method" + std::to_string(i) + "\" value=\"newpage\">\n";
  WriteFile(pages_ / "many.html", many + "</object></body></html>\n");
  const std::string sound = WriteMethods("sound.html", {"prnbox,10,10,50,40,1,0,0", "enddoc"});

  struct Row {
    std::string page;
    std::string reason;  // the reader's; empty: the page is read and its reading fails
  };
  const Row rows[] = {
      {huge.string(), "ファイルが大きすぎます (上限 64 MiB)"},
      {(pages_ / "deep.html").string(), "要素の入れ子が深すぎるため解析できません"},
      {(pages_ / "nul.html").string(), "テキストではありません (NUL バイトを含みます)"},
      {(pages_ / "many.html").string(), ""},
  };
  std::vector<std::string> pages;
  for (const Row& row : rows) pages.insert(pages.end(), {row.page, sound});
  const VantResult r = Check(pages);
  ASSERT_TRUE(r.exited && r.status == 1) << r.Describe();
  const std::vector<QJsonObject> objects = JsonLines(r.out);
  ASSERT_EQ(objects.size(), pages.size());
  for (size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].page);
    const QJsonObject& page = objects[2 * i];
    EXPECT_TRUE(page["failed"].toBool());
    if (rows[i].reason.empty()) {
      EXPECT_TRUE(page["readable"].toBool());
      ASSERT_FALSE(page["messages"].toArray().isEmpty());
      EXPECT_EQ(page["messages"].toArray()[0].toObject()["title"].toString(), "Error");
      EXPECT_EQ(page["messages"].toArray()[0].toObject()["text"].toString(), "オーバーフローしました。");
    } else {
      EXPECT_FALSE(page["readable"].toBool());
      EXPECT_TRUE(page["reason"].toString().contains(QString::fromStdString(rows[i].reason))) << page["reason"].toString().toStdString();
      // `vant print` refuses the page for the same reason.
      const VantResult print = RunVantIn(work_, {"print", "--printer", kPdfPrinter, rows[i].page});
      EXPECT_TRUE(Contains(print.err, rows[i].reason)) << print.Describe();
    }
    EXPECT_FALSE(objects[2 * i + 1]["failed"].toBool());
  }
}

// A print server that is configured but down: `vant print` would print nothing, so each
// page fails with that reason, in the report and in the JSON, and the summary counts them.
TEST_F(VantCheckTest, AConfiguredServerThatIsDownFailsEveryPageWithTheReason) {
  const std::vector<std::string> pages = {WriteMethods("a.html", {"enddoc"}), WriteMethods("b.html", {"enddoc"})};
  const std::string why = "からプリンターの一覧を取得できません";
  struct Row {
    int line;
    bool json;
  };
  for (const Row row : {Row{__LINE__, false}, Row{__LINE__, true}}) {
    SCOPED_TRACE(row.line);
    std::vector<std::string> args{"check"};
    if (row.json) args.push_back("--json");
    args.insert(args.end(), pages.begin(), pages.end());
    const VantResult r = RunVantIn(work_, args);  // the server's socket does not exist
    ASSERT_TRUE(r.exited && r.status == 1) << r.Describe();
    const std::string summary = "2 pages checked, 2 failed, 0 warnings\n";
    if (row.json) {
      const std::vector<QJsonObject> objects = JsonLines(r.out);
      ASSERT_EQ(objects.size(), pages.size()) << r.Describe();
      for (size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(objects[i]["page"].toString().toStdString(), pages[i]);
        EXPECT_FALSE(objects[i]["readable"].toBool());
        EXPECT_TRUE(objects[i]["reason"].toString().contains(QString::fromStdString(why))) << r.out;
        EXPECT_TRUE(objects[i]["failed"].toBool());
      }
      EXPECT_TRUE(Contains(r.err, summary)) << r.err;
    } else {
      for (const std::string& page : pages) {
        EXPECT_TRUE(Contains(r.out, "== " + page + "\n印刷サーバー「")) << r.out;
      }
      EXPECT_TRUE(Contains(r.out, why)) << r.out;
      EXPECT_TRUE(Contains(r.out, "\n\n" + summary)) << r.out;
    }
    EXPECT_TRUE(Contains(r.err, "--printer \"Vant3 PDF\"")) << r.err;
  }
}

TEST_F(VantCheckTest, UsageErrorsExitWithTwo) {
  const std::string page = WriteMethods("page.html", {"enddoc"});
  const std::vector<std::vector<std::string>> rows = {
      {"check"},
      {"check", "-", "-"},
      {"check", "--printer", "No Such Printer", page},
      {"check", "--nosuchoption", page},
  };
  for (const auto& args : rows) {
    SCOPED_TRACE(args.size());
    const VantResult r = RunVantIn(work_, args);
    EXPECT_TRUE(r.exited && r.status == 2) << r.Describe();
    EXPECT_TRUE(r.out.empty()) << r.out;
  }
}

}  // namespace
}  // namespace vant::test
