#include "platform/host/page_reply.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/host/host_page.h"
#include "platform/host/host_page_errors.h"

namespace vant::platform {
namespace {

ReadPageParams TwoObjects() {
  ReadPageParams page;
  page.encoding = PageEncoding::kShiftJis;
  page.replacedSequences = 3;
  page.utf8Text = true;
  page.objectParams = {{u"other", u"x", 3}, {u"method1", u"文字,1", 70000}, {u"", u""}};
  page.hasObject = true;
  page.control = HostObject{Text(u"ctl"), Text(u"200"), std::nullopt, {1, 2}, 12};
  return page;
}

TEST(PageReply, ParamsAndRefusalsComeBackAsSent) {
  const auto back = DecodeReply(EncodeReply(TwoObjects()));
  ASSERT_TRUE(back);
  const auto& page = std::get<ReadPageParams>(*back);
  EXPECT_EQ(page.encoding, PageEncoding::kShiftJis);
  EXPECT_EQ(page.replacedSequences, 3u);
  EXPECT_TRUE(page.utf8Text);
  ASSERT_EQ(page.objectParams.size(), 3u);
  EXPECT_EQ(page.objectParams[1].value, u"文字,1");
  // Each PARAM's line, and the control's, for a report to point at.
  EXPECT_EQ(page.objectParams[0].line, 3u);
  EXPECT_EQ(page.objectParams[1].line, 70000u);
  EXPECT_EQ(page.objectParams[2].line, 0u);
  EXPECT_TRUE(page.hasObject);
  ASSERT_TRUE(page.control);
  EXPECT_EQ(page.control->id, Text(u"ctl"));
  EXPECT_EQ(page.control->width, Text(u"200"));
  EXPECT_EQ(page.control->height, std::nullopt);
  EXPECT_EQ(page.control->params, (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(page.control->line, 12u);

  ReadPageParams bare;  // no OBJECT: no control, no id
  const auto none = DecodeReply(EncodeReply(bare));
  ASSERT_TRUE(none);
  EXPECT_FALSE(std::get<ReadPageParams>(*none).control);

  const auto refused = DecodeReply(EncodeReply(PageRefused{"ページを読み込めません: a.html"}));
  ASSERT_TRUE(refused);
  EXPECT_EQ(std::get<PageRefused>(*refused).message, "ページを読み込めません: a.html");
  const auto missing = DecodeReply(EncodeReply(ObjectIdMissing{"x", "no x"}));
  ASSERT_TRUE(missing);
  EXPECT_EQ(std::get<ObjectIdMissing>(*missing).id, "x");
}

TEST(PageReply, EveryCutShortReplyIsRejected) {
  for (const PageReply& reply : {PageReply(TwoObjects()), PageReply(PageRefused{"m"}),
                                 PageReply(ObjectIdMissing{"i", "m"})}) {
    const std::string whole = EncodeReply(reply);
    for (std::size_t length = 0; length < whole.size(); ++length) {
      EXPECT_FALSE(DecodeReply(std::string_view(whole).substr(0, length))) << length;
    }
    EXPECT_FALSE(DecodeReply(whole + '\0'));  // bytes left over
  }
}

TEST(PageReply, InconsistentRepliesAreRejected) {
  struct Case {
    int line;
    std::function<void(ReadPageParams&)> spoil;
  };
  const Case cases[] = {
      {__LINE__, [](ReadPageParams& p) { p.control->params = {3}; }},     // beyond the PARAMs
      {__LINE__, [](ReadPageParams& p) { p.control->params = {2, 1}; }},  // out of order
      {__LINE__, [](ReadPageParams& p) { p.control->params = {1, 1}; }},  // twice
      {__LINE__, [](ReadPageParams& p) { p.hasObject = false; }},         // control without OBJECT
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ReadPageParams page = TwoObjects();
    c.spoil(page);
    EXPECT_FALSE(DecodeReply(EncodeReply(page)));
  }
  // An unknown kind and an unknown encoding.
  EXPECT_FALSE(DecodeReply("\x07"));
  std::string reply = EncodeReply(TwoObjects());
  reply[1] = 9;
  EXPECT_FALSE(DecodeReply(reply));
  // A line beyond 32 bits: the first PARAM's line follows the head (kind, encoding, replaced
  // count, UTF-8 text flag, object flag, PARAM count), its name ("other") and value ("x").
  std::string farLine = EncodeReply(TwoObjects());
  const std::size_t lineAt = 1 + 1 + 8 + 1 + 1 + 8 + (8 + 5) + (8 + 1);
  ASSERT_EQ(farLine[lineAt], '\x03');
  farLine[lineAt + 4] = '\x01';
  EXPECT_FALSE(DecodeReply(farLine));
  // A count of PARAMs the bytes cannot hold is not believed (nor reserved).
  std::string huge = EncodeReply(ReadPageParams{});
  for (int i = 0; i < 8; ++i) huge[1 + 1 + 8 + 1 + 1 + i] = '\xFF';
  EXPECT_FALSE(DecodeReply(huge));
}

// The reply written as the parse is walked, against the PARAMs read into the page's objects
// and sent: the same bytes, whatever the page's text holds.
TEST(PageReply, TheWalkedReplyIsTheReplyOfThePageRead) {
  using namespace std::string_literals;
  struct Case {
    int row;
    std::string html;
    std::optional<Text> id;
  };
  const Case cases[] = {
      {1, "<object><param name=method1 value='text,1,2,請求書 𠀋'><param name=x></object>", {}},
      {2, "<object id=a><param name=MethodCnt value=2></object>"
          "<object id=b><param name=method1 value=newpage><param name=METHOD2 value=enddoc></object>", {}},
      {3, "<object id=a><param name=method1 value=x></object><object id=b width=10 height=20>"
          "<param name=method1 value=y></object>", Text(u"b")},
      {4, "<object><param name=method1 value='&amp;&nGt;&#0;&#xD800;&#x10FFFF;&lt'>\n"
          "<object><param name=method1 value=inner></object><param name=method2 value=outer>"
          "<noscript><param name=method3></noscript><template><param name=method4></template></object>"
          "<param name=method5 value=outside>", {}},
      {5, "<p>no object</p>", {}},
      {6, "<object></object><svg><object><param name=method1></object></svg>", {}},
      {7, "<table><object><tr><td><param name=method1 value='a\0b'></td></tr></object></table>"s, {}},
  };
  for (const Case& c : cases) {
    const std::string& html = c.html;
    ReadPageParams read{PageEncoding::kShiftJis, 2, true, {}, false, std::nullopt};
    PageObjects objects = ReadPageObjects(html);
    if (const auto control = ChooseControl(objects, c.id)) read.control = objects.objects[*control];
    read.hasObject = !objects.objects.empty();
    read.objectParams = std::move(objects.objectParams);

    ParamsReplyBuilder walked(PageEncoding::kShiftJis, 2, true, 0);
    WalkPageObjects(html, walked, SIZE_MAX, ParseTreeEnd::kFreed);
    EXPECT_EQ(std::move(walked).Finish(c.id), EncodeReply(read)) << "row " << c.row;
  }
  ParamsReplyBuilder unknown(PageEncoding::kUtf8, 0, false, 0);
  WalkPageObjects("<object id=a></object>", unknown, SIZE_MAX, ParseTreeEnd::kFreed);
  EXPECT_THROW(std::move(unknown).Finish(Text(u"b")), HostObjectNotFound);
}

}  // namespace
}  // namespace vant::platform
