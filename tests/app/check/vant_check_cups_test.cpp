// `vant check` on the private print server: a page stops in `vant check` exactly when it
// stops in `vant print`, with the same message boxes, on a CUPS queue and on the PDF
// printer: every example page, the host reader's test pages, and a page for each stop the
// control has. The printable area of a queue with margins: a mark in the margin is warned of.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <optional>
#include <regex>

#include "cups_test_queues.h"
#include "host_pages.h"
#include "vant_process.h"

namespace vant::test {
namespace {

namespace queues = vant::test::cups;

// The message boxes in what a command wrote, in order: "[critical] TITLE\nLINES…\n\n".
std::vector<std::string> Boxes(const std::string& out) {
  static const std::regex box(R"(\[(critical|information)\][^\n]*\n(?:[^\n]+\n)*\n)");
  std::vector<std::string> boxes;
  for (auto it = std::sregex_iterator(out.begin(), out.end(), box); it != std::sregex_iterator(); ++it) {
    boxes.push_back(it->str());
  }
  return boxes;
}

// Standard output of `vant check` split into its pages' blocks, each from its "== PAGE" line.
std::vector<std::string> PageBlocks(const std::string& out) {
  std::vector<std::string> blocks;
  size_t start = out.rfind("== ", 0) == 0 ? 0 : out.find("\n== ");
  while (start != std::string::npos && start < out.size()) {
    if (out[start] == '\n') ++start;
    const size_t next = out.find("\n== ", start);
    blocks.push_back(out.substr(start, next == std::string::npos ? std::string::npos : next + 1 - start));
    start = next;
  }
  return blocks;
}

// One page for each way the control stops a run, and lists it accepts though they look
// wrong. stops: whether the run stops on either printer; none when that depends on the
// printer.
struct FaultyList {
  std::vector<std::string> methods;
  std::optional<bool> stops;
};

std::vector<FaultyList> FaultyLists() {
  const std::string text = "prntext,20,30,請求書,ＭＳ 明朝,12,false,true,0";
  return {
      {{text, "nosuchcommand,1", "enddoc"}, true},
      {{"papersize,zz", text, "enddoc"}, true},
      {{"orientation,斜め", text, "enddoc"}, true},
      {{"scalemode,inch", text, "enddoc"}, true},
      {{"printquality,best", text, "enddoc"}, true},
      {{"paperbin,roof", text, "enddoc"}, true},
      {{"colormode,sepia", text, "enddoc"}, true},
      // A size or source a printer does not take.
      {{"changeprinter,Label", "papersize,a3", text, "enddoc"}, true},
      {{"papersize,256", text, "enddoc"}, std::nullopt},
      {{"paperbin,vbprbntractor", text, "enddoc"}, std::nullopt},
      // Barcode data the symbol refuses, and a symbol too wide to lay out.
      {{"scalemode,mm", "prnjan13,10,10,-4901234,40,10,true", "enddoc"}, true},
      {{"scalemode,mm", "prnjan8,10,10,-49,40,10,true", "enddoc"}, true},
      {{"scalemode,mm", "prnnw7,10,10,12345,40,10,true,false", "enddoc"}, true},
      {{"scalemode,mm", "prncode39,10,10,abc%$#~,40,10,true,true", "enddoc"}, true},
      {{"scalemode,mm", "prnjan13,10,10,4901234567894,99999999,10,true", "enddoc"}, true},
      // Values the control lets through: an overflowing coordinate, a line of width 0, a
      // colour beyond white, a style that is none, an empty font name, too few arguments.
      {{"prntext,1e30,10,a,ＭＳ 明朝,12,false,false,0", "enddoc"}, false},
      {{"prnbox,10,10,50,40,0,0,0", "enddoc"}, false},
      {{"prnbox,10,10,50,40,1,0,99999999", "enddoc"}, false},
      {{"prnline,10,10,50,40,1,99,0", "enddoc"}, false},
      {{"prntext,20,30,a,,12,false,false,0", "enddoc"}, false},
      {{"prnbox,10", "enddoc"}, false},
      {{"prncircle,100,100,-5,1,0,0", "enddoc"}, false},
      // Sound lists, and a list that prints nothing.
      {{"papersize,a5", "orientation,横", text, "newpage", text, "enddoc"}, false},
      {{text, "enddoc", text, "enddoc"}, false},
      {{"scalemode,mm"}, false},
  };
}

class VantCheckCupsTest : public testing::Test {
 protected:
  VantCheckCupsTest() {
    queues::RequirePrivateServer();
    queues::ClearQueueOutput("Office");
    queues::ClearQueueOutput("Label");
  }

  VantResult Run(const std::vector<std::string>& args) {
    VantOptions options;
    options.workDir = work_.Path();
    options.privatePrintServer = true;
    options.timeout = std::chrono::seconds(300);
    return RunVant(args, options);
  }

  // Every page of the comparison: the examples, the reader's test pages, the faulty lists.
  std::vector<std::string> Pages() {
    std::vector<std::string> pages;
    for (const char* folder : {VANT_EXAMPLES_DIR, VANT_HOST_TEST_DATA}) {
      for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".html") pages.push_back(entry.path().string());
      }
    }
    std::sort(pages.begin(), pages.end());
    const auto lists = FaultyLists();
    for (size_t i = 0; i < lists.size(); ++i) {
      const auto file = pages_ / ("faulty" + std::to_string(i) + ".html");
      WriteFile(file, HostPage(MethodParams(lists[i].methods)));
      pages.push_back(file.string());
    }
    return pages;
  }

  TempDir pages_;
  TempDir work_;
};

TEST_F(VantCheckCupsTest, APageStopsInCheckExactlyWhenItStopsInPrintWithTheSameBoxes) {
  const std::vector<std::string> pages = Pages();
  const std::vector<FaultyList> lists = FaultyLists();
  ASSERT_GE(pages.size(), lists.size() + 3);
  const size_t firstFaulty = pages.size() - lists.size();
  for (const std::string printer : {"Office", "Vant3 PDF"}) {
    SCOPED_TRACE(printer);
    std::vector<std::string> args{"check", "--printer", printer};
    args.insert(args.end(), pages.begin(), pages.end());
    const VantResult check = Run(args);
    ASSERT_TRUE(check.exited) << check.Describe();
    const std::vector<std::string> blocks = PageBlocks(check.out);
    ASSERT_EQ(blocks.size(), pages.size()) << check.out;
    int stops = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
      SCOPED_TRACE(pages[i]);
      const VantResult print = Run({"print", "--printer", printer, pages[i]});
      ASSERT_TRUE(print.exited) << print.Describe();
      const bool checkFailed = blocks[i].find("\n結果: 印刷されません") != std::string::npos;
      EXPECT_EQ(checkFailed, print.status == 1) << blocks[i] << "\n--- print:\n" << print.Describe();
      EXPECT_EQ(Boxes(blocks[i]), Boxes(print.err)) << blocks[i] << "\n--- print:\n" << print.err;
      stops += checkFailed ? 1 : 0;
      if (i >= firstFaulty && lists[i - firstFaulty].stops) {
        EXPECT_EQ(checkFailed, *lists[i - firstFaulty].stops) << blocks[i];
      }
    }
    EXPECT_EQ(check.status, stops > 0 ? 1 : 0);
    std::smatch summary;
    static const std::regex summaryLine(R"(\n([0-9]+) pages checked, ([0-9]+) failed, [0-9]+ warnings?\n$)");
    ASSERT_TRUE(std::regex_search(check.out, summary, summaryLine)) << check.out;
    EXPECT_EQ(std::stoul(summary[1].str()), pages.size());
    EXPECT_EQ(std::stoi(summary[2].str()), stops);
  }
  // Nothing but the PDF files of `vant print` on the PDF printer was written.
  for (const std::string& name : work_.Names()) EXPECT_TRUE(name.ends_with(".pdf")) << name;
}

// Sheet sizes are said to 0.1 mm in the text and the JSON alike: the queue's A4 is 595 x
// 842 points, the PDF printer's 210 x 297 mm.
TEST_F(VantCheckCupsTest, SheetSizesAreSaidToATenthOfAMillimetre) {
  struct Row {
    int line;
    std::string printer;
    std::string text;  // as the text report says the page
    double widthMm, heightMm;
  };
  const Row rows[] = {
      {__LINE__, "Office", "A4 (209.9 x 297 mm)", 209.9, 297},
      {__LINE__, "Vant3 PDF", "A4 (210 x 297 mm)", 210, 297},
  };
  const auto file = pages_ / "a4.html";
  WriteFile(file, HostPage(MethodParams({"papersize,a4", "scalemode,mm", "prnbox,10,10,50,40,1,0,0", "enddoc"})));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const VantResult text = Run({"check", "--printer", row.printer, file.string()});
    ASSERT_TRUE(text.exited && text.status == 0) << text.Describe();
    EXPECT_NE(text.out.find("  1 ページ: " + row.text + "、"), std::string::npos) << text.out;
    const VantResult json = Run({"check", "--json", "--printer", row.printer, file.string()});
    const QJsonObject paper = QJsonDocument::fromJson(QByteArray::fromStdString(json.out))
                                  .object()["documents"].toArray()[0].toObject()["pages"].toArray()[0]
                                  .toObject()["paper"].toObject();
    EXPECT_EQ(paper["widthMm"].toDouble(), row.widthMm) << json.out;
    EXPECT_EQ(paper["heightMm"].toDouble(), row.heightMm) << json.out;
  }
}

TEST_F(VantCheckCupsTest, AMarkInTheQueuesMarginIsOutsideItsPrintableArea) {
  struct Row {
    int line;
    std::string box;
    bool warned;
  };
  // The queue's A4 printable area starts 12 pt (4.2 mm) from the left edge and is 571 pt
  // (201.4 mm) wide; coordinates start at its corner.
  const Row rows[] = {
      {__LINE__, "prnbox,-2,10,50,40,1,0,0", true},
      {__LINE__, "prnbox,150,10,203,40,1,0,0", true},
      {__LINE__, "prnbox,0,10,200,40,1,0,0", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const auto file = pages_ / "margin.html";
    WriteFile(file, HostPage(MethodParams({"papersize,a4", "scalemode,mm", row.box, "enddoc"})));
    const VantResult r = Run({"check", "--json", "--printer", "Office", file.string()});
    ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
    const QJsonObject page = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    int outside = 0, offSheet = 0;
    for (const auto& value : page["warnings"].toArray()) {
      const QJsonObject warning = value.toObject();
      outside += warning["kind"].toString() == "outsidePrintable" ? 1 : 0;
      offSheet += warning["kind"].toString() == "offSheet" ? 1 : 0;
      if (warning["kind"].toString() == "outsidePrintable") {
        EXPECT_EQ(warning["method"].toInt(), 3);
      }
    }
    EXPECT_EQ(outside, row.warned ? 1 : 0) << r.out;
    EXPECT_EQ(offSheet, 0) << r.out;
    // The same page on the PDF printer, which prints to the sheet's edges, is not warned of.
    const VantResult pdf = Run({"check", "--json", "--printer", "Vant3 PDF", file.string()});
    EXPECT_EQ(pdf.out.find("outsidePrintable"), std::string::npos) << pdf.out;
  }
}

}  // namespace
}  // namespace vant::test
