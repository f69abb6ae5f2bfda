#include "draw/draw_page.h"

#include "common/failure.h"
#include "engine/module_state.h"
#include "run_fixture.h"

namespace vant {
namespace {

using test::Mark;

class DrawPageTest : public test::RunFixture {
 protected:
  // Page 1 of the shown pages holds the given copies.
  void Shown(std::vector<MethodRec> copies) {
    auto& shown = fake.state.engine.shownPageList;
    shown.resize(2);
    shown[1].methods.assign(1, MethodRec{});
    for (auto& c : copies) shown[1].methods.push_back(std::move(c));
  }
  static MethodRec Copy(std::initializer_list<Text> fields) {
    MethodRec m;
    size_t i = 0;
    for (const auto& f : fields) m.field[i++] = f;
    return m;
  }
  // DrawPage of shown page `page`, as the preview window shows it.
  bool Draw(int16_t page) {
    return DrawPage(picture.picture, ShownPage(fake.state.engine, page), scratch.picture);
  }
  test::RecordingPicture scratch{10, 10};
};

TEST_F(DrawPageTest, ReplaysTheCopiesWithoutFurtherScaling) {
  Shown({Copy({u"prntextout", u"151.1811", u"226.7717", u"A,B", u"ＭＳ 明朝", u"24", u"false", u"true", u"255"}),
         Copy({u"PRNBOX", u"10", u"20", u"30", u"40", u"2", u"1", u"0"}),
         Copy({u"prncircle", u"50", u"60", u"7", u"1", u"0", u"65280"})});
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

TEST_F(DrawPageTest, APlaceholderOnlyPageDrawsNothing) {
  Shown({});
  EXPECT_TRUE(Draw(1));
  EXPECT_TRUE(picture.device.marks.empty());
}

TEST_F(DrawPageTest, UnknownEntriesAreSkipped) {
  Shown({Copy({u"newpage"}), Copy({u"prnline", u"0", u"0", u"5", u"5", u"1", u"0", u"0"})});
  EXPECT_TRUE(Draw(1));
  EXPECT_EQ(picture.device.marks.size(), 1u);
}

TEST_F(DrawPageTest, APageOutsideTheShownPagesIsAnIndexFailure) {
  Shown({});
  EXPECT_THROW(Draw(2), Failure);
  EXPECT_THROW(Draw(-1), Failure);
}

TEST_F(DrawPageTest, AnOverflowEndsThePageAndGoesToTheCaller) {
  Shown({Copy({u"prnline", u"0", u"0", u"5", u"5", u"1", u"0", u"0"}),
         Copy({u"prnbox", u"0", u"0", u"5", u"5", u"99999"}),
         Copy({u"prnline", u"0", u"0", u"5", u"5", u"1", u"0", u"0"})});
  EXPECT_THROW(Draw(1), Failure);
  EXPECT_EQ(picture.device.marks.size(), 1u);
}

}  // namespace
}  // namespace vant
