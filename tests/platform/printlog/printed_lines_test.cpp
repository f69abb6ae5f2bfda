// The lines the system log gets: every value quoted so that no page can write a line of
// its own, each kind of delivered document, and only print runs' stops kept from the boxes.
#include <gtest/gtest.h>

#include <vector>

#include "platform/printlog/printed_lines.h"

namespace vant::printlog {
namespace {

class KeptLog final : public PrintLog {
 public:
  void Write(LogLevel level, const std::string& line) override { lines.push_back({level, line}); }
  std::vector<std::pair<LogLevel, std::string>> lines;
};

class KeptBoxes final : public MessageBoxes {
 public:
  void Show(const Text& text, MessageIcon, const Text&) override { shown.push_back(text); }
  std::vector<Text> shown;
};

printing::DeliveredDocument Delivered(const Text& printer, int pages, std::optional<int> job,
                                      std::vector<int> later = {}) {
  printing::DeliveredDocument delivered;
  delivered.printer = printer;
  delivered.pages = pages;
  delivered.jobId = job;
  delivered.laterJobIds = std::move(later);
  return delivered;
}

TEST(PrintedLines, ValuesAreQuotedAndEscaped) {
  struct Row {
    int row;
    std::u16string value;
    std::string logged;
  };
  const Row rows[] = {
      {1, u"/home/u/label.html", "\"/home/u/label.html\""},
      {2, u"a\"b\\c", "\"a\\\"b\\\\c\""},
      {3, u"x\nprinted page=\"forged\"", "\"x\\nprinted page=\\\"forged\\\"\""},
      {4, u"\r\t\x1b\x7f", "\"\\r\\x09\\x1b\\x7f\""},
      {5, u"請求書", "\"請求書\""},
      {6, u"", "\"\""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.row);
    EXPECT_EQ(LogValue(r.value), r.logged);
  }
}

TEST(PrintedLines, EachKindOfDelivery) {
  const printing::DeliveredDocument job = Delivered(u"Label", 2, 42, {43, 44});
  printing::DeliveredDocument file = Delivered(u"Vant3 PDF", 3, std::nullopt);
  file.file = "/tmp/a b.pdf";
  printing::DeliveredDocument standardOutput = Delivered(u"Vant3 PDF", 1, std::nullopt);
  standardOutput.standardOutput = true;
  EXPECT_EQ(PrintedLine(u"/p.html", job, 3), "printed page=\"/p.html\" printer=\"Label\" job=42,43,44 pages=2 copies=3");
  EXPECT_EQ(PrintedLine(u"https://sales.example", file, 3),
            "printed page=\"https://sales.example\" printer=\"Vant3 PDF\" file=\"/tmp/a b.pdf\" pages=3 copies=1");
  EXPECT_EQ(PrintedLine(u"-", standardOutput, 1), "printed page=\"-\" printer=\"Vant3 PDF\" file=- pages=1 copies=1");
  EXPECT_EQ(StoppedLine(u"/p.html", u"プリンター「X」が見つかりません\r\n2:changeprinter(x)\r\n印刷を中断しました!"),
            "stopped page=\"/p.html\" stop=\"プリンター「X」が見つかりません\\r\\n2:changeprinter(x)\\r\\n印刷を中断しました!\"");
}

TEST(PrintedLines, OnlyPrintRunsStopsAreKeptAndAllBoxesPassOn) {
  KeptBoxes screen;
  StopBoxes stops(&screen);
  stops.Show(u"a\r\n1:x()\r\n印刷を中断しました!", MessageIcon::kCritical, u"エラー");
  stops.Show(u"b\r\n1:x()\r\nプレビューを中断しました!", MessageIcon::kCritical, u"エラー");
  stops.Show(u"印刷対象がありません!", MessageIcon::kInformation, u"");
  stops.Show(u"c 印刷を中断しました!", MessageIcon::kInformation, u"");
  EXPECT_EQ(screen.shown.size(), 4u);
  const std::vector<Text> kept = stops.Take();
  EXPECT_EQ(kept, std::vector<Text>{u"a\r\n1:x()\r\n印刷を中断しました!"});
  EXPECT_TRUE(stops.Take().empty());
  StopBoxes nowhere(nullptr);
  nowhere.Show(u"d\r\n印刷を中断しました!", MessageIcon::kCritical, u"エラー");
  EXPECT_EQ(nowhere.Take().size(), 1u);

  KeptLog log;
  const printing::DeliveredDocument job = Delivered(u"Office", 1, 7);
  LogPrints(log, u"/p.html", std::span(&job, 1), 2, kept);
  ASSERT_EQ(log.lines.size(), 2u);
  EXPECT_EQ(log.lines[0].first, LogLevel::kInfo);
  EXPECT_EQ(log.lines[0].second, "printed page=\"/p.html\" printer=\"Office\" job=7 pages=1 copies=2");
  EXPECT_EQ(log.lines[1].first, LogLevel::kWarning);
  EXPECT_EQ(log.lines[1].second.rfind("stopped page=\"/p.html\" stop=\"a\\r\\n1:x()\\r\\n", 0), 0u);
}

}  // namespace
}  // namespace vant::printlog
