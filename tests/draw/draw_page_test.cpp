#include "draw/draw_page.h"

#include "common/failure.h"
#include "engine/module_state.h"
#include "recorded_marks.h"
#include "run_fixture.h"

namespace vant {
namespace {

using test::Mark;
using test::RecordedMark;

class DrawPageTest : public test::RunFixture {
 protected:
  // Page 1 of the shown pages holds the given marks.
  void Shown(std::vector<PreviewMark> marks) {
    auto& shown = fake.state.engine.shownPageList;
    shown.resize(2);
    shown[1].marks = std::move(marks);
  }
  // DrawPage of shown page `page`, as the preview window shows it.
  bool Draw(int16_t page) {
    return DrawPage(picture.picture, ShownPage(fake.state.engine, page), scratch.picture);
  }
  test::RecordingPicture scratch{10, 10};
};

TEST_F(DrawPageTest, ReplaysTheMarksWithoutFurtherScaling) {
  Shown({RecordedMark(u"prntextout", TextMark{151.1811F, 226.7717F, u"A,B", u"ＭＳ 明朝", 24, false, true, 255}),
         RecordedMark(u"prnbox", ShapeValues{10, 20, 30, 40, 2, kStyleDash, 0}),
         RecordedMark(u"prncircle", CircleValues{50, 60, 7, 1, kStyleSolid, 65280})});
  picture.picture.SetWidth(1588);
  picture.picture.SetHeight(2246);
  EXPECT_TRUE(Draw(1));
  const auto& marks = picture.device.marks;
  ASSERT_EQ(marks.size(), 3u);
  EXPECT_EQ(marks[0].kind, Mark::kText);
  EXPECT_NEAR(marks[0].x1, 151.1811, 1e-4);
  EXPECT_EQ(marks[0].font.pixelHeight, 32);  // 24 pt on the 96 dpi picture
  EXPECT_TRUE(marks[0].font.bold);
  EXPECT_EQ(marks[1].kind, Mark::kRect);
  EXPECT_EQ(marks[1].pen.width, 2);
  EXPECT_EQ(marks[1].pen.style, kStyleDash);
  EXPECT_EQ(marks[2].kind, Mark::kEllipse);
  EXPECT_EQ(marks[2].x2, 7);
  EXPECT_EQ(marks[2].colour, (Rgb{0, 255, 0}));
}

TEST_F(DrawPageTest, APageWithoutMarksDrawsNothing) {
  Shown({});
  EXPECT_TRUE(Draw(1));
  EXPECT_TRUE(picture.device.marks.empty());
}

TEST_F(DrawPageTest, OnlyTheDrawingMethodsOfAPageAreRecordedAndReplayed) {
  // Set-up methods and page breaks leave no marks: the page replays its line alone.
  LoadMethods({u"scalemode,mm", u"prnline,0,0,5,5,1,0,0", u"colormode,1", u"newpage"});
  ASSERT_EQ(BuildPage(1), 0);
  fake.state.engine.shownPageList = fake.state.engine.pageList;
  EXPECT_TRUE(Draw(1));
  ASSERT_EQ(picture.device.marks.size(), 1u);
  EXPECT_EQ(picture.device.marks[0].kind, Mark::kLine);
}

TEST_F(DrawPageTest, APageOutsideTheShownPagesIsAnIndexFailure) {
  Shown({});
  EXPECT_THROW(Draw(2), Failure);
  EXPECT_THROW(Draw(-1), Failure);
}

TEST_F(DrawPageTest, AnOverflowEndsThePageAndGoesToTheCaller) {
  Shown({RecordedMark(u"prnline", ShapeValues{0, 0, 5, 5, 1, kStyleSolid, 0}),
         // Its size at the printer's resolution is beyond 16 bits.
         RecordedMark(u"prnjan8", BarcodeValues{0, 0, u"1", 20000, 50, false, false}),
         RecordedMark(u"prnline", ShapeValues{0, 0, 5, 5, 1, kStyleSolid, 0})});
  auto& page = fake.state.engine.shownPageList[1];
  page.printerPixelFactorX = page.printerPixelFactorY = 3.125F;
  EXPECT_THROW(Draw(1), Failure);
  EXPECT_EQ(picture.device.marks.size(), 1u);
}

}  // namespace
}  // namespace vant
