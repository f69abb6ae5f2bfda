// Building preview pages: every drawing method converted to preview pixels (twice the
// picture's density) and recorded in its page, and the page's shown flag.
#include <gtest/gtest.h>

#include "common/numbers.h"
#include "draw/method_commands.h"
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
    SetupPreviewPage(fake.platform, picture.picture, 1);
    return RunMethods(fake.platform, picture.picture, 1, MethodCommands());
  }
  const PageRec& Page() { return fake.state.engine.pageList.at(1); }
  // Mark i of the page, from 1, with the values it must hold.
  template <class Values>
  const Values& Recorded(size_t i) {
    return std::get<Values>(Page().marks.at(i - 1).values);
  }
  const CommandRow* RecordedBy(size_t i) { return Page().marks.at(i - 1).command; }
  static const CommandRow* Row(TextView name) { return FindCommand(MethodCommands(), name); }
};

constexpr double kPreviewPerMm = 96 / 25.4 * 2;

// A converted coordinate as the preview keeps it: the single, written with seven digits and
// read back.
float AsKept(double v) { return ToSingle(NumberFromText(SingleText(ToSingle(v)))); }

TEST_F(Recording, TextCopiesAreConvertedAndRecordedAsPrntextout) {
  ASSERT_EQ(Build({u"scalemode,mm", u"prntext,20,30,A,,B,ＭＳ 明朝,12,false,true,255"}), 0);
  ASSERT_EQ(Page().marks.size(), 1u);
  EXPECT_EQ(RecordedBy(1), Row(u"prntextout"));
  const TextMark& c = Recorded<TextMark>(1);
  EXPECT_EQ(c.x, AsKept(20 * kPreviewPerMm));
  EXPECT_EQ(c.y, AsKept(30 * kPreviewPerMm));
  EXPECT_EQ(c.text, u"A,B");
  EXPECT_EQ(c.fontName, u"ＭＳ 明朝");
  EXPECT_EQ(c.fontSize, 24);  // measured in the picture's own font, at double density
  EXPECT_FALSE(c.italic);
  EXPECT_TRUE(c.bold);
  EXPECT_EQ(c.colour, 255);
  EXPECT_TRUE(Page().shown);
  EXPECT_EQ(picture.picture.FontSize(), 9);  // the fitting put the picture's size back
}

TEST_F(Recording, ShapeCopiesHaveTheirMethodsLayout) {
  ASSERT_EQ(Build({u"scalemode,mm", u"prnbox,10,10,50,20,1,DASH,255", u"prncircle,100,100,10,3,dot,65280"}), 0);
  EXPECT_EQ(RecordedBy(1), Row(u"prnbox"));
  const ShapeValues& box = Recorded<ShapeValues>(1);
  EXPECT_EQ(box.x2, AsKept(50 * kPreviewPerMm));
  EXPECT_EQ(box.lineWidth, 1);  // a 1-pixel line on a 600 dpi printer stays 1 pixel
  EXPECT_EQ(box.lineStyle, kStyleDash);
  EXPECT_EQ(box.colour, 255);
  EXPECT_EQ(RecordedBy(2), Row(u"prncircle"));
  const CircleValues& circle = Recorded<CircleValues>(2);
  EXPECT_EQ(circle.radius, WholeInt16(10 * kPreviewPerMm));
  EXPECT_EQ(circle.lineWidth, 1);
  EXPECT_EQ(circle.lineStyle, kStyleDot);
  EXPECT_EQ(circle.colour, 65280);
}

TEST_F(Recording, RadiiOfHalfAMillimetreOrLessBecomeZero) {
  ASSERT_EQ(Build({u"scalemode,mm", u"prncircle,10,10,0.5", u"scalemode,pxl", u"prncircle,10,10,12"}), 0);
  EXPECT_EQ(Recorded<CircleValues>(1).radius, 0);  // 0.5 mm rounds to 0 whole millimetres
  // 12 printer pixels at 600 dpi are 0.508 mm: 1 whole millimetre, 7.56 preview pixels -> 8
  EXPECT_EQ(Recorded<CircleValues>(2).radius, 8);
}

TEST_F(Recording, AnAnchorAtOrBeyondTheFarEdgeLeavesThePageUnshown) {
  // The picture is 210 x 297 mm at twice 96 dpi; the anchor is tested, not the extent.
  ASSERT_EQ(Build({u"scalemode,mm", u"prnline,210,10,0,0", u"prnbox,10,297,0,0", u"prntext,300,300,x,ＭＳ 明朝,9"}), 0);
  EXPECT_FALSE(Page().shown);
  EXPECT_EQ(Page().marks.size(), 3u);  // recorded all the same
}

TEST_F(Recording, NegativeAnchorsStillShowThePage) {
  ASSERT_EQ(Build({u"scalemode,mm", u"prntext,-20,-5,x,ＭＳ 明朝,9"}), 0);
  EXPECT_TRUE(Page().shown);
}

TEST_F(Recording, ABoxWithItsFirstCornerInsideShowsThePage) {
  ASSERT_EQ(Build({u"scalemode,mm", u"prnbox,209,296,400,400"}), 0);
  EXPECT_TRUE(Page().shown);
}

TEST_F(Recording, MarksHoldTheNumbersTheirSevenDigitTextsHold) {
  ASSERT_EQ(Build({u"scalemode,cm", u"prnline,1.234567,2.5,3,4"}), 0);
  const float x1 = Recorded<ShapeValues>(1).x1;
  EXPECT_NEAR(x1, 12.34567 * kPreviewPerMm, 1e-3);
  EXPECT_EQ(ToSingle(NumberFromText(SingleText(x1))), x1);
}

TEST_F(Recording, AHugeRadiusOverflowsInThePreviewConversion) {
  ASSERT_EQ(Build({u"scalemode,mm", u"prncircle,10,10,30000"}), 1);
  EXPECT_NE(OnlyMessage().text.find(u"オーバーフローしました。"), Text::npos);
  EXPECT_NE(OnlyMessage().text.find(u"プレビューを中断しました!"), Text::npos);
}

}  // namespace
}  // namespace vant
