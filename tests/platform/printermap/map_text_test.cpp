// One printers.conf text: each kind of line, the problems it gives with their lines, and
// bytes no file should hold, which are reported and never crash or stall the reading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/printermap/map_text.h"

namespace vant::printermap {
namespace {

std::vector<std::string> Said(const PrinterMap& map) {
  std::vector<std::string> said;
  for (const MapProblem& problem : map.problems) said.push_back(ToUtf8(problem.Said()));
  return said;
}

struct LineCase {
  int row;
  std::string text;
  std::vector<std::pair<std::u16string, std::u16string>> entries;  // name, queue
  std::optional<UnknownPrinter> unknown;
  std::vector<uint32_t> problemLines;
};

TEST(MapText, EachKindOfLine) {
  const std::vector<LineCase> cases = {
      {1, "[Printers]\n\\\\PRTSRV01\\Label-3F = Label\nEPSON PX-105 = Office\n",
       {{u"\\\\PRTSRV01\\Label-3F", u"Label"}, {u"EPSON PX-105", u"Office"}}, std::nullopt, {}},
      {2, "[Options]\nUnknownPrinter = stop        # or: current\n", {}, UnknownPrinter::kStop, {}},
      {3, "[options]\r\nunknownprinter=CURRENT\r\n", {}, UnknownPrinter::kCurrent, {}},
      // Comments, blanks, a BOM, tabs; a "#" inside a name is part of it.
      {4, "\xEF\xBB\xBF# admin\n\n; old\n\t[ Printers ]\t\n  Printer #2\t=\tOffice ; laser\n",
       {{u"Printer #2", u"Office"}}, std::nullopt, {}},
      {5, "[Printers]\nPDF = Vant3 PDF\n", {{u"PDF", u"Vant3 PDF"}}, std::nullopt, {}},
      // A line before any section, without "=", an empty name or queue.
      {6, "A = Office\n[Printers]\njust words\n = Office\nB =\nC = Label\n", {{u"C", u"Label"}}, std::nullopt,
       {1, 3, 4, 5}},
      // A name twice (compared as Windows does): the first stays.
      {7, "[Printers]\nZDesigner GK420d = Label\n  zdesigner gk420D  = Office\n", {{u"ZDesigner GK420d", u"Label"}},
       std::nullopt, {3}},
      // An unknown section is reported once, its lines skipped; an unclosed one too.
      {8, "[Fonts]\nMeiryo = x\ny = z\n[Printers]\nA = Office\n[Printers\nB = Label\n", {{u"A", u"Office"}},
       std::nullopt, {1, 6}},
      // Unknown options and values, and the option twice.
      {9, "[Options]\nColour = yes\nUnknownPrinter = maybe\nUnknownPrinter = stop\nUnknownPrinter = current\n", {},
       UnknownPrinter::kStop, {2, 3, 5}},
      // Bytes that are no UTF-8 and control characters: the line is reported.
      {10, "[Printers]\nA\xff = Office\nB\x01 = Office\nC = Label\n", {{u"C", u"Label"}}, std::nullopt, {2, 3}},
      {11, "", {}, std::nullopt, {}},
      {12, "[Printers]\nA = Office", {{u"A", u"Office"}}, std::nullopt, {}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE("row " + std::to_string(c.row));
    const PrinterMap map = ReadMapText(c.text, "/etc/vant3/printers.conf");
    ASSERT_EQ(map.entries.size(), c.entries.size());
    for (size_t i = 0; i < c.entries.size(); ++i) {
      EXPECT_EQ(map.entries[i].name, c.entries[i].first);
      EXPECT_EQ(map.entries[i].queue, c.entries[i].second);
      EXPECT_EQ(map.entries[i].file, "/etc/vant3/printers.conf");
    }
    EXPECT_EQ(map.unknown, c.unknown);
    std::vector<uint32_t> lines;
    for (const MapProblem& problem : map.problems) lines.push_back(problem.line);
    EXPECT_EQ(lines, c.problemLines) << testing::PrintToString(Said(map));
  }
}

TEST(MapText, AProblemSaysFileLineAndWhy) {
  const PrinterMap map = ReadMapText("[Printers]\nA = Office\na = Label\n", "/u/printers.conf");
  ASSERT_EQ(Said(map).size(), 1u);
  EXPECT_EQ(Said(map)[0], "/u/printers.conf:3: 「a」は 2 行目にもあります (そちらを使います)");
  EXPECT_EQ(map.Unknown(), UnknownPrinter::kCurrent);
}

TEST(MapText, HostileTextIsBounded) {
  // A line over the limit, a file over the limit, many entries, a file of one huge line
  // without a break: each read within the bounds, the rest of the file applying.
  const std::string longLine = "[Printers]\n" + std::string(kMostLineBytes + 1, 'x') + " = Office\nA = Label\n";
  PrinterMap map = ReadMapText(longLine, "f");
  ASSERT_EQ(map.entries.size(), 1u);
  ASSERT_EQ(map.problems.size(), 1u);
  EXPECT_EQ(map.problems[0].line, 2u);

  map = ReadMapText(std::string(kMostMapBytes + 1, '#'), "f");
  EXPECT_TRUE(map.entries.empty());
  ASSERT_EQ(map.problems.size(), 1u);
  EXPECT_EQ(map.problems[0].line, 0u);

  std::string many = "[Printers]\n";
  for (size_t i = 0; i <= kMostEntries; ++i) many += "P" + std::to_string(i) + " = Office\n";
  map = ReadMapText(many, "f");
  EXPECT_EQ(map.entries.size(), kMostEntries);
  ASSERT_EQ(map.problems.size(), 1u);
  EXPECT_EQ(map.problems[0].line, kMostEntries + 2);

  map = ReadMapText(std::string(200000, '='), "f");
  EXPECT_TRUE(map.entries.empty());
  EXPECT_EQ(map.problems.size(), 1u);
  map = ReadMapText(std::string(1000, '\0'), "f");
  EXPECT_EQ(map.problems.size(), 1u);
}

TEST(MapText, TheAdministratorsMapWinsOverTheUsers) {
  PrinterMap admin = ReadMapText("[Printers]\nLabel Printer = Label\n[Options]\nUnknownPrinter = stop\n", "/etc/a");
  PrinterMap user = ReadMapText(
      "[Printers]\n LABEL PRINTER = Office\nMine = Office\n[Options]\nUnknownPrinter = current\nbad\n", "/home/u");
  const PrinterMap merged = MergeMaps(std::move(admin), std::move(user));
  ASSERT_EQ(merged.entries.size(), 2u);
  EXPECT_EQ(merged.entries[0].queue, u"Label");
  EXPECT_EQ(merged.entries[0].file, "/etc/a");
  EXPECT_EQ(merged.entries[1].name, u"Mine");
  EXPECT_EQ(merged.Unknown(), UnknownPrinter::kStop);
  ASSERT_EQ(merged.problems.size(), 1u);
  EXPECT_EQ(merged.problems[0].file, "/home/u");

  // Without the administrator's option the user's applies.
  const PrinterMap userOnly = MergeMaps(PrinterMap{}, ReadMapText("[Options]\nUnknownPrinter = stop\n", "/home/u"));
  EXPECT_EQ(userOnly.Unknown(), UnknownPrinter::kStop);
}

}  // namespace
}  // namespace vant::printermap
