// `vant check` outside a Japanese locale: each warning's English sentence with its method
// and line, the report's frame, the verdicts and the diagnostics in English, while the
// control's own texts (its boxes, the settings' names) stay as the control says them; and
// the English and the Japanese reports of the same pages alike line for line.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "contains.h"
#include "host_pages.h"
#include "json_lines.h"
#include "vant_process.h"

namespace vant::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; start = end + 1, end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// Whether said is the sentence as written, but where the sentence has "#" said has a
// decimal figure, and where it has "@" a text without a quotation mark: what the machine's
// fonts and folders decide.
bool MatchesSentence(std::string_view said, std::string_view sentence) {
  if (sentence.empty()) return said.empty();
  const char c = sentence.front();
  if (c != '#' && c != '@')
    return !said.empty() && said.front() == c && MatchesSentence(said.substr(1), sentence.substr(1));
  for (size_t n = 1; n <= said.size(); ++n) {
    const char last = said[n - 1];
    const bool taken =
        c == '@' ? last != '"' : std::isdigit(static_cast<unsigned char>(last)) || (last == '.' && n > 1);
    if (!taken) break;
    if (MatchesSentence(said.substr(n), sentence.substr(1))) return true;
  }
  return false;
}

std::string Methods(const std::vector<std::string>& methods) { return HostPage(MethodParams(methods)); }

// The page with a second OBJECT after the control, holding a method PARAM the control has
// no method of, on the line after the control's end tag.
std::string WithOtherObject(std::string page) {
  const size_t end = page.find("</body>");
  return page.insert(end, "<object id=\"other\"><param name=\"method7\" value=\"prnbox,1,1,2,2,1,0,0\"></object>\n");
}

// Shift_JIS bytes under a declaration of UTF-8, and UTF-8 under one of Shift_JIS.
std::string MisdeclaredPage(const char* declared, const char* saved) {
  const std::string params = Reencoded(
      "<param name=\"method1\" value=\"prnbox,10,10,50,40,1,0,0\"><param name=\"method2\" value=\"enddoc\">\n"
      "<!-- 御請求書 納品書 領収書 御請求書 納品書 領収書 -->\n",
      "UTF-8", saved);
  return std::string("<html><head><meta charset=\"") + declared + "\"></head><body>\n<object id=\"PrnCtl1\">\n" +
         params + "</object></body></html>\n";
}

class VantCheckEnglishTest : public testing::Test {
 protected:
  // `vant check` on the pages in the language of the locale (Japanese as the tests run
  // the command, English without LC_MESSAGES), with the printer map given.
  VantResult Check(const std::vector<std::string>& pages, bool english, bool json, const std::string& map = "") {
    std::filesystem::create_directories(etc_ / "vant3");
    WriteFile(etc_ / "vant3" / "printers.conf", map);
    VantOptions options;
    options.workDir = work_.Path();
    options.env["VANT_SYSCONFDIR"] = etc_.Path().string();
    if (english) options.env["LC_MESSAGES"] = std::nullopt;
    std::vector<std::string> args{"check", "--printer", "Vant3 PDF"};
    if (json) args.push_back("--json");
    args.insert(args.end(), pages.begin(), pages.end());
    return RunVant(args, options);
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    WriteFile(pages_ / name, bytes);
    return (pages_ / name).string();
  }

  TempDir pages_;
  TempDir work_;
  TempDir etc_;
};

// The pages' lines start at 5 (HostPage): method N's PARAM is on line N + 4.
TEST_F(VantCheckEnglishTest, EachWarningIsSaidInEnglishWithItsMethodAndLine) {
  const std::string mm = "scalemode,mm";
  std::string longText, quoted;  // "あ" is one em wide: 100 of them at 12 points run 233 mm
  for (int i = 0; i < 100; ++i) longText += "あ";
  for (int i = 0; i < 20; ++i) quoted += "あ";
  struct Row {
    int line;
    std::string page;
    std::string kind;
    int method;     // 0: a warning about the page
    int paramLine;  // 0: none
    std::string sentence;
  };
  const Row rows[] = {
      {__LINE__, Methods({mm, "prnbox,180,10,260,40,1,0,0", "enddoc"}), "offSheet", 2, 6,
       "The marks run past the sheet: right edge by 50.0 mm (what runs past is not printed)."},
      {__LINE__, Methods({mm, "prnbox,-50,-50,-10,-10,1,0,0", "enddoc"}), "offSheet", 2, 6,
       "The marks lie off the sheet and are not printed."},
      {__LINE__, Methods({mm, "prntext,20,30," + longText + ",ＭＳ 明朝,12,false,false,0", "enddoc"}), "textPastEdge",
       2, 6,
       "The text \"" + quoted +
           "…\" at 12.0 points runs past the sheet's right edge by # mm (what runs past is not "
           "printed)."},
      {__LINE__, Methods({mm, "prntext,20,50,abc,メイリオ,12,false,false,0", "enddoc"}), "font", 2, 6,
       "The font \"メイリオ\" is not on this machine; it prints in \"Noto Sans CJK JP\" of the same design (its "
       "characters differ in width: a text may come out longer or shorter)."},
      {__LINE__, Methods({mm, "prntext,20,50,abc,NoSuchFontXyz,12,false,false,0", "enddoc"}), "font", 2, 6,
       "The font \"NoSuchFontXyz\" has neither a counterpart nor a face of the same design on this machine; it "
       "prints in \"@\" (another typeface, with other widths)."},
      // Code 39 of 208 modules with its quiet zones: one dot a module at 600 dpi is 8.8 mm;
      // two dots, 17.6 mm.
      {__LINE__, Methods({mm, "prncode39,12,100,SKR-24113007,1,10,true,true", "enddoc"}), "barcodeModules", 2, 6,
       "The narrowest bar (one module) is 1 dot wide. Bars narrower than 2 dots may not scan (a width over 8.8 mm "
       "makes them 2 dots)."},
      {__LINE__, Methods({mm, "prncode39,12,100,SKR-24113007,10,10,true,true", "enddoc"}), "barcodeWidth", 2, 6,
       "A width of 10.0 mm was asked; the symbol prints 17.6 mm wide (176 %) (a bar is a whole number of dots wide, "
       "never narrower than asked)."},
      {__LINE__, Methods({mm, "prncode39,12,100,SKR-24113007,0,10,true,true", "enddoc"}), "barcodeWidth", 2, 6,
       "The width asked is 0 or less: the symbol prints at its least, 8.8 mm."},
      // A QR Code of 21 modules, 21 dots a side; 2 mm asked is 47.2 dots: three dots a
      // module, 63 dots.
      {__LINE__, Methods({"scalemode,pixels", "prnqr,300,300,x,21", "enddoc"}), "barcodeModules", 2, 6,
       "One module is 1 dot wide. Modules narrower than 2 dots may not scan (make the symbol larger)."},
      {__LINE__, Methods({mm, "prnqr,12,100,x,2", "enddoc"}), "barcodeWidth", 2, 6,
       "A size of 2.0 mm was asked; the symbol prints 2.7 mm (133 %) (a module is a whole number of dots, never "
       "smaller than asked)."},
      {__LINE__, Methods({mm, "prnjan13,20,20,49012345,40,20,true", "enddoc"}), "janData", 2, 6,
       "The JAN data \"49012345\" prints as \"4901234500006\" (the data is made a number of 12 digits, and the check "
       "digit is the one computed)."},
      {__LINE__, Methods({"changeprinter,No Such Printer", "prnbox,10,10,50,40,1,0,0", "enddoc"}), "unknownPrinter", 1,
       5, "There is no printer \"No Such Printer\". It prints on \"Vant3 PDF\" instead."},
      {__LINE__, HostPage({{"method1", mm}, {"metod2", "prnbox,10,10,50,40,1,0,0"}, {"method3", "enddoc"}}),
       "unreadParam", 0, 6,
       "PARAM \"metod2\" (value \"prnbox,10,10,50,40,1,0,0\") is not read as a method: its name does not start with "
       "method."},
      {__LINE__, WithOtherObject(Methods({"prnbox,10,10,50,40,1,0,0", "enddoc"})), "unreadParam", 0, 8,
       "PARAM \"method7\" (value \"prnbox,1,1,2,2,1,0,0\") is in an OBJECT that is not the control and is not read as "
       "a method."},
      {__LINE__, MisdeclaredPage("utf-8", "SHIFT_JIS"), "encoding", 0, 0,
       "The page \"@\" has # places that cannot be read as UTF-8. Its text may be garbled (check the encoding it "
       "declares)."},
      {__LINE__, MisdeclaredPage("Shift_JIS", "UTF-8"), "encoding", 0, 0,
       "The page \"@\" declares Shift_JIS but is saved in UTF-8. Its text may be garbled (check the encoding it "
       "declares)."},
  };
  std::vector<std::string> pages;
  for (const Row& row : rows) pages.push_back(Write("row" + std::to_string(row.line) + ".html", row.page));
  const VantResult json = Check(pages, /*english=*/true, /*json=*/true);
  const VantResult text = Check(pages, /*english=*/true, /*json=*/false);
  ASSERT_TRUE(json.exited && json.status == 0) << json.Describe();
  ASSERT_TRUE(text.exited && text.status == 0) << text.Describe();
  const std::vector<QJsonObject> objects = JsonLines(json.out);
  ASSERT_EQ(objects.size(), std::size(rows));
  const std::vector<std::string> lines = Lines(text.out);
  for (size_t i = 0; i < std::size(rows); ++i) {
    const Row& row = rows[i];
    SCOPED_TRACE(row.line);
    std::vector<std::string> said;
    for (const auto& value : objects[i]["warnings"].toArray()) {
      const QJsonObject warning = value.toObject();
      if (warning["kind"].toString().toStdString() != row.kind) continue;
      EXPECT_EQ(warning["method"].toInt(), row.method);
      EXPECT_EQ(warning["line"].toInt(), row.paramLine);
      said.push_back(warning["text"].toString().toStdString());
    }
    ASSERT_FALSE(said.empty()) << QJsonDocument(objects[i]).toJson().toStdString();
    EXPECT_TRUE(std::ranges::any_of(said, [&](const std::string& s) { return MatchesSentence(s, row.sentence); }))
        << said.front();
    // The text report's line of the same warning.
    std::string where = row.method != 0 ? "method " + std::to_string(row.method) : "";
    if (row.paramLine != 0) where += (where.empty() ? "line " : ", line ") + std::to_string(row.paramLine);
    const std::string heading = where.empty() ? "Warning: " : "Warning (" + where + "): ";
    EXPECT_TRUE(std::ranges::any_of(lines, [&](const std::string& line) {
      return line.starts_with(heading) && MatchesSentence(line.substr(heading.size()), row.sentence);
    })) << heading + row.sentence;
  }
}

// The printer map's entry whose queue is not installed, and UnknownPrinter = stop.
TEST_F(VantCheckEnglishTest, AnUnknownPrinterIsSaidWithTheMapsEntryAndWhatFollows) {
  struct Row {
    int line;
    std::string options;
    std::string sentence;
  };
  const Row rows[] = {
      {__LINE__, "",
       "There is no printer \"Old Laser\" (nor the printer of its entry @:2 in the printer map). It prints on \"Vant3 "
       "PDF\" instead."},
      {__LINE__, "[Options]\nUnknownPrinter = stop\n",
       "There is no printer \"Old Laser\" (nor the printer of its entry @:2 in the printer map). Printing stops, as "
       "UnknownPrinter = stop."},
  };
  const std::string page = Write("printer.html", Methods({"changeprinter,Old Laser", "enddoc"}));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const VantResult r = Check({page}, /*english=*/true, /*json=*/true, "[Printers]\nOld Laser = Gone\n" + row.options);
    ASSERT_TRUE(r.exited) << r.Describe();
    const std::vector<QJsonObject> objects = JsonLines(r.out);
    ASSERT_EQ(objects.size(), 1u);
    const QJsonArray warnings = objects[0]["warnings"].toArray();
    ASSERT_EQ(warnings.size(), 1) << r.out;
    EXPECT_EQ(warnings[0].toObject()["kind"].toString(), "unknownPrinter");
    EXPECT_TRUE(MatchesSentence(warnings[0].toObject()["text"].toString().toStdString(), row.sentence)) << r.out;
  }
}

// The frame of each kind of page, whole; the boxes and the settings' names are the
// control's own and stay as it says them.
TEST_F(VantCheckEnglishTest, TheReportsFrameAndVerdictsAreEnglish) {
  struct Row {
    int line;
    std::string page;   // empty: a page that does not exist
    std::string block;  // after its "== PAGE" line
  };
  const Row rows[] = {
      {__LINE__, Methods({"prnbox,10,10,50,40,1,0,0", "enddoc"}),
       "Control: OBJECT id=\"PrnCtl1\" (line 4), 2 methods\n"
       "Document 1: printer \"Vant3 PDF\", 1 page\n"
       "  Page 1: A4 (210 x 297 mm), 縦, 自動選択, quality 中, カラー\n"
       "Result: would print\n"},
      {__LINE__,
       Methods({"papersize,a5", "orientation,横", "colormode,vbprcmmonochrome", "prnbox,10,10,50,40,1,0,0", "newpage",
                "prnbox,10,10,50,40,1,0,0", "enddoc"}),
       "Control: OBJECT id=\"PrnCtl1\" (line 4), 7 methods\n"
       "Document 1: printer \"Vant3 PDF\", 2 pages\n"
       "  Page 1: A5 (210 x 148 mm), 横, 自動選択, quality 中, モノクロ\n"
       "  Page 2: A5 (210 x 148 mm), 横, 自動選択, quality 中, モノクロ\n"
       "Result: would print\n"},
      {__LINE__, HostPage({{"method1", "enddoc"}}),
       "Control: OBJECT id=\"PrnCtl1\" (line 4), 1 method\n"
       "[information]\n印刷対象がありません!\n\n"
       "Result: would print\n"},
      {__LINE__, Methods({"prnbox,10,10,50,40,1,0,0", "papersize,zz", "enddoc"}),
       "Control: OBJECT id=\"PrnCtl1\" (line 4), 3 methods\n"
       "[critical] エラー\n\"zz\"\nPaperSize指定が不正です!\n2:papersize(zz)\n印刷を中断しました!\n\n"
       "Result: would not print (the run stops)\n"},
      {__LINE__, "<html><body><p>no control</p></body></html>\n",
       "Control: none (no OBJECT element)\n"
       "[critical] Error\nページに OBJECT 要素がありません\n\n"
       "Result: would not print (the run stops)\n"},
      {__LINE__, "", "@\nResult: cannot be printed\n"},
  };
  std::vector<std::string> pages;
  for (const Row& row : rows) {
    const std::string name = "frame" + std::to_string(row.line) + ".html";
    pages.push_back(row.page.empty() ? (pages_ / name).string() : Write(name, row.page));
  }
  const VantResult r = Check(pages, /*english=*/true, /*json=*/false);
  ASSERT_TRUE(r.exited && r.status == 1) << r.Describe();
  std::string expected;
  for (size_t i = 0; i < std::size(rows); ++i) expected += "== " + pages[i] + "\n" + rows[i].block + "\n";
  // The unreadable page's reason is the system's own words.
  expected += "6 pages checked, 3 failed, 0 warnings\n";
  const size_t reason = expected.find("@\n");
  ASSERT_NE(reason, std::string::npos);
  EXPECT_TRUE(r.out.starts_with(expected.substr(0, reason))) << r.out;
  EXPECT_TRUE(r.out.ends_with(expected.substr(reason + 1))) << r.out;
}

// A print server that is configured but down fails every page: its reason in the system's
// words, the sentence around it and the advice in English.
TEST_F(VantCheckEnglishTest, AServerThatIsDownIsSaidInEnglish) {
  const std::string page = Write("page.html", Methods({"enddoc"}));
  VantOptions options;
  options.workDir = work_.Path();
  options.env["LC_MESSAGES"] = std::nullopt;
  const VantResult r = RunVant({"check", page}, options);
  ASSERT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_TRUE(Contains(r.out, "== " + page + "\n印刷サーバー「")) << r.out;
  EXPECT_TRUE(Contains(r.out, "。 vant print does not print then.\nResult: cannot be printed\n\n")) << r.out;
  EXPECT_TRUE(r.out.ends_with("\n1 page checked, 1 failed, 0 warnings\n")) << r.out;
  EXPECT_TRUE(Contains(r.err, "vant: to check printing on Vant3 PDF, give --printer \"Vant3 PDF\"\n")) << r.err;
}

// The same pages in both languages: the JSON alike but for the warnings' texts, and the
// text reports alike line for line, a line of the frame in one language where the other
// has its twin.
TEST_F(VantCheckEnglishTest, TheEnglishAndTheJapaneseReportsHaveTheSameStructure) {
  const std::string mm = "scalemode,mm";
  const std::vector<std::string> pages = {
      Write("a.html", Methods({mm, "prnbox,180,10,260,40,1,0,0", "prncode39,12,100,SKR-24113007,10,10,true,true",
                               "prnjan8,20,20,123,40,20,true", "enddoc"})),
      Write("b.html", HostPage({{"method1", mm},
                                {"metod2", "prnbox,10,10,50,40,1,0,0"},
                                {"method3", "newpage"},
                                {"method4", "prnbox,10,10,50,40,1,0,0"},
                                {"method5", "enddoc"}})),
      Write("c.html", Methods({"prnbox,10,10,50,40,1,0,0", "papersize,zz", "enddoc"})),
      Write("d.html", "<html><body></body></html>\n"),
      (pages_ / "missing.html").string(),
  };
  const std::vector<QJsonObject> english = JsonLines(Check(pages, true, true).out);
  const std::vector<QJsonObject> japanese = JsonLines(Check(pages, false, true).out);
  ASSERT_EQ(english.size(), pages.size());
  ASSERT_EQ(japanese.size(), pages.size());
  int warnings = 0;
  for (size_t i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(pages[i]);
    QJsonObject en = english[i], ja = japanese[i];
    const QJsonArray enWarnings = en.take("warnings").toArray(), jaWarnings = ja.take("warnings").toArray();
    EXPECT_EQ(en, ja);
    ASSERT_EQ(enWarnings.size(), jaWarnings.size());
    for (qsizetype w = 0; w < enWarnings.size(); ++w, ++warnings) {
      QJsonObject enWarning = enWarnings[w].toObject(), jaWarning = jaWarnings[w].toObject();
      EXPECT_NE(enWarning.take("text"), jaWarning.take("text"));
      EXPECT_EQ(enWarning, jaWarning);
    }
  }
  // a.html: off the sheet, wider than asked, JAN digits; b.html: a PARAM not read.
  EXPECT_EQ(warnings, 4);

  // The frame's lines by their start in each language; any other line is the same in both.
  struct Twin {
    int line;
    std::string english, japanese;
  };
  const Twin twins[] = {
      {__LINE__, "Control: ", "コントロール: "},
      {__LINE__, "Document ", "文書 "},
      {__LINE__, "  Page ", "  "},
      {__LINE__, "Warning", "警告"},
      {__LINE__, "Result: would print", "結果: 印刷できます"},
      {__LINE__, "Result: would not print", "結果: 印刷されません"},
      {__LINE__, "Result: cannot be printed", "結果: 印刷できません"},
  };
  const VantResult enText = Check(pages, true, false), jaText = Check(pages, false, false);
  const std::vector<std::string> enLines = Lines(enText.out), jaLines = Lines(jaText.out);
  ASSERT_EQ(enLines.size(), jaLines.size()) << enText.out << "\n---\n" << jaText.out;
  std::vector<int> met(std::size(twins));
  for (size_t i = 0; i < enLines.size(); ++i) {
    SCOPED_TRACE(enLines[i]);
    const auto twin = std::ranges::find_if(twins, [&](const Twin& t) { return enLines[i].starts_with(t.english); });
    if (twin == std::end(twins)) {
      EXPECT_EQ(enLines[i], jaLines[i]);
      continue;
    }
    ++met[static_cast<size_t>(twin - std::begin(twins))];
    EXPECT_TRUE(jaLines[i].starts_with(twin->japanese)) << jaLines[i];
    EXPECT_NE(enLines[i], jaLines[i]);
  }
  // Every kind of frame line was compared.
  for (size_t t = 0; t < std::size(twins); ++t) EXPECT_GT(met[t], 0) << twins[t].line;
}

}  // namespace
}  // namespace vant::test
