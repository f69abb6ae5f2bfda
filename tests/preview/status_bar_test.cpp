// The status bar panels of a loaded window, and the paper-name table.
#include <gtest/gtest.h>

#include "engine/module_state.h"
#include "engine/papers.h"
#include "engine/setting_values.h"
#include "preview_fixture.h"

namespace vant::test {
namespace {

class StatusBarTest : public PreviewTest {
 protected:
  void SetUp() override {
    PreviewTest::SetUp();
    SetMethods({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "prntext,100,100,B,ＭＳ 明朝,12"});
    LoadAndLayOut();
    ASSERT_TRUE(window.PreviewReady());
  }
  PageRec& Page(size_t i) { return fake.state.engine.shownPageList.at(i); }
};

TEST_F(StatusBarTest, PanelsDescribeThePageOnShow) {
  EXPECT_EQ(view.panels.PanelText(1), u"印刷プレビュー:1/2");
  EXPECT_EQ(view.panels.PanelText(2), u"用紙サイズ:A4、210 x 297 mm");
  EXPECT_EQ(view.panels.PanelText(3), u"印刷の向き:縦");
  EXPECT_EQ(view.panels.PanelText(4), u"Office");
  // 4 mm strips are 15 pixels at 96 dpi, which read back as 3.96875 mm.
  EXPECT_EQ(view.panels.PanelText(5),
            u"印刷マージン:T=3.96875/B=3.96875/L=3.96875/R=3.96875(mm)");
}

TEST_F(StatusBarTest, MarginsInTheirOrder) {
  Page(1).offsetTop = 96;     // 25.4 mm
  Page(1).marginBottom = 48;  // 12.7 mm
  Page(1).offsetLeft = 0;
  Page(1).marginRight = 1;    // 0.2645833 mm
  window.UpdateStatusBar();
  EXPECT_EQ(view.panels.PanelText(5), u"印刷マージン:T=25.4/B=12.7/L=0/R=0.2645833(mm)");
}

TEST_F(StatusBarTest, UserDefinedAndUnknownPaperCodes) {
  // A user-defined size shows its sheet, portrait, to the tenth of a millimetre: a 50 x 30
  // mm label is 189 x 113 pixels at 96 dpi (50.006 and 29.898 mm).
  struct Row {
    int16_t orientation;
    int32_t width, height;  // the page record's picture pixels
    const char16_t* name;
  };
  const Row rows[] = {
      {kPortrait, 189, 113, u"用紙サイズ:ユーザー定義のサイズ、50 x 29.9 mm"},
      {kLandscape, 113, 189, u"用紙サイズ:ユーザー定義のサイズ、50 x 29.9 mm"},
      {kPortrait, 108, 336, u"用紙サイズ:ユーザー定義のサイズ、28.6 x 88.9 mm"},
  };
  for (const Row& row : rows) {
    Page(1).paperSize = kPaperUser;
    Page(1).orientation = row.orientation;
    Page(1).paperWidth = row.width;
    Page(1).paperHeight = row.height;
    window.UpdateStatusBar();
    EXPECT_EQ(view.panels.PanelText(2), row.name);
  }
  Page(1).paperSize = 42;
  window.UpdateStatusBar();
  EXPECT_EQ(view.panels.PanelText(2), u"用紙サイズ:");
}

TEST_F(StatusBarTest, AnyOrientationButPortraitIsLandscape) {
  Page(1).orientation = 2;
  window.UpdateStatusBar();
  EXPECT_EQ(view.panels.PanelText(3), u"印刷の向き:横");
  Page(1).orientation = 0;
  window.UpdateStatusBar();
  EXPECT_EQ(view.panels.PanelText(3), u"印刷の向き:横");
}

TEST_F(StatusBarTest, PrinterNameAloneAndEmptyWhenTheRecordHasNone) {
  Page(1).printerName = u"  Label printer ";
  window.UpdateStatusBar();
  EXPECT_EQ(view.panels.PanelText(4), u"  Label printer ");
  Page(1).printerName.clear();
  window.UpdateStatusBar();
  EXPECT_EQ(view.panels.PanelText(4), u"");
}

TEST_F(StatusBarTest, PageChangeRewritesAllFivePanels) {
  Page(2).paperSize = 11;
  Page(2).orientation = 2;
  Page(2).printerName = u"Second";
  Page(2).offsetTop = 0;
  for (int i = 1; i <= 5; ++i) view.panels.SetPanelText(i, u"x");
  window.NextPageClick();
  EXPECT_EQ(view.panels.PanelText(1), u"印刷プレビュー:2/2");
  EXPECT_EQ(view.panels.PanelText(2), u"用紙サイズ:A5、148 x 210 mm");
  EXPECT_EQ(view.panels.PanelText(3), u"印刷の向き:横");
  EXPECT_EQ(view.panels.PanelText(4), u"Second");
  EXPECT_EQ(view.panels.PanelText(5),
            u"印刷マージン:T=0/B=3.96875/L=3.96875/R=3.96875(mm)");
}

TEST_F(StatusBarTest, PageOutsideTheListSkipsOnlyThePanelsThatNeedIt) {
  for (int i = 1; i <= 5; ++i) view.panels.SetPanelText(i, u"x");
  fake.state.engine.shownPageList.resize(1);
  window.UpdateStatusBar();
  EXPECT_EQ(view.panels.PanelText(1), u"印刷プレビュー:1/0");
  for (int i = 2; i <= 5; ++i) EXPECT_EQ(view.panels.PanelText(i), u"x") << i;
}

TEST(StatusPanels, OnlyFivePanelsExist) {
  StatusPanels panels;
  panels.SetPanelText(5, u"five");
  EXPECT_EQ(panels.PanelText(5), u"five");
  EXPECT_THROW(panels.SetPanelText(0, u"none"), Failure);
  EXPECT_THROW(panels.SetPanelText(6, u"none"), Failure);
}

TEST(PaperNames, EveryCodeOfTheTableAndNoOther) {
  EXPECT_EQ(PaperNameFor(1), u"レター、8 1/2 x 11 インチ");
  EXPECT_EQ(PaperNameFor(2), u"+A611 レター スモール、8 1/2 x 11 インチ");
  EXPECT_EQ(PaperNameFor(12), u"B4、250 x 354 mm");
  EXPECT_EQ(PaperNameFor(33), u"封筒 B4、250 x 353 mm");
  EXPECT_EQ(PaperNameFor(35), u"封筒 B6、176 x 125 mm");
  EXPECT_EQ(PaperNameFor(41), u"ドイツ リーガル ファンフォールド、8 1/2 x 13 インチ");
  EXPECT_EQ(PaperNameFor(256), u"ユーザー定義のサイズ");
  for (int16_t code : std::initializer_list<int16_t>{0, 42, 255, 257, -1, 32767}) EXPECT_TRUE(PaperNameFor(code).empty()) << code;
  for (int16_t code = 1; code <= 41; ++code) EXPECT_FALSE(PaperNameFor(code).empty()) << code;
}

}  // namespace
}  // namespace vant::test
