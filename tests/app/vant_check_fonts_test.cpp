// The Windows font names pages use, as `vant check` reports them and `vant pdf` prints them:
// no warning for the name's own face or one with its widths, a warning naming the face of
// the same design that stands in, another for no face of the design; and a page of the 25
// names an office's pages use printed in the faces their rows name.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

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
  ASSERT_TRUE(r.exited) << r.Describe();
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
  ASSERT_TRUE(error.error == QJsonParseError::NoError && document.isObject()) << r.Describe();
  const QJsonArray warnings = document.object()["warnings"].toArray();

  for (size_t i = 0; i < rows.size(); ++i) {
    const FontRow& row = *rows[i];
    SCOPED_TRACE(testing::Message() << "windows_font_rows.h:" << row.line);
    const int method = static_cast<int>(i) + 2;
    std::vector<std::string> said;
    for (const auto& value : warnings) {
      const QJsonObject warning = value.toObject();
      if (warning["method"].toInt() != method) continue;
      EXPECT_EQ(warning["kind"].toString().toStdString(), "font") << warning["text"].toString().toStdString();
      said.push_back(warning["text"].toString().toStdString());
    }
    const std::string name = "フォント「" + std::string(row.name) + "」";
    const std::string face = "「" + std::string(row.face) + "」で印刷されます";
    switch (row.warning) {
      case FontWarning::kNone:
        EXPECT_TRUE(said.empty()) << row.name << ": " << (said.empty() ? "" : said.front());
        break;
      case FontWarning::kSameDesign:
        ASSERT_EQ(said.size(), 1u) << row.name;
        EXPECT_TRUE(Contains(said[0], name) && Contains(said[0], "同じ系統の" + face) &&
                    Contains(said[0], "文字列が長く、または短くなることがあります"))
            << said[0];
        break;
      case FontWarning::kOtherDesign:
        ASSERT_EQ(said.size(), 1u) << row.name;
        EXPECT_TRUE(Contains(said[0], name) && Contains(said[0], "同じ系統のフォントもなく、" + face)) << said[0];
        break;
    }
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

}  // namespace
}  // namespace vant::test
