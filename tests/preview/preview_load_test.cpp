// Loading the preview window over the real run driver: which pages it keeps, what it says
// when there is nothing to show, and the state it leaves.
#include <gtest/gtest.h>

#include "engine/module_state.h"
#include "engine/page_record.h"
#include "preview_fixture.h"

namespace vant::test {
namespace {

using LoadTest = PreviewTest;

TEST_F(LoadTest, EmptyListSaysThereIsNothingToPrint) {
  window.Load();
  ASSERT_EQ(MessageCount(), 1);
  EXPECT_EQ(fake.messages.shown[0].text, u"印刷対象がありません!");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(fake.messages.shown[0].title, u"");
  EXPECT_FALSE(window.PreviewReady());
  EXPECT_EQ(view.page, nullptr);  // nothing was built
  window.Activate();
  EXPECT_EQ(view.log.back(), "close");
  EXPECT_EQ(fake.pointer.Get(), kPointerDefault);
}

TEST_F(LoadTest, OnePageIsReadyAtTheAutomaticFit) {
  SetMethods({"prntext,100,100,Ａ,ＭＳ 明朝,12"});
  window.Load();
  EXPECT_TRUE(window.PreviewReady());
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_EQ(window.CurrentPage(), 1);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 2U);
  EXPECT_EQ(view.zoom.Count(), 5);
  EXPECT_EQ(view.zoom.ListIndex(), 4);
  EXPECT_EQ(view.zoom.At(0).text, u"300%");
  EXPECT_EQ(view.zoom.At(3).itemData, 100);
  EXPECT_EQ(view.zoom.At(4).text, u"オート");
  EXPECT_EQ(view.zoom.At(4).itemData, 0);
  EXPECT_FALSE(view.next.Enabled());
  EXPECT_FALSE(view.back.Enabled());
  EXPECT_EQ(fake.pointer.history, (std::vector<int16_t>{kPointerHourglass, kPointerDefault}));
  EXPECT_EQ(view.wheel, &window);
  EXPECT_EQ(view.log.front(), "maximize");
  // Loading draws no page: the first layout does.
  EXPECT_EQ(LastCopy(), nullptr);
  window.Resize();
  EXPECT_NE(LastCopy(), nullptr);
  EXPECT_TRUE(view.image.picture.Visible());
}

TEST_F(LoadTest, FrameAndPagePictureTakeThePrinterPageAtDoubleDensity) {
  SetMethods({"prntext,100,100,A,ＭＳ 明朝,12"});
  window.Load();
  // A4 is 210 x 297 mm: 793.7 x 1122.5 screen pixels, twice that in the frame.
  EXPECT_EQ(view.image.picture.Width(), 1587);
  EXPECT_EQ(view.image.picture.Height(), 2245);
  EXPECT_EQ(view.image.picture.BackColor(), 0xFFFFFF);
  // The printable area, 202 x 289 mm.
  ASSERT_NE(view.page, nullptr);
  EXPECT_EQ(view.page->picture.Width(), 1527);
  EXPECT_EQ(view.page->picture.Height(), 2185);
  EXPECT_FALSE(view.page->picture.Visible());
  EXPECT_FALSE(view.scratch.picture.Visible());
  EXPECT_EQ(view.scratch.picture.ScaleMode(), kScalePixels);
}

TEST_F(LoadTest, PagesWithNothingDrawnAreDroppedAndTheRestRenumbered) {
  SetMethods({"prntext,100,100,one,ＭＳ 明朝,12", "newpage", "prnbox,0,0,0,0", "papersize,a4", "newpage",
              "prntext,100,100,three,ＭＳ 明朝,12", "enddoc"});
  window.Load();
  ASSERT_TRUE(window.PreviewReady());
  const auto& engine = fake.state.engine;
  // The box on page 2 lost its page's flag to the later page set-up.
  EXPECT_EQ(engine.pageList.size(), 4U);
  EXPECT_FALSE(engine.pageList[2].shown);
  ASSERT_EQ(engine.shownPageList.size(), 3U);
  EXPECT_EQ(std::get<TextMark>(engine.shownPageList[1].marks.at(0).values).text, u"one");
  EXPECT_EQ(std::get<TextMark>(engine.shownPageList[2].marks.at(0).values).text, u"three");
  EXPECT_EQ(view.panels.PanelText(1), u"印刷プレビュー:1/2");
  EXPECT_TRUE(view.next.Enabled());
  EXPECT_FALSE(view.back.Enabled());
}

TEST_F(LoadTest, TrailingPageBreakAddsNoPage) {
  SetMethods({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "prntext,100,100,B,ＭＳ 明朝,12", "newpage"});
  window.Load();
  EXPECT_EQ(fake.state.engine.pageList.size(), 3U);
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 3U);
}

TEST_F(LoadTest, RunErrorOnALaterPageEndsThePreviewWithOnlyTheRunsMessage) {
  SetMethods({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "prntext,100,100,B,ＭＳ 明朝,12", "prnbux,1"});
  window.Load();
  EXPECT_FALSE(window.PreviewReady());
  ASSERT_EQ(MessageCount(), 1);
  EXPECT_EQ(fake.messages.shown[0].title, u"エラー");
  EXPECT_NE(fake.messages.shown[0].text.find(u"Method指定が不正です!"), Text::npos);
  EXPECT_NE(fake.messages.shown[0].text.find(u"プレビューを中断しました!"), Text::npos);
  EXPECT_EQ(view.wheel, nullptr);
  EXPECT_EQ(view.zoom.Count(), 0);
  // The hourglass stays until the window goes; the pages built so far until the unload.
  EXPECT_EQ(fake.pointer.Get(), kPointerHourglass);
  EXPECT_EQ(fake.state.engine.pageList.size(), 3U);
  window.Activate();
  EXPECT_EQ(fake.pointer.Get(), kPointerDefault);
  EXPECT_EQ(view.log.back(), "close");
  EXPECT_EQ(fake.state.engine.pageList.size(), 1U);
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 1U);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_EQ(MessageCount(), 1);
}

TEST_F(LoadTest, NoPageWithADrawingSaysThereIsNothingToPreview) {
  // Anchors at or beyond the far edges do not make a page shown.
  SetMethods({"prntext,99999999,10,A,ＭＳ 明朝,12", "newpage", "prnbox,10,9999999,20,20", "newpage",
              "scalemode,pixels"});
  window.Load();
  EXPECT_FALSE(window.PreviewReady());
  ASSERT_EQ(MessageCount(), 1);
  EXPECT_EQ(fake.messages.shown[0].text, u"プレビュー対象がありません!");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(fake.messages.shown[0].title, Text(kLibraryTitle));
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_EQ(view.wheel, nullptr);
  window.Activate();
  EXPECT_EQ(view.log.back(), "close");
}

TEST_F(LoadTest, NegativeAnchorStillCountsAsShown) {
  SetMethods({"prntext,-50,-50,A,ＭＳ 明朝,12"});
  window.Load();
  EXPECT_TRUE(window.PreviewReady());
}

TEST_F(LoadTest, PagePictureThatCannotBeCreatedEndsTheLoadWithAMessage) {
  SetMethods({"prntext,100,100,A,ＭＳ 明朝,12"});
  view.refusePagePicture = true;
  window.Load();
  EXPECT_FALSE(window.PreviewReady());
  ASSERT_EQ(MessageCount(), 1);
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kCritical);
  EXPECT_EQ(fake.messages.shown[0].title, u"エラー");
  EXPECT_EQ(fake.messages.shown[0].text,
            Failure::NotSupported().Description() + u"\r\nプレビューを中断しました!");
  window.Activate();
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
}

TEST_F(LoadTest, UnloadErasesThePagesAndRemovesTheWheelHandler) {
  SetMethods({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "prntext,100,100,B,ＭＳ 明朝,12"});
  window.Load();
  ASSERT_TRUE(window.PreviewReady());
  window.CloseClick();
  EXPECT_EQ(view.wheel, nullptr);
  EXPECT_EQ(view.log.back(), "close");
  EXPECT_EQ(view.log[view.log.size() - 2], "remove wheel");
  EXPECT_EQ(fake.state.engine.pageList.size(), 1U);
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 1U);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  // A second unload (the close box after the close button) changes nothing.
  const auto logSize = view.log.size();
  window.Unload();
  EXPECT_EQ(view.log.size(), logSize);
}

TEST_F(LoadTest, LoadingAgainStartsFromTheFirstMethod) {
  SetMethods({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "prntext,100,100,B,ＭＳ 明朝,12"});
  window.Load();
  window.Unload();
  FakePreviewView secondView;
  FrmPreview second(fake.platform, secondView);
  second.Load();
  EXPECT_TRUE(second.PreviewReady());
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 3U);
  EXPECT_EQ(secondView.panels.PanelText(1), u"印刷プレビュー:1/2");
}

}  // namespace
}  // namespace vant::test
