// The language the command line speaks, and the filling of its patterns.
#include "app/cli/words.h"

#include <gtest/gtest.h>

#include <string>

namespace vant::app {
namespace {

struct LocaleRow {
  int line;
  const char* lcAll;  // nullptr: not set
  const char* lcMessages;
  const char* lang;
  Language expected;
};

TEST(MessageLanguage, TheFirstLocaleSetAndNotEmptyDecides) {
  using enum Language;
  constexpr const char* kUnset = nullptr;
  const LocaleRow rows[] = {
      {1, kUnset, kUnset, kUnset, kEnglish},
      {2, kUnset, kUnset, "ja_JP.UTF-8", kJapanese},
      {3, kUnset, kUnset, "ja", kJapanese},
      {4, kUnset, kUnset, "ja_JP.eucJP", kJapanese},
      {5, kUnset, kUnset, "ja@modifier", kJapanese},
      {6, kUnset, "C.UTF-8", "ja_JP.UTF-8", kEnglish},   // LC_MESSAGES before LANG
      {7, "C", "ja_JP.UTF-8", "ja_JP.UTF-8", kEnglish},  // LC_ALL before both
      {8, "ja_JP.UTF-8", "C", "C", kJapanese},
      {9, "", "ja_JP.UTF-8", "C", kJapanese},  // an empty variable counts as unset
      {10, kUnset, "", "ja_JP.UTF-8", kJapanese},
      {11, kUnset, kUnset, "jam_JM.UTF-8", kEnglish},  // another language that begins "ja"
      {12, kUnset, kUnset, "JA_JP.UTF-8", kEnglish},   // locale names are written in lower case
      {13, kUnset, kUnset, "en_US.UTF-8", kEnglish},
      {14, kUnset, kUnset, "POSIX", kEnglish},
  };
  for (const LocaleRow& row : rows) {
    EXPECT_EQ(MessageLanguage(row.lcAll, row.lcMessages, row.lang), row.expected) << "row " << row.line;
  }
}

TEST(Fill, ReplacesEachNumberOnceAndNeverRereadsAnArgument) {
  struct Row {
    int line;
    const char* pattern;
    std::initializer_list<std::string_view> args;
    std::string expected;
  };
  const Row rows[] = {
      {1, "%1 and %2", {"a", "b"}, "a and b"},
      {2, "%2 before %1", {"a", "b"}, "b before a"},
      {3, "%1 twice %1", {"x"}, "x twice x"},
      {4, "%1", {"%2"}, "%2"},  // a file named "%2" stays its name
      {5, "%1 %2", {"%2", "y"}, "%2 y"},
      {6, "%3 has no argument", {"a"}, "%3 has no argument"},
      {7, "100% sure, %1", {"z"}, "100% sure, z"},
      {8, "ends with %", {}, "ends with %"},
      {9, "%0 is not a number", {"a"}, "%0 is not a number"},
  };
  for (const Row& row : rows) EXPECT_EQ(Fill(row.pattern, row.args), row.expected) << "row " << row.line;
}

TEST(Words, JapaneseComesFromTheCatalogueBuiltIntoTheProgram) {
  const Words english(Language::kEnglish), japanese(Language::kJapanese);
  EXPECT_EQ(english.translate("vant command line", "Usage:"), "Usage:");
  EXPECT_EQ(japanese.translate("vant command line", "Usage:"), "使い方:");
  EXPECT_EQ(japanese.translate("vant verbs", "Prints the page on the current printer"),
            "ページを現在のプリンターで印刷します");
  // A text the catalogue does not hold, or held in another context, is said in English.
  EXPECT_EQ(japanese.translate("vant command line", "not a text of the program"), "not a text of the program");
  EXPECT_EQ(japanese.translate("vant verbs", "Usage:"), "Usage:");
}

}  // namespace
}  // namespace vant::app
