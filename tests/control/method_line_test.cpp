#include "control/method_line.h"

#include <gtest/gtest.h>

namespace vant {
namespace {

using Parts = std::vector<Text>;

TEST(MethodLine, DoubledCommaComesBackOnlyInField3) {
  EXPECT_EQ(SplitMethodLine(u"prntext,10,20,A,,B,,C"), (Parts{u"prntext", u"10", u"20", u"A,B,C"}));
  EXPECT_EQ(SplitMethodLine(u"prntext,10,20,T,MS,,Gothic"),
            (Parts{u"prntext", u"10", u"20", u"T", u"MS$カンマ$Gothic"}));
}

TEST(MethodLine, AdjacentCommasAreAlwaysAnEscape) {
  EXPECT_EQ(SplitMethodLine(u"prnbox,10,,20"), (Parts{u"prnbox", u"10$カンマ$20"}));
  EXPECT_EQ(SplitMethodLine(u"prntext,10,20,,,,x"), (Parts{u"prntext", u"10", u"20$カンマ$$カンマ$x"}));
  EXPECT_EQ(SplitMethodLine(u"a,,,b"), (Parts{u"a$カンマ$", u"b"}));
}

TEST(MethodLine, NothingIsTrimmedAndATrailingCommaGivesAnEmptyPart) {
  EXPECT_EQ(SplitMethodLine(u"a, ,b"), (Parts{u"a", u" ", u"b"}));
  EXPECT_EQ(SplitMethodLine(u" newpage "), (Parts{u" newpage "}));
  EXPECT_EQ(SplitMethodLine(u"prntext,1,2,"), (Parts{u"prntext", u"1", u"2", u""}));
}

TEST(MethodLine, TheOverviewExample) {
  EXPECT_EQ(SplitMethodLine(u"prntext,20,30,A,,B,ＭＳ 明朝,12,false,true,255"),
            (Parts{u"prntext", u"20", u"30", u"A,B", u"ＭＳ 明朝", u"12", u"false", u"true", u"255"}));
}

}  // namespace
}  // namespace vant
