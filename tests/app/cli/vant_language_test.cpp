// The command line in both languages: English unless the locale for messages is Japanese,
// whichever of LC_ALL, LC_MESSAGES and LANG names it; the control's own texts Japanese in both.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "contains.h"
#include "vant_process.h"

namespace vant::test {
namespace {

using Env = std::map<std::string, std::optional<std::string>>;
// The base runs vant with LC_MESSAGES=ja_JP.UTF-8 and LANG=C.UTF-8.
const Env kEnglish = {{"LC_MESSAGES", std::nullopt}};
const Env kJapanese = {};

constexpr char kPage[] =
    "<object><param name=\"method1\" value=\"prntext,20,30,印字,ＭＳ 明朝,12,false,false,0\"></object>";

struct Row {
  int line;
  std::vector<std::string> args;
  Env env;
  int status;
  std::string out;  // a part of standard output
  std::string err;  // a part of standard error
};

TEST(VantLanguage, HelpUsageErrorsAndReportsFollowTheLocale) {
  const Row rows[] = {
      {1, {"--help"}, kEnglish, 0, "Usage: vant COMMAND [OPTION]... [--] [PAGE]\n", ""},
      {2, {"--help"}, kJapanese, 0, "使い方: vant COMMAND [オプション] [--] [PAGE]\n", ""},
      {3, {"print", "--help"}, kEnglish, 0, "Writes this help.\n", ""},
      {4, {"print", "--help"}, kJapanese, 0, "この説明を書きます。\n", ""},
      {5, {"--version"}, kEnglish, 0, "Vant3 for Linux, distributed under the MIT licence.\n", ""},
      {6,
       {"pdf", "--zoom", "3", "page.html"},
       kEnglish,
       2,
       "",
       "vant: the option \"--zoom\" is not for pdf\nUsage: vant pdf PAGE [-o FILE] [--object ID] [--title TEXT]\n"
       "See vant --help and vant COMMAND --help.\n"},
      {7,
       {"pdf", "--zoom", "3", "page.html"},
       kJapanese,
       2,
       "",
       "vant: オプション「--zoom」は pdf には使えません\n使い方: vant pdf PAGE [-o FILE] [--object ID] [--title TEXT]\n"
       "詳しくは vant --help、vant COMMAND --help をご覧ください。\n"},
      {8,
       {"render", "page.html", "-o", "out.png", "--zoom", "75"},
       kEnglish,
       2,
       "",
       "vant: --zoom takes one of auto, 300, 200, 150, 100 (not \"75\")\n"},
      {9,
       {"render", "page.html", "-o", "out.png", "--zoom", "75"},
       kJapanese,
       2,
       "",
       "vant: --zoom には auto, 300, 200, 150, 100 のいずれかを指定してください (「75」は使えません)\n"},
      {10, {"frobnicate"}, kEnglish, 2, "", "vant: unknown command \"frobnicate\"\nUsage: vant print PAGE"},
      {11,
       {"print", "page.html", "--printer", "nowhere"},
       kEnglish,
       2,
       "",
       "vant: there is no printer named \"nowhere\" (vant printers lists them)\n"},
      {12,
       {"render", "page.html", "-o", "out.png", "--page", "3"},
       kEnglish,
       2,
       "",
       "vant: --page 3 is beyond the preview's 1 pages\n"},
      {13,
       {"render", "page.html", "-o", "out.png", "--page", "3"},
       kJapanese,
       2,
       "",
       "vant: --page 3 はプレビューのページ数 (1 ページ) を超えています\n"},
      {14,
       {"unregister"},
       kEnglish,
       0,
       "No host manifest to remove (none that vant register wrote in this user's folders).\n",
       ""},
      {15,
       {"show", "page.html"},
       Env{{"LC_MESSAGES", std::nullopt}, {"QT_QPA_PLATFORM", "offscreen"}},
       2,
       "",
       "vant: cannot reach the display: QT_QPA_PLATFORM=offscreen shows no window on a screen\n"},
      // Which variable decides.
      {16, {"--help"}, Env{{"LC_ALL", "C"}}, 0, "Usage: vant COMMAND", ""},
      {17, {"--help"}, Env{{"LC_MESSAGES", std::nullopt}, {"LANG", "ja_JP.UTF-8"}}, 0, "使い方: vant COMMAND", ""},
      {18, {"--help"}, Env{{"LC_MESSAGES", "C.UTF-8"}, {"LANG", "ja_JP.UTF-8"}}, 0, "Usage: vant COMMAND", ""},
      {19, {"--help"}, Env{{"LC_ALL", "ja_JP.UTF-8"}, {"LC_MESSAGES", "C"}}, 0, "使い方: vant COMMAND", ""},
      // The control's own words stay Japanese: the PDF printer's report of what it wrote.
      {20, {"pdf", "page.html"}, kEnglish, 0, "1 ページを書き込みました", ""},
  };
  for (const Row& row : rows) {
    const TempDir dir;
    WriteFile(dir / "page.html", kPage);
    VantOptions options;
    options.workDir = dir.Path();
    options.env = row.env;
    const VantResult result = RunVant(row.args, options);
    EXPECT_TRUE(result.exited && result.status == row.status) << "row " << row.line << ": " << result.Describe();
    EXPECT_TRUE(Contains(result.out, row.out)) << "row " << row.line << ": " << result.out;
    EXPECT_TRUE(Contains(result.err, row.err)) << "row " << row.line << ": " << result.err;
  }
}

// Every verb's help in English holds no Japanese, and the Japanese help has each line of
// the English in its place: the same options in the same order.
TEST(VantLanguage, EachVerbsHelpIsWhollyInTheLanguageAndAlignedAlike) {
  for (const char* verb :
       {"print", "pdf", "check", "show", "preview", "render", "methods", "printers", "register", "unregister"}) {
    const TempDir dir;
    VantOptions english, japanese;
    english.workDir = japanese.workDir = dir.Path();
    english.env = kEnglish;
    const VantResult en = RunVant({verb, "--help"}, english);
    const VantResult ja = RunVant({verb, "--help"}, japanese);
    ASSERT_EQ(en.status, 0) << verb << ": " << en.Describe();
    ASSERT_EQ(ja.status, 0) << verb << ": " << ja.Describe();
    // Japanese is written in three-byte UTF-8 characters (lead bytes E3 to E9).
    EXPECT_EQ(en.out.find_first_of("\xE3\xE4\xE5\xE6\xE7\xE8\xE9"), std::string::npos) << verb << ":\n" << en.out;
    EXPECT_NE(ja.out.find("\xE3"), std::string::npos) << verb << ":\n" << ja.out;
    // The option column: each "  -x, --name VALUE" starts the same line in both.
    auto optionsOf = [](const std::string& text) {
      std::vector<std::string> spellings;
      for (size_t at = text.find("\n  -"); at != std::string::npos; at = text.find("\n  -", at + 1)) {
        spellings.push_back(text.substr(at + 1, text.find("  ", at + 3) - at - 1));
      }
      return spellings;
    };
    EXPECT_EQ(optionsOf(en.out), optionsOf(ja.out)) << verb;
    EXPECT_EQ(en.out.substr(0, en.out.find('\n')).substr(std::string("Usage:").size()),
              ja.out.substr(0, ja.out.find('\n')).substr(std::string("使い方:").size()))
        << verb;
  }
}

}  // namespace
}  // namespace vant::test
