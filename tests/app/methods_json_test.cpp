#include "app/run/methods_json.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "common/json_writer.h"
#include "engine/module_state.h"
#include "method_of.h"

namespace vant::app {
namespace {

using test::Method;

TEST(MethodsJsonString, PlainAndJapaneseTextAsUtf8) {
  EXPECT_EQ(JsonString(u""), "\"\"");
  EXPECT_EQ(JsonString(u"prntext"), "\"prntext\"");
  EXPECT_EQ(JsonString(u"ＭＳ 明朝 $カンマ$ ｶﾅ"), "\"ＭＳ 明朝 $カンマ$ ｶﾅ\"");
  EXPECT_EQ(JsonString(u"𠀋"), "\"𠀋\"");
}

TEST(MethodsJsonString, QuotesBackslashesAndSlashes) {
  EXPECT_EQ(JsonString(u"say \"1,234\""), "\"say \\\"1,234\\\"\"");
  EXPECT_EQ(JsonString(u"C:\\帳票\\a/b"), "\"C:\\\\帳票\\\\a/b\"");
}

TEST(MethodsJsonString, ControlCharactersAsUnicodeEscapes) {
  EXPECT_EQ(JsonString(u"a\r\nb\tc"), "\"a\\u000d\\u000ab\\u0009c\"");
  EXPECT_EQ(JsonString(Text(u"\0x", 2)), "\"\\u0000x\"");
  EXPECT_EQ(JsonString(u"\x1f\x7f\x85\x9f\xa0"), "\"\\u001f\\u007f\\u0085\\u009f\xC2\xA0\"");
}

TEST(MethodsJsonString, ALoneSurrogateIsKeptAsAnEscape) {
  EXPECT_EQ(JsonString(Text{char16_t(0xD840)}), "\"\\ud840\"");
  EXPECT_EQ(JsonString(Text{u'a', char16_t(0xDC0B), u'b'}), "\"a\\udc0bb\"");
  // A high surrogate followed by another high one: both alone.
  EXPECT_EQ(JsonString(Text{char16_t(0xD840), char16_t(0xD840), char16_t(0xDC0B)}), "\"\\ud840𠀋\"");
}

TEST(MethodsJson, TheStateAfterAReading) {
  ControlState state;
  state.paramsLoaded = true;
  state.methodList.resize(3);
  state.methodList[1] = Method({u"prntext", u"20", u"30", u"A,B", u"ＭＳ 明朝", u"12", u"false", u"true", u"255"});
  state.methodList[2] = Method({u"enddoc"});
  state.methodCount = 2;
  state.printCaption = u"発行";
  state.printButtonWidth = 120;
  state.runMode = 1;
  EXPECT_EQ(MethodsJson(state),
            "{\"paramsLoaded\": true, \"methodCount\": 2, \"methods\": ["
            "[\"prntext\", \"20\", \"30\", \"A,B\", \"ＭＳ 明朝\", \"12\", \"false\", \"true\", "
            "\"255\", \"\"], "
            "[\"enddoc\", \"\", \"\", \"\", \"\", \"\", \"\", \"\", \"\", \"\"]], "
            "\"printCaption\": \"発行\", \"printButtonWidth\": 120, \"printButtonHeight\": 0, "
            "\"runMode\": 1}");
}

TEST(MethodsJson, ANewStateHasNoMethods) {
  EXPECT_EQ(MethodsJson(ControlState{}),
            "{\"paramsLoaded\": false, \"methodCount\": 0, \"methods\": [], "
            "\"printCaption\": \"\", \"printButtonWidth\": 0, \"printButtonHeight\": 0, "
            "\"runMode\": 0}");
}

TEST(MethodsJson, OnlyPositionsUpToTheCountArePrinted) {
  ControlState state;
  state.methodList.resize(4);
  state.methodList[1] = Method({u"newpage"});
  state.methodList[2] = Method({u"stale"});  // left from an earlier, longer reading
  state.methodCount = 1;
  const std::string json = MethodsJson(state);
  EXPECT_NE(json.find("\"newpage\""), std::string::npos);
  EXPECT_EQ(json.find("stale"), std::string::npos);
}

TEST(MethodsJson, NegativeSettingsAndEscapedCaption) {
  ControlState state;
  state.printCaption = u"\"印刷\"\n";
  state.printButtonWidth = -5;
  state.printButtonHeight = 32767;
  state.runMode = -32768;
  EXPECT_EQ(MethodsJson(state),
            "{\"paramsLoaded\": false, \"methodCount\": 0, \"methods\": [], "
            "\"printCaption\": \"\\\"印刷\\\"\\u000a\", \"printButtonWidth\": -5, "
            "\"printButtonHeight\": 32767, \"runMode\": -32768}");
}

TEST(MethodsJson, ACountBeyondTheListIsAnError) {
  ControlState state;
  state.methodList.resize(2);
  state.methodCount = 2;
  EXPECT_THROW(MethodsJson(state), Failure);
  state.methodCount = -1;
  EXPECT_THROW(MethodsJson(state), Failure);
}

TEST(MethodsJson, IsOneLine) {
  ControlState state;
  state.methodList.resize(2);
  state.methodList[1] = Method({u"prntext", u"1", u"2", u"line\nbreak"});
  state.methodCount = 1;
  EXPECT_EQ(MethodsJson(state).find('\n'), std::string::npos);
}

}  // namespace
}  // namespace vant::app
