// The Windows font names pages use, as `vant check` reports them and `vant pdf` prints them:
// no warning for the name's own face or one with its widths, a warning naming the face of
// the same design that stands in, another for no face of the design; a page of the 25
// names an office's pages use printed in the faces their rows name; and a machine without
// the recommended Noto CJK faces (and without the rounded Gothic) still printing Japanese
// names in Japanese faces.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "contains.h"
#include "host_pages.h"
#include "shell_command.h"
#include "vant_process.h"
#include "windows_font_rows.h"

namespace vant::test {
namespace {

using namespace std::string_literals;

bool JapaneseDesign(std::string_view design) {
  return design == "gothic" || design == "mincho" || design == "roundedGothic";
}

// One text method a row, 5 mm below the last, after "scalemode,mm" (method 1).
std::vector<std::string> TextMethods(const std::vector<const FontRow*>& rows) {
  std::vector<std::string> methods{"scalemode,mm"};
  int y = 10;  // mm
  for (const FontRow* row : rows) {
    const std::string text = JapaneseDesign(row->design) ? "請求書Ab1" : "Ab1";
    methods.push_back("prntext,20," + std::to_string(y) + "," + text + "," + std::string(row->name) +
                      ",10,false,false,0");
    y += 5;
  }
  methods.push_back("enddoc");
  return methods;
}

// The fonts pdffonts lists, without the subset prefix ("ABCDEF+").
std::set<std::string> PdfFontNames(const std::filesystem::path& pdf) {
  std::istringstream lines(RunShell(std::string(VANT_PDFFONTS) + " " + ShellQuoted(pdf.string())));
  std::set<std::string> names;
  std::string line;
  for (int number = 0; std::getline(lines, line); ++number) {
    if (number < 2) continue;  // the heading and its rule
    std::string name = line.substr(0, line.find(' '));
    const size_t plus = name.find('+');
    if (plus != std::string::npos) name = name.substr(plus + 1);
    names.insert(name);
  }
  return names;
}

// The texts of the warnings of each method of a `vant check --json` report on one page;
// every one of them of the kind "font".
std::map<int, std::vector<std::string>> FontWarnings(const VantResult& r) {
  std::map<int, std::vector<std::string>> byMethod;
  EXPECT_TRUE(r.exited) << r.Describe();
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
  EXPECT_TRUE(error.error == QJsonParseError::NoError && document.isObject()) << r.Describe();
  for (const auto& value : document.object()["warnings"].toArray()) {
    const QJsonObject warning = value.toObject();
    EXPECT_EQ(warning["kind"].toString().toStdString(), "font") << warning["text"].toString().toStdString();
    byMethod[warning["method"].toInt()].push_back(warning["text"].toString().toStdString());
  }
  return byMethod;
}

// The warning a row's name gets, if any, is the one its row says.
void ExpectWarning(std::string_view name, std::string_view face, FontWarning expected,
                   const std::vector<std::string>& said) {
  const std::string named = "フォント「" + std::string(name) + "」";
  const std::string printed = "「" + std::string(face) + "」で印刷されます";
  switch (expected) {
    case FontWarning::kNone:
      EXPECT_TRUE(said.empty()) << name << ": " << (said.empty() ? "" : said.front());
      break;
    case FontWarning::kSameDesign:
      ASSERT_EQ(said.size(), 1u) << name;
      EXPECT_TRUE(Contains(said[0], named) && Contains(said[0], "同じ系統の" + printed) &&
                  Contains(said[0], "文字列が長く、または短くなることがあります"))
          << said[0];
      break;
    case FontWarning::kOtherDesign:
      ASSERT_EQ(said.size(), 1u) << name;
      EXPECT_TRUE(Contains(said[0], named) && Contains(said[0], "同じ系統のフォントもなく、" + printed)) << said[0];
      break;
  }
}

class VantCheckFontsTest : public testing::Test {
 protected:
  std::string WritePage(const std::vector<std::string>& methods) {
    WriteFile(pages_ / "fonts.html", HostPage(MethodParams(methods)));
    return (pages_ / "fonts.html").string();
  }
  TempDir pages_;
  TempDir work_;
};

TEST_F(VantCheckFontsTest, EachNameIsWarnedOfAsNearAsItsFaceComes) {
  std::vector<const FontRow*> rows;
  for (const FontRow& row : kFontRows) rows.push_back(&row);
  const VantResult r = RunVantIn(work_, {"check", "--printer", "Vant3 PDF", "--json", WritePage(TextMethods(rows))});
  const std::map<int, std::vector<std::string>> warnings = FontWarnings(r);
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "windows_font_rows.h:" << rows[i]->line);
    const auto said = warnings.find(static_cast<int>(i) + 2);
    ExpectWarning(rows[i]->name, rows[i]->face, rows[i]->warning,
                  said == warnings.end() ? std::vector<std::string>() : said->second);
  }
}

TEST_F(VantCheckFontsTest, APageOfTheOfficesNamesPrintsInTheirRowsFaces) {
  std::vector<const FontRow*> rows;
  std::set<std::string> expected;
  for (const FontRow& row : kFontRows) {
    if (!row.onIssuePage) continue;
    rows.push_back(&row);
    expected.insert(std::string(row.pdfFont));
  }
  ASSERT_EQ(rows.size(), 25u);
  const std::filesystem::path pdf = work_ / "fonts.pdf";
  const VantResult r = RunVantIn(work_, {"pdf", WritePage(TextMethods(rows)), "-o", pdf.string()});
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(PdfFontNames(pdf), expected);
}

// The shipped configuration with the Noto CJK faces and the rounded Gothic taken away, as on
// a machine that did not install the recommended fonts-noto-cjk: the names fall back to the
// IPAex faces of their design, the rounded Gothic to a Gothic, and none to a Latin face.
TEST_F(VantCheckFontsTest, WithoutTheRecommendedFacesJapaneseNamesStayJapanese) {
  struct Row {
    int line;
    std::string_view name;
    std::string_view face;
    FontWarning warning;
  };
  const Row rows[] = {
      {__LINE__, "メイリオ", "IPAexGothic", FontWarning::kSameDesign},
      {__LINE__, "Yu Gothic", "IPAexGothic", FontWarning::kSameDesign},
      {__LINE__, "游明朝", "IPAexMincho", FontWarning::kSameDesign},
      {__LINE__, "HG丸ｺﾞｼｯｸM-PRO", "IPAexGothic", FontWarning::kOtherDesign},
      {__LINE__, "ＭＳ 明朝", "IPAMincho", FontWarning::kNone},
      {__LINE__, "Arial", "Liberation Sans", FontWarning::kNone},
  };
  TempDir data;
  const std::filesystem::path shipped = VantBinary().parent_path() / "share" / "vant3" / "vant-fonts.conf";
  ASSERT_TRUE(std::filesystem::is_regular_file(shipped)) << shipped;
  WriteFile(data / "vant-fonts.conf",
            "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n<fontconfig>\n"
            "  <selectfont><rejectfont><glob>*/NotoSansCJK*</glob><glob>*/NotoSerifCJK*</glob>"
            "<glob>*/MTLmr3m.ttf</glob></rejectfont></selectfont>\n"
            "  <include ignore_missing=\"no\">" + shipped.string() + "</include>\n</fontconfig>\n");
  std::vector<std::string> methods{"scalemode,mm"};
  for (const Row& row : rows) methods.push_back("prntext,20,20,請求書,"s + std::string(row.name) + ",10,false,false,0");
  methods.push_back("enddoc");
  VantOptions options;
  options.workDir = work_.Path();
  options.env["VANT3_DATA_DIR"] = data.Path().string();
  const std::map<int, std::vector<std::string>> warnings =
      FontWarnings(RunVant({"check", "--printer", "Vant3 PDF", "--json", WritePage(methods)}, options));
  for (size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].line);
    const auto said = warnings.find(static_cast<int>(i) + 2);
    ExpectWarning(rows[i].name, rows[i].face, rows[i].warning,
                  said == warnings.end() ? std::vector<std::string>() : said->second);
  }
}

}  // namespace
}  // namespace vant::test
