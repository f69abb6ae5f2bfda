#include "platform/host/html_parse_work.h"
#include "repeat.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace vant::platform {
namespace {

using test::Repeat;

TEST(HtmlParseWork, ATagCostsTheDepthItStandsAt) {
  // <html> at 0, <body> at 1, <object> at 2, two PARAMs at 3, </object> at 3, </body> at 2.
  EXPECT_EQ(EstimateParseWork("<html><body><object><param name=a><param name=b></object></body>"),
            0u + 1 + 2 + 3 + 3 + 3 + 2);
  EXPECT_EQ(EstimateParseWork("plain text, no tags"), 0u);
  EXPECT_EQ(EstimateParseWork(""), 0u);
}

TEST(HtmlParseWork, SiblingsStayCheap) {
  const std::string page = "<body><object>" +
                           Repeat("<param name=method1 value='prnline,0,0,10,10'>\n", 40000) +
                           "</object>" + Repeat("<div>row</div>", 40000);
  EXPECT_LT(EstimateParseWork(page), kMaxParseWork / 100);
}

TEST(HtmlParseWork, ElementsThatCloseTheirSiblingsDoNotNest) {
  const std::string list = "<ul>" + Repeat("<li>item<p>text", 50000) + "</ul>";
  EXPECT_LT(EstimateParseWork(list), kMaxParseWork / 100);
  const std::string table = "<table>" + Repeat("<tr><td>1<td>2", 50000) + "</table>";
  EXPECT_LT(EstimateParseWork(table), kMaxParseWork / 100);
}

TEST(HtmlParseWork, DeepNestingGrowsWithTheSquareOfTheDepth) {
  EXPECT_EQ(EstimateParseWork(Repeat("<div>", 4)), 0u + 1 + 2 + 3);
  EXPECT_GT(EstimateParseWork(Repeat("<div>", 30000)), kMaxParseWork);
  // Misnested formatting, which the parser rebuilds into nested blocks, nests as deep.
  constexpr auto kUnlimited = std::numeric_limits<std::uint64_t>::max();
  const std::uint64_t small = EstimateParseWork("<b>" + Repeat("<div></b>", 2000), kUnlimited);
  const std::uint64_t large = EstimateParseWork("<b>" + Repeat("<div></b>", 4000), kUnlimited);
  EXPECT_GT(small, 2000u * 2000u);
  EXPECT_GT(large, 3.9 * static_cast<double>(small));
}

TEST(HtmlParseWork, EndTagsCloseWhatTheyMatch) {
  // </div> closes the SPAN left open inside it; a stray </i> closes nothing.
  EXPECT_EQ(EstimateParseWork("<div><span></div></i><b>"), 0u + 1 + 2 + 0 + 0);
  // Formatting closed in order.
  EXPECT_LT(EstimateParseWork(Repeat("<b>bold</b><i>italic</i> ", 50000)), kMaxParseWork / 100);
}

TEST(HtmlParseWork, CommentsAndScriptTextAreNotTags) {
  EXPECT_EQ(EstimateParseWork("<!-- <div><div><div> -->"), 0u);
  EXPECT_EQ(EstimateParseWork("<script>for(;;){'<div><div>'}</script>"), 0u + 1);
  EXPECT_EQ(EstimateParseWork("<STYLE>a<b>c</b></Style><i>"), 0u + 1 + 0);
  EXPECT_EQ(EstimateParseWork("<title>a</b></title><i>"), 0u + 1 + 0);
  // An unterminated comment or script ends the count.
  EXPECT_EQ(EstimateParseWork("<div><!-- <div><div>"), 0u);
  EXPECT_EQ(EstimateParseWork("<div><script><div><div>"), 1u);
}

TEST(HtmlParseWork, MarkupEndsWhereTheParserEndsIt) {
  // Each row: markup, then three DIVs (costing 0 + 1 + 2) when the markup has ended before
  // them, nothing when they are still inside it.
  struct Row {
    int line;
    const char* markup;
    std::uint64_t work;
  };
  const Row rows[] = {
      {__LINE__, "<!-->", 3},               // an empty comment, closed at once
      {__LINE__, "<!--->", 3},
      {__LINE__, "<!---->", 3},
      {__LINE__, "<!-- a --!>", 3},
      {__LINE__, "<!-- a -- b ->", 0},       // not closed yet
      {__LINE__, "<!DOCTYPE html>", 3},
      {__LINE__, "<![CDATA[ x ]]>", 3},      // a bogus comment up to the first ">"
      {__LINE__, "<?xml version='1.0'?>", 3},
      {__LINE__, "</ x>", 3},
      {__LINE__, "</>", 3},
      {__LINE__, "<p title='<div><div>'>", 3},  // quoted values hide nothing from the tag
      {__LINE__, "<p title=\">\">", 3},
      {__LINE__, "<p title=\"unclosed", 0},  // a tag the page ends inside is dropped
      {__LINE__, "<script>a</scripts></script>", 1 + 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(EstimateParseWork(std::string(row.markup) + "<div><div><div>"), row.work);
  }
}

TEST(HtmlParseWork, AttributesCostTheirPairs) {
  // The parser compares each attribute with every one before it.
  EXPECT_EQ(EstimateParseWork("<p a=1 b='2' c=\"3\" d>"), 6u);
  EXPECT_EQ(EstimateParseWork("<p a='1'/b='2'/c>"), 3u);
  EXPECT_EQ(EstimateParseWork("<p a=1/b=2/c=3>"), 0u);  // one unquoted value
  std::string many = "<div";
  for (int i = 0; i < 100000; ++i) many += " a" + std::to_string(i) + "=1";
  EXPECT_GT(EstimateParseWork(many + ">"), kMaxParseWork);
  // The nesting hidden behind an empty comment counts.
  EXPECT_GT(EstimateParseWork("<!-->" + Repeat("<div>", 100000)), kMaxParseWork);
}

TEST(HtmlParseWork, StopsCountingAtTheLimit) {
  const std::string page = Repeat("<div>", 200000);
  const std::uint64_t work = EstimateParseWork(page, 1000);
  EXPECT_GT(work, 1000u);
  EXPECT_LT(work, 1000u + 200000u);
}

}  // namespace
}  // namespace vant::platform
