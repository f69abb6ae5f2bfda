// The page buttons, printing from the preview and closing.
#include <gtest/gtest.h>

#include "engine/module_state.h"
#include "engine/page_record.h"
#include "preview_fixture.h"
#include "recorded_marks.h"

namespace vant::test {
namespace {

class PageButtonsTest : public PreviewTest {
 protected:
  void Load(std::initializer_list<std::string_view> lines) {
    SetMethods(lines);
    LoadAndLayOut();
    ASSERT_TRUE(window.PreviewReady());
  }
};

TEST_F(PageButtonsTest, OneShownPageDisablesBothButtons) {
  Load({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "newpage"});
  EXPECT_FALSE(view.next.Enabled());
  EXPECT_FALSE(view.back.Enabled());
  EXPECT_EQ(view.panels.PanelText(1), u"印刷プレビュー:1/1");
}

TEST_F(PageButtonsTest, ForwardAndBackAgain) {
  Load({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "prntext,100,100,B,ＭＳ 明朝,12", "newpage", "prntext,100,100,C,ＭＳ 明朝,12"});
  EXPECT_TRUE(view.next.Enabled());
  EXPECT_FALSE(view.back.Enabled());
  window.NextPageClick();
  EXPECT_EQ(window.CurrentPage(), 2);
  EXPECT_TRUE(view.next.Enabled());
  EXPECT_TRUE(view.back.Enabled());
  window.NextPageClick();
  EXPECT_EQ(window.CurrentPage(), 3);
  EXPECT_FALSE(view.next.Enabled());
  EXPECT_TRUE(view.back.Enabled());
  EXPECT_EQ(view.panels.PanelText(1), u"印刷プレビュー:3/3");
  window.BackPageClick();
  window.BackPageClick();
  EXPECT_EQ(window.CurrentPage(), 1);
  EXPECT_FALSE(view.back.Enabled());
  EXPECT_TRUE(view.next.Enabled());
  EXPECT_EQ(view.panels.PanelText(1), u"印刷プレビュー:1/3");
}

TEST_F(PageButtonsTest, PageChangeKeepsTheZoomAndShowsTheNewPage) {
  Load({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "prntext,100,100,B,ＭＳ 明朝,12"});
  view.zoom.SetListIndex(k200);
  view.vertical.SetValue(100);
  window.NextPageClick();
  EXPECT_EQ(view.zoom.ListIndex(), k200);
  EXPECT_EQ(view.canvas.Top(), 0);
  const Mark* copy = LastCopy();
  ASSERT_NE(copy, nullptr);
  // 200 % shows the double-density picture at its own size.
  EXPECT_EQ(copy->srcW, copy->x2);
}

TEST_F(PageButtonsTest, ClicksBeyondTheEndsAreIgnored) {
  Load({"prntext,100,100,A,ＭＳ 明朝,12"});
  window.BackPageClick();
  window.NextPageClick();
  EXPECT_EQ(window.CurrentPage(), 1);
  EXPECT_FALSE(view.next.Enabled());
  EXPECT_FALSE(view.back.Enabled());
}

TEST_F(PageButtonsTest, PageThatFailsToRenderIsReportedAndThePageStateKept) {
  Load({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "prntext,100,100,B,ＭＳ 明朝,12"});
  // A symbol whose size at the printer's resolution is beyond 16 bits.
  PageRec& second = fake.state.engine.shownPageList[2];
  second.printerPixelFactorX = second.printerPixelFactorY = 3.125F;
  second.marks.push_back(RecordedMark(u"prnjan8", BarcodeValues{0, 0, u"1", 20000, 50, false, false}));
  window.NextPageClick();
  EXPECT_EQ(window.CurrentPage(), 2);
  EXPECT_FALSE(view.next.Enabled());
  EXPECT_TRUE(view.back.Enabled());
  ASSERT_EQ(MessageCount(), 1);
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kCritical);
  EXPECT_EQ(fake.messages.shown[0].title, u"エラー");
  EXPECT_EQ(fake.messages.shown[0].text,
            Failure::Overflow().Description() + u"\r\n2ページ目を表示できません!");
  EXPECT_EQ(view.panels.PanelText(1), u"印刷プレビュー:2/2");
  // Back to a page that renders.
  window.BackPageClick();
  EXPECT_EQ(MessageCount(), 1);
  EXPECT_TRUE(view.image.picture.Visible());
}

TEST_F(PageButtonsTest, PrintingPrintsEveryPageAlsoThoseLeftOutOfThePreview) {
  Load({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "newpage", "prntext,100,100,C,ＭＳ 明朝,12", "enddoc"});
  ASSERT_EQ(fake.state.engine.shownPageList.size(), 3U);  // the empty page is left out
  auto& printer = fake.Current();
  printer.events.clear();
  printer.pages.clear();
  window.PrintClick();
  EXPECT_EQ(printer.events, (std::vector<std::string>{"newpage", "newpage", "enddoc"}));
  ASSERT_EQ(printer.pages.size(), 3U);
  EXPECT_FALSE(printer.pages[0].empty());
  EXPECT_TRUE(printer.pages[1].empty());
  EXPECT_FALSE(printer.pages[2].empty());
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_EQ(fake.pointer.history.back(), kPointerDefault);
  EXPECT_EQ(fake.pointer.history[fake.pointer.history.size() - 2], kPointerHourglass);
  // The window keeps its pages.
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 3U);
  EXPECT_TRUE(window.PreviewReady());
}

TEST_F(PageButtonsTest, FailedPrintSaysSoAndLeavesTheWindowAsItWas) {
  Load({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "prntext,100,100,B,ＭＳ 明朝,12"});
  window.NextPageClick();
  view.zoom.SetListIndex(k200);
  // The list as printed goes wrong after the preview was built.
  auto& control = fake.state.control;
  MethodRec bad;
  bad.field[0] = u"prnbux";
  control.methodList.push_back(bad);
  control.methodCount = 4;
  window.PrintClick();
  ASSERT_EQ(MessageCount(), 2);
  EXPECT_EQ(fake.messages.shown[0].title, u"エラー");
  EXPECT_NE(fake.messages.shown[0].text.find(u"印刷を中断しました!"), Text::npos);
  EXPECT_EQ(fake.messages.shown[1].text, u"エラーが発生した為印刷を中止しました!");
  EXPECT_EQ(fake.messages.shown[1].icon, MessageIcon::kInformation);
  EXPECT_EQ(fake.messages.shown[1].title, u"印刷中止");
  EXPECT_EQ(window.CurrentPage(), 2);
  EXPECT_EQ(view.zoom.ListIndex(), k200);
  EXPECT_TRUE(window.PreviewReady());
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_EQ(fake.pointer.Get(), kPointerDefault);
}

TEST_F(PageButtonsTest, TheLastOfThirtyTwoThousandSevenHundredSixtySevenPages) {
  Load({"prntext,100,100,A,ＭＳ 明朝,12"});
  auto& shown = fake.state.engine.shownPageList;
  const PageRec page = shown[1];
  shown.assign(32768, page);
  window.UpdateStatusBar();
  EXPECT_EQ(view.panels.PanelText(1), u"印刷プレビュー:1/32767");
  for (int i = 1; i < 32767; ++i) window.NextPageClick();
  EXPECT_EQ(window.CurrentPage(), 32767);
  EXPECT_FALSE(view.next.Enabled());
  EXPECT_TRUE(view.back.Enabled());
  EXPECT_EQ(view.panels.PanelText(1), u"印刷プレビュー:32767/32767");
  window.NextPageClick();  // page numbers are 16-bit: nothing beyond
  EXPECT_EQ(window.CurrentPage(), 32767);
  window.BackPageClick();
  EXPECT_EQ(window.CurrentPage(), 32766);
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(PageButtonsTest, GoingToAPageLeavesTheWindowAsTheButtonsWouldAndRendersOnlyThatPage) {
  Load({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "prntext,100,100,B,ＭＳ 明朝,12", "newpage",
        "prntext,100,100,C,ＭＳ 明朝,12"});
  // One step after the other, from page 1.
  struct Step {
    int line;
    int16_t to;
    int16_t shown;  // the page then shown
    int renders;    // pages rendered by the step
  };
  const Step steps[] = {
      {__LINE__, 3, 3, 1}, {__LINE__, 3, 3, 0}, {__LINE__, 1, 1, 1}, {__LINE__, 4, 1, 0},
      {__LINE__, 0, 1, 0}, {__LINE__, 2, 2, 1}, {__LINE__, -1, 2, 0},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE("step at line " + std::to_string(step.line));
    const int before = view.image.picture.RefreshCount();
    window.GoToPage(step.to);
    EXPECT_EQ(window.CurrentPage(), step.shown);
    EXPECT_EQ(view.image.picture.RefreshCount() - before, step.renders);
    EXPECT_EQ(view.next.Enabled(), step.shown < 3);
    EXPECT_EQ(view.back.Enabled(), step.shown > 1);
    EXPECT_EQ(view.panels.PanelText(1), u"印刷プレビュー:" + DecimalText(step.shown) + u"/3");
  }
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(PageButtonsTest, GoingToTheLastOfThirtyTwoThousandPagesRendersOnePage) {
  Load({"prntext,100,100,A,ＭＳ 明朝,12"});
  auto& shown = fake.state.engine.shownPageList;
  const PageRec page = shown[1];
  shown.assign(32768, page);
  const int before = view.image.picture.RefreshCount();
  window.GoToPage(32767);
  EXPECT_EQ(window.CurrentPage(), 32767);
  EXPECT_EQ(view.image.picture.RefreshCount() - before, 1);
  EXPECT_FALSE(view.next.Enabled());
  EXPECT_TRUE(view.back.Enabled());
  EXPECT_EQ(view.panels.PanelText(1), u"印刷プレビュー:32767/32767");
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(PageButtonsTest, CloseUnloadsAndLeavesNextMethodAtZero) {
  Load({"prntext,100,100,A,ＭＳ 明朝,12"});
  fake.state.engine.nextMethod = 2;
  window.CloseClick();
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_EQ(view.log.back(), "close");
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 1U);
}

}  // namespace
}  // namespace vant::test
