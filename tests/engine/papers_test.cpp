// The paper table: the sheet stands as the status bar names it, and each keyword names
// one paper.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "engine/papers.h"
#include "engine/setup_keywords.h"

namespace vant {
namespace {

// A length as the status bar writes it: "17", "8 1/2", "14 7/8".
double LengthOf(TextView text) {
  double whole = 0;
  size_t i = 0;
  while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') whole = whole * 10 + (text[i++] - u'0');
  if (i < text.size() && text[i] == u' ') {
    const size_t slash = text.find(u'/', i);
    if (slash != TextView::npos) {
      return whole + static_cast<double>(text[slash - 1] - u'0') / (text[slash + 1] - u'0');
    }
  }
  return whole;
}

struct NamedSize {
  double first;
  double second;
};

// "..., W x H mm" or "..., W x H インチ"; nothing for the names without a size.
std::optional<NamedSize> SizeInName(TextView name) {
  const size_t by = name.find(u" x ");
  if (by == TextView::npos) return std::nullopt;
  size_t start = name.rfind(u'、', by);
  start = start == TextView::npos ? 0 : start + 1;
  return NamedSize{LengthOf(name.substr(start, by - start)), LengthOf(name.substr(by + 3))};
}

TEST(Papers, EverySheetLiesAsItsNameGivesIt) {
  int named = 0;
  for (const PaperSheet& sheet : kPaperSheets) {
    const auto size = SizeInName(sheet.displayName);
    if (!size) continue;
    ++named;
    EXPECT_EQ(sheet.widthMm > sheet.heightMm, size->first > size->second) << sheet.code;
  }
  EXPECT_EQ(named, 38);  // all but the C, D and E sheets
}

TEST(Papers, LandscapeSheets) {
  struct Row {
    int line;
    int16_t code;
    double widthMm;
    double heightMm;
  };
  for (const Row& row : {Row{__LINE__, 4, 431.8, 279.4}, Row{__LINE__, 35, 176, 125},
                         Row{__LINE__, 39, 377.825, 279.4}, Row{__LINE__, 3, 279.4, 431.8},
                         Row{__LINE__, 34, 176, 250}}) {
    const auto sheet = SheetForCode(row.code);
    ASSERT_TRUE(sheet) << row.line;
    EXPECT_NEAR(sheet->widthMm, row.widthMm, 1e-9) << row.line;
    EXPECT_NEAR(sheet->heightMm, row.heightMm, 1e-9) << row.line;
  }
}

TEST(Papers, EachKeywordNamesOnePaperAndEveryPaperHasItsNumber) {
  std::set<std::u16string_view> seen;
  for (const PaperSheet& paper : kPapers) {
    for (const auto keyword : paper.keywords) {
      if (keyword.empty()) continue;
      EXPECT_TRUE(seen.insert(keyword).second) << paper.code;
    }
    EXPECT_EQ(FindKeyword(kPaperSizeKeywords, paper.keywords[0]), paper.code);
    EXPECT_FALSE(paper.choiceName.empty()) << paper.code;
  }
  EXPECT_EQ(PaperFor(kPaperUser)->media, "");
  EXPECT_EQ(PaperFor(42), nullptr);
  EXPECT_FALSE(SheetForCode(kPaperUser));
}

}  // namespace
}  // namespace vant
