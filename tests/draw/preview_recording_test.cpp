// Building preview pages: every drawing method converted to preview pixels (twice the
// picture's density) and recorded in its page, and the page's shown flag.
#include <gtest/gtest.h>

#include "common/numbers.h"
#include "draw/draw_dispatch.h"
#include "engine/module_state.h"
#include "engine/printer_geometry.h"
#include "run_fixture.h"

namespace vant {
namespace {


class Recording : public test::RunFixture {
 protected:
  // The picture the preview builds on: sized by SetupPreviewPage to the printable area.
  int16_t Build(const std::vector<Text>& lines) {
    LoadMethods(lines);
    fake.state.engine.pageList.resize(2);
    fake.state.engine.pageList[1].methods.assign(1, MethodRec{});
    SetupPreviewPage(fake.platform, picture.picture, 1);
    return RunMethods(fake.platform, picture.picture, 1, DrawingCommands());
  }
  const PageRec& Page() { return fake.state.engine.pageList.at(1); }
  const MethodRec& Copy(size_t i) { return Page().methods.at(i); }
};

constexpr double kPreviewPerMm = 96 / 25.4 * 2;

TEST_F(Recording, TextCopiesAreConvertedAndRecordedAsPrntextout) {
  ASSERT_EQ(Build({u"scalemode,mm", u"prntext,20,30,A,,B,ＭＳ 明朝,12,false,true,255"}), 0);
  ASSERT_EQ(Page().methods.size(), 2u);
  const MethodRec& c = Copy(1);
  EXPECT_EQ(c.field[0], u"prntextout");
  EXPECT_EQ(c.field[1], SingleText(ToSingle(20 * kPreviewPerMm)));
  EXPECT_EQ(c.field[2], SingleText(ToSingle(30 * kPreviewPerMm)));
  EXPECT_EQ(c.field[3], u"A,B");
  EXPECT_EQ(c.field[4], u"ＭＳ 明朝");
  EXPECT_EQ(c.field[5], u"24");  // measured in the picture's own font, at double density
  EXPECT_EQ(c.field[6], u"false");
  EXPECT_EQ(c.field[7], u"true");
  EXPECT_EQ(c.field[8], u"255");
  EXPECT_EQ(c.field[9], u"");
  EXPECT_TRUE(Page().shown);
  EXPECT_EQ(picture.picture.FontSize(), 9);  // the fitting put the picture's size back
}

TEST_F(Recording, ShapeCopiesHaveTheirMethodsLayout) {
  ASSERT_EQ(Build({u"scalemode,mm", u"prnbox,10,10,50,20,1,DASH,255", u"prncircle,100,100,10,3,dot,65280"}), 0);
  const MethodRec& box = Copy(1);
  EXPECT_EQ(box.field[0], u"prnbox");
  EXPECT_EQ(box.field[3], SingleText(ToSingle(50 * kPreviewPerMm)));
  EXPECT_EQ(box.field[5], u"1");  // a 1-pixel line on a 600 dpi printer stays 1 pixel
  EXPECT_EQ(box.field[6], u"1");
  EXPECT_EQ(box.field[7], u"255");
  const MethodRec& circle = Copy(2);
  EXPECT_EQ(circle.field[0], u"prncircle");
  EXPECT_EQ(circle.field[3], DecimalText(WholeInt16(10 * kPreviewPerMm)));
  EXPECT_EQ(circle.field[4], u"1");
  EXPECT_EQ(circle.field[5], u"2");
  EXPECT_EQ(circle.field[6], u"65280");
  EXPECT_EQ(circle.field[7], u"");
}

TEST_F(Recording, RadiiOfHalfAMillimetreOrLessBecomeZero) {
  ASSERT_EQ(Build({u"scalemode,mm", u"prncircle,10,10,0.5", u"scalemode,pxl", u"prncircle,10,10,12"}), 0);
  EXPECT_EQ(Copy(1).field[3], u"0");  // 0.5 mm rounds to 0 whole millimetres
  // 12 printer pixels at 600 dpi are 0.508 mm: 1 whole millimetre, 7.56 preview pixels -> 8
  EXPECT_EQ(Copy(2).field[3], u"8");
}

TEST_F(Recording, AnAnchorAtOrBeyondTheFarEdgeLeavesThePageUnshown) {
  // The picture is 210 x 297 mm at twice 96 dpi; the anchor is tested, not the extent.
  ASSERT_EQ(Build({u"scalemode,mm", u"prnline,210,10,0,0", u"prnbox,10,297,0,0", u"prntext,300,300,x,ＭＳ 明朝,9"}), 0);
  EXPECT_FALSE(Page().shown);
  EXPECT_EQ(Page().methods.size(), 4u);  // recorded all the same
}

TEST_F(Recording, NegativeAnchorsStillShowThePage) {
  ASSERT_EQ(Build({u"scalemode,mm", u"prntext,-20,-5,x,ＭＳ 明朝,9"}), 0);
  EXPECT_TRUE(Page().shown);
}

TEST_F(Recording, ABoxWithItsFirstCornerInsideShowsThePage) {
  ASSERT_EQ(Build({u"scalemode,mm", u"prnbox,209,296,400,400"}), 0);
  EXPECT_TRUE(Page().shown);
}

TEST_F(Recording, CopiesReadBackAsTheNumbersTheyHold) {
  ASSERT_EQ(Build({u"scalemode,cm", u"prnline,1.234567,2.5,3,4"}), 0);
  const float x1 = ToSingle(NumberFromText(Copy(1).field[1]));
  EXPECT_NEAR(x1, 12.34567 * kPreviewPerMm, 1e-3);
  EXPECT_EQ(SingleText(x1), Copy(1).field[1]);
}

TEST_F(Recording, AHugeRadiusOverflowsInThePreviewConversion) {
  ASSERT_EQ(Build({u"scalemode,mm", u"prncircle,10,10,30000"}), 1);
  EXPECT_NE(OnlyMessage().text.find(u"オーバーフローしました。"), Text::npos);
  EXPECT_NE(OnlyMessage().text.find(u"プレビューを中断しました!"), Text::npos);
}

}  // namespace
}  // namespace vant
