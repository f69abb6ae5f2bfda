#include "control/intake.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/module_state.h"
#include "fake_host.h"
#include "fake_platform.h"
#include "state_reset.h"

namespace vant {
namespace {

using test::FakePage;

class Intake : public ::testing::Test {
 protected:
  void Read() { ReadProperties(state.control, page.document, page.bag, view, messages); }
  const MethodRec& At(int k) { return state.control.methodList.at(static_cast<size_t>(k)); }

  FakePage page;
  test::FakeView view;
  test::RecordingMessages messages;
  ModuleState state;
};

TEST_F(Intake, OneRecordPerMethodParamInDocumentOrder) {
  page.Add(u"method7", u"newpage");
  page.Add(u"method1", u"prntext,1,2,x");
  Read();
  EXPECT_TRUE(state.control.paramsLoaded);
  ASSERT_EQ(state.control.methodCount, 2);
  EXPECT_EQ(At(1).field[0], u"newpage");
  for (int f = 1; f < 10; ++f) EXPECT_EQ(At(1).field[f], u"");
  EXPECT_EQ(At(2).field[3], u"x");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(view.print.Enabled());
}

TEST_F(Intake, WhichNamesAreMethodLines) {
  page.Add(u"METHOD2", u"a");
  page.Add(u"Method", u"b");
  page.Add(u"MethodCnt", u"c");
  page.Add(u"methodcnt5", u"d");
  page.Add(u"methodcount", u"e");
  page.Add(u"metho", u"f");
  page.Add(u"xmethod", u"g");
  Read();
  ASSERT_EQ(state.control.methodCount, 3);
  EXPECT_EQ(At(1).field[0], u"a");
  EXPECT_EQ(At(2).field[0], u"b");
  EXPECT_EQ(At(3).field[0], u"e");
}

TEST(IsMethodName, ComparesAsLowerCaseLowersOnlyTheAsciiLetters) {
  const std::vector<std::pair<Text, bool>> cases = {
      {u"method", true},          {u"METHOD1", true},      {u"mEtHoDcN", true},   {u"methodcnx", true},
      {u"methodCNT", false},      {u"MethodCnt12", false}, {u"metho", false},     {u"", false},
      {u"ｍｅｔｈｏｄ1", false},  {u"ＭＥＴＨＯＤ", false}, {u"mÉthod", false},   {u" method", false},
      {Text(u"method\0", 7), true},
  };
  for (const auto& [name, expected] : cases) {
    EXPECT_EQ(IsMethodName(name), expected) << ToUtf8(name);
    // The same answer as the lower-cased prefixes give.
    const Text lowered = LowerCase(TextView(name).substr(0, 9));
    EXPECT_EQ(IsMethodName(name), lowered.substr(0, 6) == u"method" && lowered != u"methodcnt") << ToUtf8(name);
  }
}

TEST_F(Intake, AParamAbsentFromTheBagIsIgnoredAndTheValueComesFromTheDocument) {
  page.document.params.push_back({u"method1", u"outside"});
  page.Add(u"method2", u"inside");
  page.bag.values[u"method2"] = u"bag value";  // the document's value is used
  Read();
  ASSERT_EQ(state.control.methodCount, 1);
  EXPECT_EQ(At(1).field[0], u"inside");
}

TEST_F(Intake, ALineWithTwelvePartsKeepsTheFirstTen) {
  page.Add(u"method1", u"c,1,2,3,4,5,6,7,8,9,10,11");
  Read();
  EXPECT_EQ(At(1).field[9], u"9");
}

TEST_F(Intake, NoMethodParamLeavesCountZeroButParamsLoaded) {
  page.Add(u"Mode", u"0");
  Read();
  EXPECT_EQ(state.control.methodCount, 0);
  EXPECT_TRUE(state.control.paramsLoaded);
}

TEST_F(Intake, ButtonSettingsByNumberOfParts) {
  page.Add(u"CmdProperty", u"発行,120");
  Read();
  EXPECT_EQ(state.control.printCaption, u"発行");
  EXPECT_EQ(state.control.printButtonWidth, 120);
  EXPECT_EQ(state.control.printButtonHeight, 0);

  test::ResetModuleState(state);
  page = FakePage{};
  page.Add(u"cmdproperty", u"発行,120,30,x");  // four parts: nothing is set
  Read();
  EXPECT_EQ(state.control.printCaption, u"");
  EXPECT_EQ(state.control.printButtonWidth, 0);

  page = FakePage{};
  page.Add(u"CmdProperty", u"刷,80.5,40.5");  // whole numbers, ties to even
  Read();
  EXPECT_EQ(state.control.printCaption, u"刷");
  EXPECT_EQ(state.control.printButtonWidth, 80);
  EXPECT_EQ(state.control.printButtonHeight, 40);
}

TEST_F(Intake, CmdPropertyWinsAndPCmdPropertyStandsIn) {
  page.Add(u"CmdProperty", u"");
  page.Add(u"pCmdProperty", u"代替");
  Read();
  EXPECT_EQ(state.control.printCaption, u"代替");

  page = FakePage{};
  page.Add(u"pCmdProperty", u"代替");
  page.Add(u"CmdProperty", u"本来");
  Read();
  EXPECT_EQ(state.control.printCaption, u"本来");
}

TEST_F(Intake, RunModeIsAWholeNumberWithTiesToEven) {
  const std::pair<const char16_t*, int> cases[] = {{u"1", 1}, {u"1.5", 2}, {u"2.5", 2}, {u"abc", 0}, {u"", 0}};
  for (const auto& [value, expected] : cases) {
    test::ResetModuleState(state);
    page = FakePage{};
    page.Add(u"Mode", value);
    Read();
    EXPECT_EQ(state.control.runMode, expected) << ToUtf8(value);
  }
  page = FakePage{};
  page.Add(u"Mode", u"");
  page.Add(u"pMode", u"1");
  Read();
  EXPECT_EQ(state.control.runMode, 1);
}

TEST_F(Intake, AnOutOfRangeWidthFailsTheReadingAndDisablesPrinting) {
  page.Add(u"method1", u"newpage");
  page.Add(u"CmdProperty", u"発行,40000");
  Read();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, u"オーバーフローしました。");
  EXPECT_EQ(messages.shown[0].title, u"Error");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::kCritical);
  EXPECT_FALSE(view.print.Enabled());
  EXPECT_TRUE(view.preview.Enabled());
  // What was read before the failure stays.
  EXPECT_EQ(state.control.methodCount, 1);
  EXPECT_EQ(state.control.printCaption, u"発行");
  EXPECT_TRUE(state.control.paramsLoaded);
}

TEST_F(Intake, AHostThatIsNoWebPageFailsTheReading) {
  page.document.noWebPage = true;
  Read();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, u"Error");
  EXPECT_FALSE(view.print.Enabled());
  EXPECT_TRUE(state.control.paramsLoaded);
}

TEST_F(Intake, The32767thMethodOverflowsAndLeavesTheCountAsItWas) {
  state.control.methodCount = 5;  // from an earlier reading
  std::vector<Text> lines(32767, u"newpage");
  page.AddMethods(lines);
  Read();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, u"オーバーフローしました。");
  EXPECT_EQ(state.control.methodCount, 5);
  EXPECT_EQ(state.control.methodList.size(), 32768u);  // position 32767 was written
}

TEST_F(Intake, ALaterShorterLineKeepsTheEarlierReadingsFields) {
  page.Add(u"method1", u"prntext,1,2,first,font");
  Read();
  page = FakePage{};
  page.Add(u"method1", u"prnbox,5");
  Read();
  EXPECT_EQ(state.control.methodCount, 1);
  EXPECT_EQ(At(1).field[0], u"prnbox");
  EXPECT_EQ(At(1).field[1], u"5");
  EXPECT_EQ(At(1).field[3], u"first");
  EXPECT_EQ(At(1).field[4], u"font");
}

}  // namespace
}  // namespace vant
