#include "common/json_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vant {
namespace {

std::string Written(const std::function<void(JsonWriter&)>& write) {
  JsonWriter json;
  write(json);
  return std::move(json).Take();
}

struct EscapeRow {
  int line;
  Text text;
  std::string json;
};

TEST(JsonWriter, StringsAreEscapedOnlyWhereJsonNeedsIt) {
  const std::vector<EscapeRow> rows = {
      {__LINE__, u"", "\"\""},
      {__LINE__, u"say \"1,234\"", "\"say \\\"1,234\\\"\""},
      {__LINE__, u"C:\\帳票\\a/b", "\"C:\\\\帳票\\\\a/b\""},
      {__LINE__, Text(u"\0\x01\x1f ~", 5), "\"\\u0000\\u0001\\u001f ~\""},
      {__LINE__, u"\x7f\x80\x85\x9f\xa0", "\"\\u007f\\u0080\\u0085\\u009f\xC2\xA0\""},
      {__LINE__, Text{char16_t(0xD840)}, "\"\\ud840\""},
      {__LINE__, Text{u'a', char16_t(0xDC0B), u'b'}, "\"a\\udc0bb\""},
      {__LINE__, Text{char16_t(0xDBFF), char16_t(0xDBFF), char16_t(0xDFFF)}, "\"\\udbff\xF4\x8F\xBF\xBF\""},
      {__LINE__, u"請求書 ｶﾅ ＭＳ 明朝", "\"請求書 ｶﾅ ＭＳ 明朝\""},
  };
  for (const EscapeRow& row : rows) {
    EXPECT_EQ(Written([&](JsonWriter& json) { json.String(row.text); }), row.json) << "line " << row.line;
    EXPECT_EQ(JsonString(row.text), row.json) << "line " << row.line;
  }
  // UTF-8 text is read as FromUtf8 reads it, then written the same way; keys too.
  EXPECT_EQ(Written([](JsonWriter& json) { json.StringUtf8("\"a\xff\n"); }), "\"\\\"a\xEF\xBF\xBD\\u000a\"");
  EXPECT_EQ(Written([](JsonWriter& json) { json.BeginObject().Key("k\"").Null().EndObject(); }), "{\"k\\\"\": null}");
}

struct WriteRow {
  int line;
  std::function<void(JsonWriter&)> write;
  std::string json;
};

TEST(JsonWriter, NumbersAsVantCheckWritesThem) {
  const std::vector<WriteRow> rows = {
      {__LINE__, [](JsonWriter& j) { j.Int(0); }, "0"},
      {__LINE__, [](JsonWriter& j) { j.Int(-32768); }, "-32768"},
      {__LINE__, [](JsonWriter& j) { j.Int(std::numeric_limits<std::int64_t>::max()); }, "9223372036854775807"},
      {__LINE__, [](JsonWriter& j) { j.Int(std::numeric_limits<std::int64_t>::min()); }, "-9223372036854775808"},
      {__LINE__, [](JsonWriter& j) { j.Double(209.9); }, "209.9"},
      {__LINE__, [](JsonWriter& j) { j.Double(0.1); }, "0.1"},
      {__LINE__, [](JsonWriter& j) { j.Double(297); }, "297"},
      {__LINE__, [](JsonWriter& j) { j.Double(-3.5); }, "-3.5"},
      {__LINE__, [](JsonWriter& j) { j.Double(1234567.8); }, "1.23457e+06"},
      {__LINE__, [](JsonWriter& j) { j.Double(0.00001); }, "1e-05"},
  };
  for (const WriteRow& row : rows) EXPECT_EQ(Written(row.write), row.json) << "line " << row.line;
  // The text the report's lengths had before the writer: a stream at precision 6.
  for (const double value : {841.9, 1189.0, 0.05, 99999.95, 1e21, -1e-300, 5e-324}) {
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream << std::setprecision(6) << value;
    EXPECT_EQ(Written([&](JsonWriter& j) { j.Double(value); }), stream.str()) << value;
  }
}

TEST(JsonWriter, SeparatorsAndNesting) {
  const std::vector<WriteRow> rows = {
      {__LINE__, [](JsonWriter& j) { j.BeginObject().EndObject(); }, "{}"},
      {__LINE__, [](JsonWriter& j) { j.BeginArray().EndArray(); }, "[]"},
      {__LINE__, [](JsonWriter& j) { j.BeginArray().Bool(true).Bool(false).Null().EndArray(); }, "[true, false, null]"},
      {__LINE__, [](JsonWriter& j) { j.BeginObject().Key("code").Int(9).Key("name").String(u"A4").EndObject(); },
       "{\"code\": 9, \"name\": \"A4\"}"},
      {__LINE__,
       [](JsonWriter& j) {
         j.BeginObject().Key("a").BeginArray().BeginArray().EndArray().BeginObject().Key("b").BeginObject().EndObject();
         j.EndObject().EndArray().Key("c").Double(0.5).EndObject();
       },
       "{\"a\": [[], {\"b\": {}}], \"c\": 0.5}"},
  };
  for (const WriteRow& row : rows) EXPECT_EQ(Written(row.write), row.json) << "line " << row.line;
}

struct FaultRow {
  int line;
  std::function<void(JsonWriter&)> write;
};

TEST(JsonWriter, WrongNestingAndNonFiniteNumbersAreLogicErrors) {
  const std::vector<FaultRow> rows = {
      {__LINE__, [](JsonWriter& j) { j.Key("a"); }},
      {__LINE__, [](JsonWriter& j) { j.BeginArray().Key("a"); }},
      {__LINE__, [](JsonWriter& j) { j.BeginObject().Key("a").Key("b"); }},
      {__LINE__, [](JsonWriter& j) { j.BeginObject().Int(1); }},
      {__LINE__, [](JsonWriter& j) { j.BeginObject().Key("a").Int(1).String(u"b"); }},
      {__LINE__, [](JsonWriter& j) { j.BeginObject().Key("a").EndObject(); }},
      {__LINE__, [](JsonWriter& j) { j.BeginObject().EndArray(); }},
      {__LINE__, [](JsonWriter& j) { j.EndObject(); }},
      {__LINE__, [](JsonWriter& j) { j.Int(1).Int(2); }},
      {__LINE__, [](JsonWriter& j) { j.BeginArray(); }},  // unclosed at the end
      {__LINE__, [](JsonWriter& j) { j.BeginObject().Key("a").BeginArray().EndArray(); }},
      {__LINE__, [](JsonWriter&) {}},  // nothing written
      {__LINE__, [](JsonWriter& j) { j.Double(std::numeric_limits<double>::quiet_NaN()); }},
      {__LINE__, [](JsonWriter& j) { j.BeginArray().Double(-std::numeric_limits<double>::infinity()); }},
  };
  for (const FaultRow& row : rows) EXPECT_THROW(Written(row.write), std::logic_error) << "line " << row.line;
}

}  // namespace
}  // namespace vant
