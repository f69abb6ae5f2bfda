// The live document as the control's host page, and the name the page gives its files.
#include "platform/browser/browser_document.h"

#include <gtest/gtest.h>

#include <vector>

namespace vant::browser {
namespace {

std::vector<Text> Names(const std::vector<ParamElement>& params) {
  std::vector<Text> names;
  for (const ParamElement& p : params) names.push_back(p.name);
  return names;
}

std::vector<Text> Names(const platform::PageObjects& page, const std::vector<std::size_t>& indices) {
  std::vector<Text> names;
  for (const std::size_t i : indices) names.push_back(page.objectParams.at(i).name);
  return names;
}

BrowserObject Object(std::int64_t key, std::vector<ParamElement> params, std::vector<std::int64_t> order = {}) {
  BrowserObject object;
  object.key = key;
  object.params = std::move(params);
  object.paramOrder = std::move(order);
  return object;
}

TEST(BrowserDocument, ParamsFollowTheirPlacesInTheDocumentWhenObjectsNest) {
  // <object outer><param p1><object inner><param p2></object><param p4></object>
  DocumentRequest nested;
  nested.objects = {Object(0, {{u"p1", u"1"}, {u"p4", u"4"}}, {0, 2}), Object(1, {{u"p2", u"2"}}, {1})};
  const platform::PageObjects page = PageObjectsOf(nested);
  EXPECT_EQ(Names(page.objectParams), (std::vector<Text>{u"p1", u"p2", u"p4"}));
  ASSERT_EQ(page.objects.size(), 2u);
  EXPECT_EQ(Names(page, page.objects[0].params), (std::vector<Text>{u"p1", u"p4"}));

  DocumentRequest flat;  // without places: object by object
  flat.objects = {Object(0, {{u"a", u""}, {u"b", u""}}), Object(1, {{u"c", u""}})};
  EXPECT_EQ(Names(PageObjectsOf(flat).objectParams), (std::vector<Text>{u"a", u"b", u"c"}));
}

struct NameCase {
  int line;
  Text url, title, expected;
};

TEST(BrowserDocument, FilesAreNamedFromThePageAndCannotLeaveTheFolder) {
  const std::vector<NameCase> cases = {
      {__LINE__, u"https://sales.example/forms/invoice.html?id=3#top", u"請求書", u"invoice"},
      {__LINE__, u"file:///home/u/%E8%AB%8B%E6%B1%82.htm", u"", u"請求"},
      {__LINE__, u"https://sales.example/forms/", u"請求書 2026/12", u"請求書 2026_12"},
      {__LINE__, u"https://sales.example/a/..%2F..%2Fetc%2Fpasswd", u"", u"passwd"},
      {__LINE__, u"https://sales.example/.profile", u"", u"_profile"},
      {__LINE__, u"https://sales.example/..", u"..", u"_."},
      {__LINE__, u"https://sales.example/a%0Ab%1Bc.html", u"", u"a_b_c"},
      {__LINE__, u"", u"  ", u"vant3"},
      {__LINE__, u"not a url at all/", u"/", u"vant3"},
      {__LINE__, u"", u"", u"vant3"},
      {__LINE__, u"https://x/" + Text(200, u'名') + u".html", u"", Text(80, u'名')},
  };
  for (const NameCase& c : cases) {
    DocumentRequest document;
    document.url = c.url;
    document.title = c.title;
    EXPECT_EQ(ToUtf8(DocumentBaseName(document)), ToUtf8(c.expected)) << "line " << c.line;
  }
}

}  // namespace
}  // namespace vant::browser
