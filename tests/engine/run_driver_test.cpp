#include "engine/run_driver.h"

#include "engine/module_state.h"
#include "engine/run_watcher.h"
#include "run_fixture.h"

namespace vant {
namespace {

using RunDriver = test::RunFixture;

TEST_F(RunDriver, AnEmptyListRunsNothingAndCompletes) {
  LoadMethods({});
  EXPECT_EQ(Print(), 0);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(RunDriver, CommandsAreLowerCasedButNotTrimmed) {
  LoadMethods({u"NEWPAGE", u"NewPage", u" newpage"});
  EXPECT_EQ(Print(), 1);
  EXPECT_EQ(Count("newpage"), 2);
  const auto& m = OnlyMessage();
  EXPECT_EQ(m.text, u"\" newpage\"\r\nMethod指定が不正です!\r\n3: newpage()\r\n印刷を中断しました!");
  EXPECT_EQ(m.title, u"エラー");
  EXPECT_EQ(m.icon, MessageIcon::kCritical);
}

TEST_F(RunDriver, AnUnrecognisedCommandStopsWithItsNameAsWrittenAndTheEcho) {
  LoadMethods({u"newpage", u"newpage", u"newpage", u"newpage", u"PrnBux,1,A,,B,C,,x"});
  EXPECT_EQ(Print(), 1);
  EXPECT_EQ(OnlyMessage().text,
            u"\"PrnBux\"\r\nMethod指定が不正です!\r\n5:prnbux(1,a$カンマ$b,c,x)\r\n印刷を中断しました!");
  EXPECT_EQ(Count("killdoc"), 1);
  EXPECT_EQ(fake.state.engine.nextMethod, 5);
}

// What a watcher is told: each method's position and row as it is about to run, in order,
// the one that stops the run included (an unrecognised command with no row).
class ToldMethods final : public RunWatcher {
 public:
  explicit ToldMethods(const std::vector<std::string>& printerEvents) : printerEvents_(printerEvents) {}
  void MethodStarting(int16_t position, const CommandRow* row, const MethodRec& method) noexcept override {
    told.push_back({position, row, method.field[0], printerEvents_.size()});
  }
  struct Told {
    int16_t position;
    const CommandRow* row;
    Text command;
    size_t eventsBefore;  // what the printer had been asked when the method was told
  };
  std::vector<Told> told;

 private:
  const std::vector<std::string>& printerEvents_;
};

TEST_F(RunDriver, AWatcherIsToldOfEachMethodBeforeItRunsAndChangesNothing) {
  const std::vector<Text> list = {u"scalemode,mm", u"prntext,1,1,a", u"NewPage", u"prnbux,1", u"enddoc"};
  // The same list without a watcher, for what the run does.
  LoadMethods(list);
  EXPECT_EQ(Print(), 1);
  const std::vector<std::string> unwatched = fake.Current().events;
  const Text unwatchedMessage = OnlyMessage().text;

  test::FakePlatform watched;
  ToldMethods watcher(watched.Current().events);
  watched.platform.watcher = &watcher;
  test::LoadMethods(watched.state, list);
  EXPECT_EQ(RunMethods(watched.platform, watched.platform.printer, 0, MethodCommands()), 1);
  EXPECT_EQ(watched.Current().events, unwatched);
  ASSERT_EQ(watched.messages.shown.size(), 1u);
  EXPECT_EQ(watched.messages.shown[0].text, unwatchedMessage);
  EXPECT_EQ(watched.state.engine.nextMethod, 4);

  ASSERT_EQ(watcher.told.size(), 4u);  // the stopping method, and nothing after it
  for (int16_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(watcher.told[static_cast<size_t>(i)].position, i + 1);
    EXPECT_EQ(watcher.told[static_cast<size_t>(i)].command, SplitMethodLine(list[static_cast<size_t>(i)])[0]);
    EXPECT_EQ(watcher.told[static_cast<size_t>(i)].row,
              FindCommand(MethodCommands(), SplitMethodLine(list[static_cast<size_t>(i)])[0]));
  }
  EXPECT_NE(watcher.told[2].row, nullptr);  // NewPage is newpage
  EXPECT_EQ(watcher.told[3].row, nullptr);
  // Told before it runs: the page break reaches the printer after the watcher hears of it.
  const auto newpage = std::find(unwatched.begin(), unwatched.end(), "newpage") - unwatched.begin();
  EXPECT_EQ(watcher.told[2].eventsBefore, static_cast<size_t>(newpage));
  EXPECT_EQ(watcher.told[3].eventsBefore, static_cast<size_t>(newpage) + 1);
}

TEST_F(RunDriver, TheEchoEndsAtTheFirstEmptyFieldFromField2On) {
  MethodRec m;
  m.field = {u"PrnBox", u"", u"2", u"3", u"", u"5"};
  EXPECT_EQ(MethodEcho(m), u"prnbox(,2,3)");
  MethodRec only;
  only.field[0] = u"enddoc";
  EXPECT_EQ(MethodEcho(only), u"enddoc()");
}

TEST_F(RunDriver, AFailingThirdMethodKillsTheDocumentAndKeepsItsPosition) {
  LoadMethods({u"prntext,1,1,a", u"newpage", u"prnbox,1,1,2,2,99999", u"enddoc"});
  EXPECT_EQ(Print(), 1);
  EXPECT_EQ(Count("newpage"), 1);
  EXPECT_EQ(Count("killdoc"), 1);
  EXPECT_EQ(Count("enddoc"), 0);
  EXPECT_EQ(fake.state.engine.nextMethod, 3);
  EXPECT_EQ(OnlyMessage().text, u"オーバーフローしました。\r\n3:prnbox(1,1,2,2,99999)\r\n印刷を中断しました!");
  // Run again without a reset: it starts at the failed method.
  fake.messages.shown.clear();
  EXPECT_EQ(Print(), 1);
  EXPECT_EQ(Count("newpage"), 1);
}

TEST_F(RunDriver, PrintingPagesAsTheBreaksComeAndNeverEndsTheDocumentByItself) {
  LoadMethods({u"prntext,1,1,a", u"newpage", u"prntext,1,1,b", u"newpage"});
  EXPECT_EQ(Print(), 0);
  EXPECT_EQ(Count("newpage"), 2);
  EXPECT_EQ(Count("enddoc"), 0);
  EXPECT_EQ(fake.state.engine.nextMethod, 5);
  // A completed run leaves NextMethod past the end: running again does nothing.
  EXPECT_EQ(Print(), 0);
  EXPECT_EQ(Count("newpage"), 2);
}

TEST_F(RunDriver, PreviewBuildingStopsAtEachPageBreak) {
  LoadMethods({u"prntext,1,1,a,ＭＳ 明朝,10", u"newpage", u"prntext,1,1,b,ＭＳ 明朝,10", u"newpage"});
  EXPECT_EQ(BuildPage(1), 0);
  EXPECT_EQ(fake.state.engine.nextMethod, 3);
  EXPECT_EQ(BuildPage(2), 0);
  EXPECT_EQ(fake.state.engine.nextMethod, 5);
  EXPECT_EQ(Count("newpage"), 0);  // nothing reaches the printer
  EXPECT_EQ(fake.state.engine.pageList[1].marks.size(), 1u);
  EXPECT_EQ(fake.state.engine.pageList[2].marks.size(), 1u);
}

TEST_F(RunDriver, AnEnddocInTheMiddleIsAnOrdinaryPageBreakInThePreview) {
  LoadMethods({u"prnline,1,1,2,2", u"enddoc", u"prnline,1,1,2,2"});
  EXPECT_EQ(BuildPage(1), 0);
  EXPECT_EQ(fake.state.engine.nextMethod, 3);
  EXPECT_EQ(BuildPage(2), 0);
  EXPECT_EQ(fake.state.engine.nextMethod, 4);
}

TEST_F(RunDriver, AStopInPreviewBuildingSaysSoAndKillsThePrintersDocument) {
  LoadMethods({u"prntxt,20,30,A"});
  EXPECT_EQ(BuildPage(1), 1);
  EXPECT_EQ(OnlyMessage().text, u"\"prntxt\"\r\nMethod指定が不正です!\r\n1:prntxt(20,30,a)\r\nプレビューを中断しました!");
  EXPECT_EQ(Count("killdoc"), 1);
}

TEST_F(RunDriver, AnUnacceptedSetupArgumentStopsWithTheFieldAsWritten) {
  LoadMethods({u"papersize,A4 "});
  EXPECT_EQ(Print(), 1);
  EXPECT_EQ(OnlyMessage().text, u"\"A4 \"\r\nPaperSize指定が不正です!\r\n1:papersize(a4 )\r\n印刷を中断しました!");
}

TEST_F(RunDriver, APapersizeWithoutArgumentStartsWithTwoDoubleQuotes) {
  LoadMethods({u"papersize"});
  EXPECT_EQ(Print(), 1);
  EXPECT_EQ(OnlyMessage().text.substr(0, 4), u"\"\"\r\n");
}

TEST_F(RunDriver, APrinterRefusingAValueStopsWithThePlatformsDescription) {
  LoadMethods({u"papersize,a4", u"papersize,41"});
  EXPECT_EQ(Print(), 1);
  const Text& text = OnlyMessage().text;
  EXPECT_NE(text.find(u"用紙サイズ"), Text::npos);
  EXPECT_NE(text.find(u"\r\n2:papersize(41)\r\n"), Text::npos);
  EXPECT_EQ(fake.Current().Get(PrinterSetting::kPaperSize), 9);  // the earlier setting stays
}

TEST_F(RunDriver, SetupCommandsInPreviewBuildingChangeTheRealPrinterAndRefreshThePage) {
  LoadMethods({u"prnbox,10,10,20,20", u"orientation,横", u"papersize,a5"});
  EXPECT_EQ(BuildPage(1), 0);
  EXPECT_EQ(fake.Current().Get(PrinterSetting::kOrientation), kOrientationLandscape.code);
  EXPECT_EQ(fake.Current().Get(PrinterSetting::kPaperSize), 11);
  const PageRec& page = fake.state.engine.pageList[1];
  EXPECT_EQ(page.paperSize, 11);
  EXPECT_EQ(page.orientation, 2);
  EXPECT_FALSE(page.shown);  // the setup after the drawing cleared it
}

TEST_F(RunDriver, ScaleModeAndTheOthersHaveNoPreviewPageStep) {
  LoadMethods({u"prnbox,10,10,20,20", u"scalemode,mm", u"printquality,4", u"paperbin,2", u"colormode,1"});
  EXPECT_EQ(BuildPage(1), 0);
  EXPECT_TRUE(fake.state.engine.pageList[1].shown);
  EXPECT_EQ(fake.Current().ScaleMode(), 6);
  EXPECT_EQ(fake.Current().Get(PrinterSetting::kPrintQuality), kQualityHigh.code);
  EXPECT_EQ(fake.Current().Get(PrinterSetting::kPaperBin), kBinLower.code);
  EXPECT_EQ(fake.Current().Get(PrinterSetting::kColorMode), kColourMonochrome.code);
}

TEST_F(RunDriver, TheOverviewExampleOnPaper) {
  LoadMethods({u"scalemode,mm", u"prntext,20,30,A,,B,ＭＳ 明朝,12,false,true,255", u"enddoc"});
  EXPECT_EQ(Print(), 0);
  const auto& pages = fake.Current().pages;
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].size(), 1u);
  const test::Mark& text = pages[0][0];
  EXPECT_EQ(text.kind, test::Mark::kText);
  EXPECT_EQ(text.text, u"A,B");
  EXPECT_EQ(text.font.name, u"ＭＳ 明朝");
  EXPECT_TRUE(text.font.bold);
  EXPECT_FALSE(text.font.italic);
  EXPECT_EQ(text.font.pixelHeight, 100);  // 12 pt at 600 dpi
  EXPECT_EQ(text.colour, (Rgb{255, 0, 0}));
  EXPECT_NEAR(text.x1, 20 / 25.4 * 600, 1e-3);
  EXPECT_NEAR(text.y1, 30 / 25.4 * 600, 1e-3);
}

TEST_F(RunDriver, ATextWithoutASizeStopsThePreviewWhereThePictureRefusesIt) {
  // On paper the refused size is a skipped step; the preview's size fitting sets it on the
  // picture, which refuses it, and the run stops.
  LoadMethods({u"prntext,1,1,a"});
  EXPECT_EQ(Print(), 0);
  fake.state.engine.nextMethod = 0;
  EXPECT_EQ(BuildPage(1), 1);
  EXPECT_EQ(OnlyMessage().text, u"プロパティの値が不正です。\r\n1:prntext(1,1,a)\r\nプレビューを中断しました!");
}

TEST_F(RunDriver, APositionBeyondTheListIsAnIndexFailure) {
  // A failed later reading can leave the count above the list it shortened.
  LoadMethods({u"newpage"});
  fake.state.control.methodCount = 2;
  EXPECT_EQ(Print(), 1);
  EXPECT_EQ(OnlyMessage().text.substr(0, 18), u"インデックスが有効範囲にありません。");
}

class RunDriverOnThreePrinters : public test::RunFixture {
 protected:
  RunDriverOnThreePrinters()
      : RunFixture({test::PrinterSpec{u"Office"}, test::PrinterSpec{u"Label"}, test::PrinterSpec{u"Back"}}) {}
};

TEST_F(RunDriverOnThreePrinters, AStopAbandonsEveryDocumentTheRunOpenedAndNoOther) {
  // Label's document was left open by an earlier run that completed without enddoc.
  fake.printers.Recording(1).NewPage();
  const uint64_t labelsDocument = fake.printers.At(1).OpenDocumentId();
  ASSERT_NE(labelsDocument, 0u);
  LoadMethods({u"prntext,1,1,a", u"newpage", u"prntext,1,1,b", u"changeprinter,Back", u"prntext,1,1,c",
               u"prnbux"});
  EXPECT_EQ(Print(), 1);
  EXPECT_EQ(Count("killdoc", 0), 1);  // opened by the run on the printer it left
  EXPECT_EQ(fake.printers.At(0).OpenDocumentId(), 0u);
  EXPECT_EQ(Count("killdoc", 2), 1);  // the current printer's
  EXPECT_EQ(fake.printers.At(2).OpenDocumentId(), 0u);
  EXPECT_EQ(Count("killdoc", 1), 0);  // not the run's own
  EXPECT_EQ(fake.printers.At(1).OpenDocumentId(), labelsDocument);
  EXPECT_EQ(Count("enddoc", 0) + Count("enddoc", 1) + Count("enddoc", 2), 0);
}

TEST_F(RunDriverOnThreePrinters, ADocumentTheRunEndedAndOpenedAgainIsItsOwn) {
  fake.printers.Recording(0).NewPage();  // left open by an earlier run
  LoadMethods({u"enddoc", u"prntext,1,1,a", u"changeprinter,Back", u"prnbux"});
  EXPECT_EQ(Print(), 1);
  EXPECT_EQ(Count("enddoc", 0), 1);  // the earlier document went out as the list said
  EXPECT_EQ(Count("killdoc", 0), 1);  // the one the run opened after it does not
  EXPECT_EQ(fake.printers.At(0).OpenDocumentId(), 0u);
}

}  // namespace
}  // namespace vant
