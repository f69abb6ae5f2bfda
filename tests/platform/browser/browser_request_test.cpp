// Requests from the extension: what a well-formed request carries, and a clear refusal,
// with the request's id when it could be read, for everything else.
#include "platform/browser/browser_request.h"

#include <gtest/gtest.h>

#include "platform/host/page_reply.h"

#include <string>
#include <vector>

namespace vant::browser {
namespace {

struct RefusalCase {
  int line;
  std::string json;
  std::optional<std::int64_t> id;
  std::string reason;  // a part of the refusal's text
};

std::string Params(std::size_t count, const std::string& name) {
  std::string list;
  for (std::size_t i = 0; i < count; ++i) list += (i ? "," : "") + std::string("[\"") + name + "\",\"enddoc\"]";
  return list;
}

TEST(BrowserRequest, EverythingNotAsDescribedIsRefusedWithItsReason) {
  const std::vector<RefusalCase> cases = {
      {__LINE__, "", std::nullopt, "JSON として読めません"},
      {__LINE__, "{\"kind\":\"print\",", std::nullopt, "JSON として読めません"},
      {__LINE__, "{\"kind\":\"print\",\"id\":1,\"key\":0}x", std::nullopt, "JSON として読めません"},
      {__LINE__, "{\"kind\":\"\xff\xfe\",\"id\":1}", std::nullopt, "JSON として読めません"},
      {__LINE__, "[1,2]", std::nullopt, "オブジェクトではありません"},
      {__LINE__, "{\"kind\":\"print\",\"key\":0}", std::nullopt, "\"id\""},
      {__LINE__, "{\"kind\":\"print\",\"id\":\"1\",\"key\":0}", std::nullopt, "\"id\""},
      {__LINE__, "{\"kind\":\"print\",\"id\":1.5,\"key\":0}", std::nullopt, "\"id\""},
      {__LINE__, "{\"kind\":\"print\",\"id\":-1,\"key\":0}", std::nullopt, "\"id\""},
      {__LINE__, "{\"kind\":\"print\",\"id\":1e300,\"key\":0}", std::nullopt, "\"id\""},
      {__LINE__, "{\"id\":7}", 7, "\"kind\""},
      {__LINE__, "{\"kind\":3,\"id\":7}", 7, "\"kind\""},
      {__LINE__, "{\"kind\":\"format\",\"id\":8}", 8, "「format」"},
      {__LINE__, "{\"kind\":\"Print\",\"id\":8,\"key\":0}", 8, "「Print」"},
      {__LINE__, "{\"kind\":\"print\",\"id\":9}", 9, "\"key\""},
      {__LINE__, "{\"kind\":\"preview\",\"id\":9,\"key\":-1}", 9, "\"key\""},
      {__LINE__, "{\"kind\":\"print\",\"id\":9,\"key\":2147483648}", 9, "\"key\""},
      {__LINE__, "{\"kind\":\"print\",\"id\":9,\"key\":\"0\"}", 9, "\"key\""},
      {__LINE__, "{\"kind\":\"document\",\"id\":10}", 10, "\"objects\""},
      {__LINE__, "{\"kind\":\"document\",\"id\":10,\"objects\":{}}", 10, "\"objects\""},
      {__LINE__, "{\"kind\":\"document\",\"id\":10,\"url\":5,\"objects\":[]}", 10, "\"url\""},
      {__LINE__, "{\"kind\":\"document\",\"id\":10,\"objects\":[1]}", 10, "objects[0]"},
      {__LINE__, "{\"kind\":\"document\",\"id\":10,\"objects\":[{\"params\":[]}]}", 10, "\"key\""},
      {__LINE__, "{\"kind\":\"document\",\"id\":10,\"objects\":[{\"key\":0,\"id\":1,\"params\":[]}]}", 10, "\"id\""},
      {__LINE__, "{\"kind\":\"document\",\"id\":10,\"objects\":[{\"key\":0,\"width\":5,\"params\":[]}]}", 10, "\"width\""},
      {__LINE__, "{\"kind\":\"document\",\"id\":10,\"objects\":[{\"key\":0}]}", 10, "\"params\""},
      {__LINE__, "{\"kind\":\"document\",\"id\":10,\"objects\":[{\"key\":0,\"params\":[[\"a\"]]}]}", 10, "params[0]"},
      {__LINE__, "{\"kind\":\"document\",\"id\":10,\"objects\":[{\"key\":0,\"params\":[[\"a\",1]]}]}", 10, "params[0]"},
      {__LINE__, "{\"kind\":\"document\",\"id\":10,\"objects\":[{\"key\":0,\"params\":[[\"a\",\"b\",\"c\",\"d\"]]}]}", 10, "params[0]"},
      {__LINE__, "{\"kind\":\"document\",\"id\":10,\"objects\":[{\"key\":0,\"params\":[[\"a\",\"b\",-2]]}]}", 10, "params[0]"},
      {__LINE__, "{\"kind\":\"document\",\"id\":10,\"objects\":[{\"key\":0,\"params\":[\"a=b\"]}]}", 10, "params[0]"},
      // Places: all or none, each once.
      {__LINE__, "{\"kind\":\"document\",\"id\":11,\"objects\":[{\"key\":0,\"params\":[[\"a\",\"b\",0],[\"c\",\"d\"]]}]}", 11, "順番"},
      {__LINE__, "{\"kind\":\"document\",\"id\":11,\"objects\":[{\"key\":0,\"params\":[[\"a\",\"b\",1],[\"c\",\"d\",1]]}]}", 11, "順番"},
      // Members given twice are refused, not guessed at.
      {__LINE__, "{\"kind\":\"print\",\"id\":1,\"key\":0,\"key\":1}", std::nullopt, "「key」が 2 回"},
      {__LINE__, "{\"kind\":\"print\",\"id\":1,\"k\\u0069nd\":\"print\",\"key\":0}", std::nullopt, "「kind」が 2 回"},
      {__LINE__, "{\"kind\":\"document\",\"id\":13,\"objects\":[{\"key\":0,\"params\":[],\"params\":[]}]}", 13,
       "objects[0] の「params」が 2 回"},
      // Beyond the control's limits.
      {__LINE__, "{\"kind\":\"document\",\"id\":12,\"objects\":[{\"key\":0,\"params\":[" + Params(32768, "method") + "]}]}", 12, "32768 個、上限 32767 個"},
  };
  for (const RefusalCase& c : cases) {
    const auto parsed = ParseRequest(c.json);
    const auto* refusal = std::get_if<Refusal>(&parsed);
    ASSERT_NE(refusal, nullptr) << "line " << c.line << " was taken";
    EXPECT_EQ(refusal->id, c.id) << "line " << c.line;
    EXPECT_NE(ToUtf8(refusal->message).find(c.reason), std::string::npos)
        << "line " << c.line << ": " << ToUtf8(refusal->message);
  }
}

TEST(BrowserRequest, TooManyObjectsAreRefusedAndTheLimitItselfTaken) {
  const auto objects = [](std::size_t n) {
    std::string list;
    for (std::size_t i = 0; i < n; ++i) list += (i ? "," : "") + std::string("{\"key\":") + std::to_string(i) + ",\"params\":[]}";
    return "{\"kind\":\"document\",\"id\":1,\"objects\":[" + list + "]}";
  };
  EXPECT_TRUE(std::holds_alternative<Request>(ParseRequest(objects(kMaxObjects))));
  const auto refused = ParseRequest(objects(kMaxObjects + 1));
  ASSERT_TRUE(std::holds_alternative<Refusal>(refused));
  EXPECT_NE(ToUtf8(std::get<Refusal>(refused).message).find("1025 個"), std::string::npos);
}

TEST(BrowserRequest, MethodLimitCountsMethodParamsOnly) {
  // 32767 method lines reach the control (whose own reading then overflows, as on any
  // host); other PARAMs and "methodcnt" do not count.
  const std::string limit = "{\"kind\":\"document\",\"id\":1,\"objects\":[{\"key\":0,\"params\":[" +
                            Params(32767, "METHOD") + "," + Params(3, "MethodCnt") + "," + Params(2, "Mode") + "]}]}";
  const auto parsed = ParseRequest(limit);
  ASSERT_TRUE(std::holds_alternative<Request>(parsed));
  EXPECT_EQ(std::get<Request>(parsed).document.page.objects[0].params.size(), 32772u);
}

TEST(BrowserRequest, ParamsOfAnyNameAreBoundedAsAPageFileIs) {
  // The PARAMs are counted across OBJECTs; the limit itself is taken.
  const auto document = [](std::size_t first, std::size_t second) {
    return "{\"kind\":\"document\",\"id\":5,\"objects\":[{\"key\":0,\"params\":[" + Params(first, "x") +
           "]},{\"key\":1,\"params\":[" + Params(second, "y") + "]}]}";
  };
  const std::size_t half = platform::kMaxReplyParams / 2;
  const auto limit = ParseRequest(document(half, platform::kMaxReplyParams - half));
  ASSERT_TRUE(std::holds_alternative<Request>(limit));
  EXPECT_EQ(std::get<Request>(limit).document.page.objectParams.size(), platform::kMaxReplyParams);
  const auto over = ParseRequest(document(half, platform::kMaxReplyParams - half + 1));
  ASSERT_TRUE(std::holds_alternative<Refusal>(over));
  EXPECT_EQ(std::get<Refusal>(over).id, 5);
  EXPECT_EQ(ToUtf8(std::get<Refusal>(over).message), platform::TooManyParamsReason() + "。");
}

std::vector<Text> Names(const platform::PageObjects& page, const std::vector<std::size_t>& indices) {
  std::vector<Text> names;
  for (const std::size_t i : indices) names.push_back(page.objectParams.at(i).name);
  return names;
}

std::vector<Text> AllNames(const platform::PageObjects& page) {
  std::vector<Text> names;
  for (const ParamElement& p : page.objectParams) names.push_back(p.name);
  return names;
}

TEST(BrowserRequest, ParamsFollowTheirPlacesInTheDocumentWhenObjectsNest) {
  struct Case {
    int line;
    std::string objects;
    std::vector<Text> document;                   // every PARAM, in document order
    std::vector<std::vector<Text>> ownParams;     // each OBJECT's own
  };
  const std::vector<Case> cases = {
      // <object outer><param p1><object inner><param p2></object><param p4></object>
      {__LINE__, R"([{"key":0,"params":[["p1","1",0],["p4","4",2]]},{"key":1,"params":[["p2","2",1]]}])",
       {u"p1", u"p2", u"p4"}, {{u"p1", u"p4"}, {u"p2"}}},
      // Places need not be consecutive; the PARAMs of three OBJECTs move in one cycle.
      {__LINE__, R"([{"key":0,"params":[["c","",90]]},{"key":1,"params":[["a","",10],["d","",200]]},{"key":2,"params":[["b","",50]]}])",
       {u"a", u"b", u"c", u"d"}, {{u"c"}, {u"a", u"d"}, {u"b"}}},
      // Without places: object by object.
      {__LINE__, R"([{"key":0,"params":[["a",""],["b",""]]},{"key":1,"params":[["c",""]]}])",
       {u"a", u"b", u"c"}, {{u"a", u"b"}, {u"c"}}},
  };
  for (const Case& c : cases) {
    const auto parsed = ParseRequest(R"({"kind":"document","id":1,"objects":)" + c.objects + "}");
    ASSERT_TRUE(std::holds_alternative<Request>(parsed)) << "line " << c.line;
    const platform::PageObjects& page = std::get<Request>(parsed).document.page;
    EXPECT_EQ(AllNames(page), c.document) << "line " << c.line;
    ASSERT_EQ(page.objects.size(), c.ownParams.size()) << "line " << c.line;
    for (std::size_t o = 0; o < page.objects.size(); ++o) {
      EXPECT_EQ(Names(page, page.objects[o].params), c.ownParams[o]) << "line " << c.line << " object " << o;
    }
  }
}

TEST(BrowserRequest, WellFormedRequestsCarryWhatThePageSent) {
  const auto document = ParseRequest(
      "{\"kind\":\"document\",\"id\":9007199254740991,\"url\":\"https://例え.jp/a/請求.html\",\"title\":\"請求書\","
      "\"objects\":[{\"key\":4,\"id\":\"Inv\",\"width\":\"400\",\"height\":\"40\",\"params\":[[\"CmdProperty\",\"発行,,120\",1],"
      "[\"method1\",\"prntext,1,2,\\\"A\\\"\\u0000\",0]]},{\"key\":2147483647,\"id\":null,\"params\":[]},{\"key\":0,\"params\":[]}]}");
  ASSERT_TRUE(std::holds_alternative<Request>(document)) << ToUtf8(std::get<Refusal>(document).message);
  const Request& r = std::get<Request>(document);
  EXPECT_EQ(r.kind, Request::Kind::kDocument);
  EXPECT_EQ(r.id, 9007199254740991);
  EXPECT_EQ(r.document.url, u"https://例え.jp/a/請求.html");
  EXPECT_EQ(r.document.title, u"請求書");
  const platform::PageObjects& page = r.document.page;
  ASSERT_EQ(page.objects.size(), 3u);
  EXPECT_EQ(r.document.keys, (std::vector<std::int64_t>{4, 2147483647, 0}));
  EXPECT_EQ(page.objects[0].id, Text(u"Inv"));
  // The places put method1 first.
  ASSERT_EQ(page.objectParams.size(), 2u);
  EXPECT_EQ(page.objects[0].params, (std::vector<std::size_t>{1, 0}));
  EXPECT_EQ(page.objectParams[1].name, u"CmdProperty");
  EXPECT_EQ(page.objectParams[1].value, u"発行,,120");
  EXPECT_EQ(page.objectParams[0].value, Text(u"prntext,1,2,\"A\"\0", 16));
  EXPECT_EQ(page.objects[1].id, std::nullopt);
  EXPECT_EQ(page.objects[2].id, std::nullopt);

  for (const auto& [json, kind] : {std::pair{"{\"kind\":\"print\",\"id\":0,\"key\":17}", Request::Kind::kPrint},
                                   std::pair{"{\"id\":3,\"key\":17,\"kind\":\"preview\",\"extra\":[]}", Request::Kind::kPreview}}) {
    const auto click = ParseRequest(json);
    ASSERT_TRUE(std::holds_alternative<Request>(click)) << json;
    EXPECT_EQ(std::get<Request>(click).kind, kind) << json;
    EXPECT_EQ(std::get<Request>(click).control.key, 17) << json;
  }
}

}  // namespace
}  // namespace vant::browser
