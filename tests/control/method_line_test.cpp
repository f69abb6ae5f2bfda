#include "control/method_line.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "common/replace_text.h"

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

TEST(MethodLine, ADoubledCommaBeyondPosition32767Overflows) {
  Text line(32766, u'x');
  EXPECT_NO_THROW(SplitMethodLine(line + u",,y"));  // the pair starts at position 32767
  EXPECT_THROW(SplitMethodLine(line + u"x,,y"), Failure);
  EXPECT_NO_THROW(SplitMethodLine(line + u"x,y,z"));  // single commas have no position limit
}

TEST(MethodLine, AMarkerWrittenInTheTextFieldBecomesACommaToo) {
  EXPECT_EQ(SplitMethodLine(u"prntext,1,2,a$カンマ$b"), (Parts{u"prntext", u"1", u"2", u"a,b"}));
  EXPECT_EQ(SplitMethodLine(u"prntext,1,2,$カンマ,,"), (Parts{u"prntext", u"1", u"2", u",カンマ$"}));
}

// The command ends where the split puts the end of part 0.
TEST(MethodLine, TheCommandEndsAtTheFirstSingleComma) {
  const struct {
    int line;
    Text method;
    std::size_t end;
  } cases[] = {
      {__LINE__, u"newpage", 7},        {__LINE__, u"changeprinter,Office", 13},
      {__LINE__, u"", 0},               {__LINE__, u",x", 0},
      {__LINE__, u"a,,b,c", 4},         {__LINE__, u"a,,,b", 3},
      {__LINE__, u"a,,,,b", 6},         {__LINE__, u"a,", 1},
      {__LINE__, u",,", 2},             {__LINE__, u" changeprinter ,x", 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(CommandEnd(c.method), c.end);
    EXPECT_EQ(ReplaceText(c.method.substr(0, c.end), u",,", kCommaMarker), SplitMethodLine(c.method)[0]);
  }
}

TEST(MethodLine, TheOverviewExample) {
  EXPECT_EQ(SplitMethodLine(u"prntext,20,30,A,,B,ＭＳ 明朝,12,false,true,255"),
            (Parts{u"prntext", u"20", u"30", u"A,B", u"ＭＳ 明朝", u"12", u"false", u"true", u"255"}));
}

}  // namespace
}  // namespace vant
