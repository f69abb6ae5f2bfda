// The JSON reader the host reads requests with: it takes exactly what a JSON parser takes
// (Qt's, which the host used before, is the reference), says where malformed text breaks,
// decodes strings to the code units a browser's string holds, and walks containers without
// being led astray by brackets, quotes and escapes inside strings.
#include "platform/browser/json_reader.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <string>
#include <vector>

namespace vant::browser {
namespace {

std::optional<std::size_t> ErrorOffset(std::string_view text) {
  try {
    (void)CheckedJson(text);
    return std::nullopt;
  } catch (const JsonSyntaxError& error) {
    return error.offset;
  }
}

bool QtTakes(std::string_view text) {
  QJsonParseError error{};
  (void)QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
  return error.error == QJsonParseError::NoError;
}

struct Malformed {
  int line;
  std::string text;
  std::size_t offset;  // of the first byte that cannot be read
  // Qt's parser is laxer in a few ways JSON.stringify never writes ("1.", ".5", a raw
  // control character, an unknown escape); the reader keeps to the grammar.
  bool qtTakes = false;
};

TEST(JsonReader, MalformedTextIsRefusedWhereItBreaks) {
  const std::vector<Malformed> cases = {
      {__LINE__, "", 0},
      {__LINE__, "   ", 3},
      {__LINE__, "{", 1},
      {__LINE__, "{\"a\"}", 4},
      {__LINE__, "{\"a\":1,}", 7},
      {__LINE__, "[1,]", 3},
      {__LINE__, "[1 2]", 3},
      {__LINE__, "{a:1}", 1},
      {__LINE__, "{\"a\":1}}", 7},
      {__LINE__, "{\"a\":1} x", 8},
      {__LINE__, "[01]", 2},
      {__LINE__, "[1.]", 3, true},
      {__LINE__, "[.5]", 1, true},
      {__LINE__, "[+1]", 1},
      {__LINE__, "[1e]", 3},
      {__LINE__, "[-]", 2},
      {__LINE__, "[tru]", 1},
      {__LINE__, "[nul", 1},
      {__LINE__, "[\"a\tb\"]", 3, true},           // a raw control character
      {__LINE__, "[\"\\x\"]", 3, true},            // an unknown escape
      {__LINE__, "[\"\\u12G4\"]", 6},
      {__LINE__, "[\"\\u12", 6},
      {__LINE__, "[\"abc", 5},
      {__LINE__, "[\"\xC0\x80\"]", 2},       // overlong
      {__LINE__, "[\"\xE0\x80\xAF\"]", 2},   // overlong
      {__LINE__, "[\"\xED\xA0\x80\"]", 2},   // a surrogate in UTF-8
      {__LINE__, "[\"\xF4\x90\x80\x80\"]", 2},  // beyond U+10FFFF
      {__LINE__, "[\"\xE3\x81\"]", 2},       // cut short
      {__LINE__, "[\"\x80\"]", 2},           // a lone continuation byte
      {__LINE__, "[\"\xFF\"]", 2},
      {__LINE__, "\xEF\xBB\xBF{}", 0},       // a byte order mark
      {__LINE__, std::string(kMaxJsonDepth + 1, '['), kMaxJsonDepth},
  };
  for (const Malformed& c : cases) {
    EXPECT_EQ(ErrorOffset(c.text), c.offset) << "line " << c.line;
    if (c.text.starts_with('{') || c.text.starts_with('[')) {
      EXPECT_EQ(QtTakes(c.text), c.qtTakes) << "line " << c.line;
    }
  }
}

TEST(JsonReader, TakesWhatAJsonParserTakes) {
  const std::vector<std::string> texts = {
      "{}", "[]", " \t\r\n{ } ", "[0,-0,1.5e+3,-2E-2,123456789012345678901234567890]",
      "{\"a\":{\"b\":[true,false,null,{}]},\"c\":\"\"}", "[\"\\\"\\\\\\/\\b\\f\\n\\r\\t\\u00e9\\uD83D\\uDE00\"]",
      "[\"\\uDC00 lone\"]", "[\"日本語 \xF0\x9F\x98\x80\"]", "{\"\":\"\",\"\":1}",
      std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']'),
  };
  for (const std::string& text : texts) {
    EXPECT_EQ(ErrorOffset(text), std::nullopt) << text;
    EXPECT_TRUE(QtTakes(text)) << text;
  }
}

TEST(JsonReader, StringsDecodeToTheCodeUnitsABrowserHolds) {
  struct Case {
    std::string json;  // one string value
    Text text;
  };
  const std::vector<Case> cases = {
      {R"("")", u""},
      {R"("plain")", u"plain"},
      {R"("\"\\\/\b\f\n\r\t")", u"\"\\/\b\f\n\r\t"},
      {R"("\u0041\u00e9\u3042")", u"Aéあ"},
      {"\"\xE6\x97\xA5\xC3\xA9\"", u"日é"},
      {"\"\xF0\x9F\x98\x80\"", u"\U0001F600"},
      {R"("\ud83d\ude00")", u"\U0001F600"},
      {R"("\udc00x")", Text{char16_t{0xDC00}, u'x'}},  // a lone surrogate stays as the browser had it
      {R"("a\u0000b")", Text(u"a\0b", 3)},
  };
  for (const Case& c : cases) {
    const JsonValue value = CheckedJson(c.json);
    ASSERT_TRUE(value.Is(JsonType::kString)) << c.json;
    EXPECT_EQ(DecodedText(value), c.text) << c.json;
  }
}

TEST(JsonReader, ContainersAreWalkedPastBracketsAndQuotesInStrings) {
  const JsonValue root = CheckedJson(
      R"( { "a\"]}" : [ "]", {"x":"}\\"}, [[]], -1.5e3 ] , "b":true,"c" : null, "d":{} } )");
  const auto members = Members(root);
  ASSERT_EQ(members.size(), 4u);
  EXPECT_EQ(members[0].first, u"a\"]}");
  EXPECT_EQ(members[1].first, u"b");
  EXPECT_TRUE(members[1].second.Is(JsonType::kTrue));
  EXPECT_TRUE(members[2].second.Is(JsonType::kNull));
  EXPECT_TRUE(members[3].second.Is(JsonType::kObject));
  EXPECT_TRUE(Members(members[3].second).empty());

  const JsonValue& list = members[0].second;
  ASSERT_TRUE(list.Is(JsonType::kArray));
  EXPECT_EQ(ElementCount(list), 4u);
  std::vector<std::string> elements;
  ForEachElement(list, [&](const JsonValue& element) {
    elements.emplace_back(element.text);
    return true;
  });
  EXPECT_EQ(elements, (std::vector<std::string>{"\"]\"", R"({"x":"}\\"})", "[[]]", "-1.5e3"}));
  EXPECT_EQ(NumberOf(JsonValue{JsonType::kNumber, elements[3]}), -1500.0);
  // A walk stops when asked to.
  int visited = 0;
  EXPECT_EQ(ForEachElement(list, [&](const JsonValue&) { return ++visited < 2; }), 2u);
}

TEST(JsonReader, NumbersAreReadWhereADoubleHoldsThem) {
  const auto number = [](const std::string& text) { return NumberOf(Members(CheckedJson("{\"n\":" + text + "}"))[0].second); };
  EXPECT_EQ(number("0"), 0.0);
  EXPECT_EQ(number("9007199254740991"), 9007199254740991.0);
  EXPECT_EQ(number("-2.5e-1"), -0.25);
  EXPECT_EQ(number("1e300"), 1e300);
  EXPECT_EQ(number("1e400"), std::nullopt);  // beyond a double
  EXPECT_EQ(number("\"1\""), std::nullopt);  // not a number
  EXPECT_EQ(number("true"), std::nullopt);
}

}  // namespace
}  // namespace vant::browser
