// The preview's keys do what its buttons and zoom list do, by the same rules; a move to a
// screen of another device pixel ratio shows the page again as a resize does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/module_state.h"
#include "preview_fixture.h"

namespace vant::test {
namespace {

class PreviewKeysTest : public PreviewTest {
 protected:
  void Load(int pages) {
    if (pages == 1) SetMethods({"prntext,100,100,P1,ＭＳ 明朝,12"});
    if (pages == 2) SetMethods({"prntext,100,100,P1,ＭＳ 明朝,12", "newpage", "prntext,100,100,P2,ＭＳ 明朝,12"});
    if (pages == 3) {
      SetMethods({"prntext,100,100,P1,ＭＳ 明朝,12", "newpage", "prntext,100,100,P2,ＭＳ 明朝,12",
                  "newpage", "prntext,100,100,P3,ＭＳ 明朝,12"});
    }
    LoadAndLayOut();
    ASSERT_TRUE(window.PreviewReady());
  }
  int Shows() const { return view.image.picture.RefreshCount(); }
};

TEST_F(PreviewKeysTest, PageKeysFollowThePageButtonsAndTheirEnabledState) {
  Load(3);
  struct Step {
    PreviewKey key;
    int16_t page;     // afterwards
    bool rendered;    // the page image was shown again
  };
  const Step steps[] = {
      {PreviewKey::kPreviousPage, 1, false},  // the button is disabled on page 1
      {PreviewKey::kNextPage, 2, true},      {PreviewKey::kNextPage, 3, true},
      {PreviewKey::kNextPage, 3, false},     // disabled on the last page
      {PreviewKey::kFirstPage, 1, true},     {PreviewKey::kFirstPage, 1, false},
      {PreviewKey::kLastPage, 3, true},      {PreviewKey::kLastPage, 3, false},
      {PreviewKey::kPreviousPage, 2, true},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(static_cast<int>(step.key));
    const int before = Shows();
    window.KeyPress(step.key);
    EXPECT_EQ(window.CurrentPage(), step.page);
    EXPECT_EQ(Shows(), before + (step.rendered ? 1 : 0));
    EXPECT_EQ(view.back.Enabled(), step.page != 1);
    EXPECT_EQ(view.next.Enabled(), step.page < 3);
    EXPECT_EQ(view.panels.PanelText(1), FromUtf8("印刷プレビュー:" + std::to_string(step.page) + "/3"));
  }
}

TEST_F(PreviewKeysTest, OnePageLeavesThePageKeysWithNothingToDo) {
  Load(1);
  for (const PreviewKey key : {PreviewKey::kNextPage, PreviewKey::kPreviousPage,
                               PreviewKey::kFirstPage, PreviewKey::kLastPage}) {
    const int before = Shows();
    window.KeyPress(key);
    EXPECT_EQ(window.CurrentPage(), 1);
    EXPECT_EQ(Shows(), before);
  }
}

TEST_F(PreviewKeysTest, ZoomKeysStepThroughTheListAndStopAtItsEnds) {
  Load(1);
  struct Step {
    PreviewKey key;
    int16_t index;  // the list's selection afterwards
  };
  const Step steps[] = {
      {PreviewKey::kZoomOut, kAuto},  // the automatic fit is the last entry
      {PreviewKey::kZoomIn, k100},   {PreviewKey::kZoomIn, 2},  {PreviewKey::kZoomIn, k200},
      {PreviewKey::kZoomIn, k300},   {PreviewKey::kZoomIn, k300},
      {PreviewKey::kZoomOut, k200},
  };
  for (const Step& step : steps) {
    const int before = Shows();
    const int16_t was = view.zoom.ListIndex();
    window.KeyPress(step.key);
    EXPECT_EQ(view.zoom.ListIndex(), step.index);
    // A step runs the list's selection handling: the page is shown at the new zoom and the
    // focus goes back to the viewport.
    EXPECT_EQ(Shows(), before + (was != step.index ? 1 : 0));
  }
  const Mark* copy = LastCopy();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->srcW, copy->x2);  // 200 %: the picture's own size
}

TEST_F(PreviewKeysTest, CloseKeyUnloadsAndClosesAsTheCloseButton) {
  Load(2);
  view.log.clear();
  window.KeyPress(PreviewKey::kClose);
  EXPECT_EQ(view.log, (std::vector<std::string>{"remove wheel", "close"}));
  EXPECT_FALSE(window.PreviewReady());
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 1U);
}

TEST_F(PreviewKeysTest, ANewScreenShowsThePageAgainKeepingTheScroll) {
  Load(2);
  window.KeyPress(PreviewKey::kNextPage);
  SelectZoom(k100);
  view.vertical.SetValue(120);
  view.horizontal.SetValue(40);
  const int before = Shows();
  window.ScreenChanged();
  EXPECT_EQ(Shows(), before + 1);
  EXPECT_EQ(window.CurrentPage(), 2);
  EXPECT_EQ(view.zoom.ListIndex(), k100);
  EXPECT_EQ(view.vertical.Value(), 120);
  EXPECT_EQ(view.horizontal.Value(), 40);
  EXPECT_EQ(view.canvas.Top(), -120);
  // Not ready (after the close), nothing is drawn.
  window.CloseClick();
  const int closed = Shows();
  window.ScreenChanged();
  EXPECT_EQ(Shows(), closed);
}

}  // namespace
}  // namespace vant::test
