#include "platform/host/host_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/failure.h"
#include "platform/host/host_page_errors.h"
#include "platform/host/html_length.h"

namespace vant::platform {
namespace {

HostPage Parse(const std::string& html, std::optional<Text> objectId = std::nullopt) {
  return HostPage::FromHtml(html, objectId);
}

std::vector<Text> Names(const std::vector<ParamElement>& params) {
  std::vector<Text> names;
  for (const auto& p : params) names.push_back(p.name);
  return names;
}

TEST(HostObjectParams, NameAndValueOfEveryParamInDocumentOrderAcrossObjects) {
  const HostPage page = Parse(
      "<object id=a><param name=method2 value='prntext,1,2,A'>"
      "<param name=Mode value=1></object>"
      "<p>本文</p>"
      "<object id=b><param name=method1 value=enddoc></object>");
  const auto params = page.ObjectParams();
  ASSERT_EQ(params.size(), 3u);
  EXPECT_EQ(params[0].name, u"method2");
  EXPECT_EQ(params[0].value, u"prntext,1,2,A");
  EXPECT_EQ(params[1].name, u"Mode");
  EXPECT_EQ(params[2].name, u"method1");
  EXPECT_EQ(params[2].value, u"enddoc");
}

// The control's OBJECT gives its window size with width and height attributes, read as a
// browser reads them: pixels, percentages left to a container this program has not.
TEST(HostObjectSize, WidthAndHeightInPixels) {
  const HostPage page = Parse(
      "<object id=x width=100><param name=method1 value=enddoc></object>"
      "<object id=ctl width=' 240px' HEIGHT=50.9><param name=method1 value=enddoc></object>",
      u"ctl");
  ASSERT_NE(page.ControlObject(), nullptr);
  EXPECT_EQ(PixelLength(page.ControlObject()->width), 240);
  EXPECT_EQ(PixelLength(page.ControlObject()->height), 50);
  const struct {
    int line;
    std::optional<Text> attribute;
    std::optional<int32_t> pixels;
  } rows[] = {
      {__LINE__, std::nullopt, std::nullopt},
      {__LINE__, u"", std::nullopt},
      {__LINE__, u"300", 300},
      {__LINE__, u"\t\n 12 px", 12},
      {__LINE__, u"80%", std::nullopt},
      {__LINE__, u"80.5%", std::nullopt},
      {__LINE__, u"0", std::nullopt},
      {__LINE__, u"-20", std::nullopt},
      {__LINE__, u"auto", std::nullopt},
      {__LINE__, u"32767", 32767},
      {__LINE__, u"32768", std::nullopt},
      {__LINE__, u"99999999999999999999999", std::nullopt},
  };
  for (const auto& r : rows) EXPECT_EQ(PixelLength(r.attribute), r.pixels) << "line " << r.line;
}

TEST(HostObjectParams, NestedObjectsCountEachParamOnce) {
  const HostPage page = Parse(
      "<object id=outer><param name=p1 value=1>"
      "<object id=inner><param name=p2 value=2><object><param name=p3 value=3></object>"
      "</object><param name=p4 value=4></object>");
  EXPECT_EQ(Names(page.ObjectParams()), (std::vector<Text>{u"p1", u"p2", u"p3", u"p4"}));
}

TEST(HostObjectParams, ParamsOutsideEveryObjectAreNotTheDocumentsObjectParams) {
  const HostPage page = Parse(
      "<head><param name=inHead value=x></head><body><param name=before value=x>"
      "<object><param name=method1 value=enddoc></object><param name=after value=x>");
  EXPECT_EQ(Names(page.ObjectParams()), (std::vector<Text>{u"method1"}));
}

TEST(HostObjectParams, MissingAttributesAreEmptyTextAndEntitiesAreDecoded) {
  const HostPage page = Parse(
      "<object><param value=v><param name=n><param name='a&amp;b' "
      "value=\"&quot;1,,234&quot; &lt;円&gt; &#x8ACB;\"></object>");
  const auto params = page.ObjectParams();
  ASSERT_EQ(params.size(), 3u);
  EXPECT_EQ(params[0].name, u"");
  EXPECT_EQ(params[0].value, u"v");
  EXPECT_EQ(params[1].name, u"n");
  EXPECT_EQ(params[1].value, u"");
  EXPECT_EQ(params[2].name, u"a&b");
  EXPECT_EQ(params[2].value, u"\"1,,234\" <円> 請");
}

TEST(HostObjectParams, ValuesKeepTheirBlanksAndTagNamesTheirCase) {
  const HostPage page = Parse(
      "<OBJECT><PARAM NAME=\"METHOD1\" VALUE=\" prntext, 1 ,2,  A \"></OBJECT>");
  const auto params = page.ObjectParams();
  ASSERT_EQ(params.size(), 1u);
  EXPECT_EQ(params[0].name, u"METHOD1");
  EXPECT_EQ(params[0].value, u" prntext, 1 ,2,  A ");
}

TEST(HostObjectParams, AParamEndTagOrSelfClosingSlashChangesNothing) {
  const HostPage page =
      Parse("<object><param name=a value=1></param><param name=b value=2/>"
            "<param name=c value=3 /></object>");
  const auto params = page.ObjectParams();
  ASSERT_EQ(params.size(), 3u);
  EXPECT_EQ(params[1].value, u"2/");  // an unquoted value takes the slash
  EXPECT_EQ(params[2].value, u"3");
}

TEST(HostObjectParams, MalformedMarkupStillYieldsTheParams) {
  // Unclosed elements everywhere; only a tag cut off by the end of the page is lost, as a
  // browser loses it.
  const HostPage page = Parse(
      "<html><body><div><table><tr><td><object id=c><param name=method1 value=newpage>"
      "<p><b>unclosed <i>tags<param name=method2 value=enddoc>");
  EXPECT_EQ(Names(page.ObjectParams()), (std::vector<Text>{u"method1", u"method2"}));
  EXPECT_EQ(page.Read(u"method2"), Text(u"enddoc"));
}

TEST(HostObjectParams, AnObjectWrittenInTheHeadMovesToTheBodyWithItsParams) {
  const HostPage page = Parse(
      "<html><head><title>t</title><object id=ctl><param name=method1 value=enddoc>"
      "</object></head><body></body></html>");
  EXPECT_EQ(Names(page.ObjectParams()), (std::vector<Text>{u"method1"}));
  EXPECT_EQ(page.ControlObject()->id, Text(u"ctl"));
}

TEST(HostObjectParams, AStrayEndTagInsideTheObjectDoesNotCloseIt) {
  // The OBJECT bounds the scope: </b> and </p> inside it are ignored, so method2 is still
  // the object's.
  const HostPage page = Parse(
      "<p><b><object><param name=method1 value=newpage></b></p><param name=method2 "
      "value=enddoc></object><param name=after value=x>");
  EXPECT_EQ(Names(page.ObjectParams()), (std::vector<Text>{u"method1", u"method2"}));
}

TEST(HostObjectParams, AnObjectInsideATableIsMovedOutButKeepsItsParams) {
  const HostPage page = Parse(
      "<table><object><param name=method1 value=enddoc></object><tr><td>x</td></tr></table>");
  EXPECT_EQ(Names(page.ObjectParams()), (std::vector<Text>{u"method1"}));
}

TEST(HostObjectParams, TemplateContentsAndNoscriptAreNotPartOfThePage) {
  const HostPage page = Parse(
      "<body><template><object><param name=t value=1></object></template>"
      "<noscript><object><param name=n value=1></object></noscript>"
      "<object><param name=method1 value=enddoc></object>");
  EXPECT_EQ(Names(page.ObjectParams()), (std::vector<Text>{u"method1"}));
}

TEST(HostObjectParams, ObjectsInsideSvgAreNotHtmlObjects) {
  const HostPage page =
      Parse("<svg><object><param name=s value=1></param></object></svg>"
            "<object><param name=method1 value=x></object>");
  EXPECT_EQ(Names(page.ObjectParams()), (std::vector<Text>{u"method1"}));
}

TEST(HostObjectParams, APageWithoutObjectRaisesAFailureTheIntakeCanShow) {
  const HostPage page = Parse("<html><body><param name=method1 value=enddoc></body></html>");
  EXPECT_FALSE(page.HasObject());
  try {
    (void)page.ObjectParams();
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Description(), NoObjectElementDescription());
    EXPECT_NE(failure.Description().find(u"OBJECT"), Text::npos);
  }
  EXPECT_EQ(page.Read(u"method1"), std::nullopt);
}

// The reader's bound on the PARAMs it collects counts those inside OBJECTs alone.
TEST(HostObjectParams, BeyondTheBoundOfParamsTheReadingStops) {
  const std::string html =
      "<param name=outside value=1><object><param name=a><param name=b><object><param name=c></object>"
      "<param name=d></object><noscript><object><param name=e></object></noscript>";
  const struct {
    int line;
    std::size_t bound;
    bool read;
  } cases[] = {{__LINE__, 5, true}, {__LINE__, 4, true}, {__LINE__, 3, false}, {__LINE__, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    if (c.read) {
      EXPECT_EQ(ReadPageObjects(html, c.bound).objectParams.size(), 4u);
    } else {
      EXPECT_THROW(ReadPageObjects(html, c.bound), TooManyParams);
    }
  }
  EXPECT_EQ(ReadPageObjects("<p>no objects</p>", 0).objects.size(), 0u);
}

TEST(HostObjectParams, AnObjectWithoutParamsGivesAnEmptyList) {
  EXPECT_TRUE(Parse("<object></object>").ObjectParams().empty());
  EXPECT_THROW((void)Parse("").ObjectParams(), Failure);
}

TEST(HostPropertyBag, NamesMatchWithoutAsciiCase) {
  const HostPage page = Parse("<object><param name=CmdProperty value='発行,120'></object>");
  EXPECT_EQ(page.Read(u"CmdProperty"), Text(u"発行,120"));
  EXPECT_EQ(page.Read(u"cmdproperty"), Text(u"発行,120"));
  EXPECT_EQ(page.Read(u"CMDPROPERTY"), Text(u"発行,120"));
  EXPECT_EQ(page.Read(u"CmdPropert"), std::nullopt);
  EXPECT_EQ(page.Read(u"CmdProperty "), std::nullopt);
}

TEST(HostPropertyBag, OnlyAsciiLettersFoldCase) {
  const HostPage page = Parse("<object><param name='Ｍｏｄｅ' value=1><param name='É' value=2></object>");
  EXPECT_EQ(page.Read(u"Ｍｏｄｅ"), Text(u"1"));
  EXPECT_EQ(page.Read(u"ｍｏｄｅ"), std::nullopt);
  EXPECT_EQ(page.Read(u"é"), std::nullopt);
}

TEST(HostPropertyBag, TheFirstParamOfANameWins) {
  const HostPage page = Parse(
      "<object><param name=Mode value=1><param name=MODE value=0><param name=mode value=2>"
      "</object>");
  EXPECT_EQ(page.Read(u"mode"), Text(u"1"));
}

TEST(HostPropertyBag, AnEmptyValueIsStillAProperty) {
  const HostPage page = Parse("<object><param name=Mode value=''><param name=pMode></object>");
  EXPECT_EQ(page.Read(u"Mode"), Text());
  EXPECT_EQ(page.Read(u"pMode"), Text());
}

TEST(HostPropertyBag, HoldsOnlyTheControlsOwnParams) {
  const HostPage page = Parse(
      "<object id=other><param name=other value=1></object>"
      "<object id=ctl><param name=method1 value=enddoc>"
      "<object id=child><param name=nested value=2></object></object>");
  // In the document, but not the control's.
  EXPECT_EQ(Names(page.ObjectParams()), (std::vector<Text>{u"other", u"method1", u"nested"}));
  EXPECT_EQ(page.Read(u"method1"), Text(u"enddoc"));
  EXPECT_EQ(page.Read(u"other"), std::nullopt);
  EXPECT_EQ(page.Read(u"nested"), std::nullopt);
}

TEST(HostControlChoice, TheFirstObjectWithAMethodParam) {
  const HostPage page = Parse(
      "<object id=movie><param name=src value=a.swf></object>"
      "<object id=ctl1><param name=METHOD1 value=newpage></object>"
      "<object id=ctl2><param name=method1 value=enddoc></object>");
  ASSERT_NE(page.ControlObject(), nullptr);
  EXPECT_EQ(page.ControlObject()->id, Text(u"ctl1"));
  EXPECT_EQ(page.Read(u"method1"), Text(u"newpage"));
}

// The choice takes a PARAM for a method line exactly when the property reading does.
TEST(HostControlChoice, AnObjectIsAControlByTheReadingsOwnMethodLineRule) {
  const struct Case {
    int line;
    std::string firstObjectParam;  // the name of the only PARAM of the first OBJECT
    Text chosen;
  } cases[] = {
      {__LINE__, "MethodCnt", u"ctl"},
      {__LINE__, "methodcnt5", u"ctl"},
      {__LINE__, "METHODCNT", u"ctl"},
      {__LINE__, "method", u"first"},
      {__LINE__, "METHOD2", u"first"},
      {__LINE__, "methodcount", u"first"},  // its first nine letters are not "methodcnt"
      {__LINE__, "methoD_cnt", u"first"},
      {__LINE__, "metho", u"ctl"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const HostPage page = Parse("<object id=first><param name=" + c.firstObjectParam +
                                " value=1></object><object id=ctl><param name=method1 value=enddoc></object>");
    ASSERT_NE(page.ControlObject(), nullptr);
    EXPECT_EQ(page.ControlObject()->id, c.chosen);
  }
}

TEST(HostControlChoice, WithoutMethodParamsTheFirstObject) {
  const HostPage page =
      Parse("<object id=first><param name=Mode value=1></object><object id=second></object>");
  ASSERT_NE(page.ControlObject(), nullptr);
  EXPECT_EQ(page.ControlObject()->id, Text(u"first"));
  EXPECT_EQ(page.Read(u"Mode"), Text(u"1"));
}

TEST(HostControlChoice, AMethodParamOfANestedObjectBelongsToThatObject) {
  const HostPage page = Parse(
      "<object id=outer><param name=Mode value=1>"
      "<object id=inner><param name=method1 value=enddoc></object></object>");
  EXPECT_EQ(page.ControlObject()->id, Text(u"inner"));
  EXPECT_EQ(page.Read(u"Mode"), std::nullopt);
}

TEST(HostControlChoice, AnIdPicksTheObject) {
  const std::string html =
      "<object id=ctl1><param name=method1 value=newpage></object>"
      "<object id=ctl2><param name=method1 value=enddoc><param name=Mode value=1></object>"
      "<object id=ctl2><param name=method1 value=second></object>";
  const HostPage page = Parse(html, u"ctl2");
  EXPECT_EQ(page.Read(u"method1"), Text(u"enddoc"));  // the first element with the id
  EXPECT_EQ(page.Read(u"Mode"), Text(u"1"));
  // The document side does not depend on the choice.
  EXPECT_EQ(page.ObjectParams().size(), 4u);
}

TEST(HostControlChoice, AnIdMatchesExactly) {
  const std::string html = "<object id=Ctl><param name=method1 value=enddoc></object>";
  EXPECT_THROW(Parse(html, u"ctl"), HostObjectNotFound);
  EXPECT_THROW(Parse(html, u""), HostObjectNotFound);
  EXPECT_THROW(Parse("<p id=x></p>", u"x"), HostObjectNotFound);
  try {
    Parse(html, u"帳票");
    FAIL() << "no error";
  } catch (const HostObjectNotFound& error) {
    EXPECT_EQ(error.Id(), "帳票");
    EXPECT_NE(std::string(error.what()).find("帳票"), std::string::npos);
  }
}

TEST(HostPositions, ValuesAreCountedInUtf16Units) {
  // 𠀋 lies outside the basic plane: two UTF-16 units.
  const HostPage page = Parse("<object><param name=method1 value='prntext,1,2,𠀋'></object>");
  EXPECT_EQ(page.ObjectParams()[0].value.size(), 14u);
}

// Each PARAM and the control's OBJECT carry the line of the page their start tag stands on,
// counted as an editor counts them: LF, CR LF and a lone CR each end a line, and a tag or
// a value running over several lines counts from where its start tag begins.
TEST(HostPositions, ParamsAndTheControlCarryTheLineOfTheirStartTag) {
  struct Case {
    int line;
    std::string html;
    uint32_t objectLine;
    std::vector<uint32_t> paramLines;
  };
  const Case cases[] = {
      {__LINE__, "<object id=c><param name=method1 value=enddoc></object>", 1, {1}},
      {__LINE__, "<p>\n\n<object id=c>\n<param name=method1 value=a>\n<param name=method2 value=b>", 3, {4, 5}},
      {__LINE__, "<p>\r\n<object id=c>\r\n\r\n<param name=method1 value=a>", 2, {4}},
      {__LINE__, "\r\r<object id=c>\r<param name=method1 value=a>", 3, {4}},
      {__LINE__, "<object id=c><param name=method1 value='a\nb\nc'>\n<param name=method2 value=d>", 1, {1, 4}},
      {__LINE__, "<object\nid=c><param\nname=method1\nvalue=a>", 1, {2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const HostPage page = Parse(c.html);
    ASSERT_NE(page.ControlObject(), nullptr);
    EXPECT_EQ(page.ControlObject()->line, c.objectLine);
    std::vector<uint32_t> lines;
    for (const ParamElement& param : page.ObjectParams()) lines.push_back(param.line);
    EXPECT_EQ(lines, c.paramLines);
  }
}

TEST(HostDeepMarkup, ThousandsOfNestedElementsDoNotExhaustTheStack) {
  std::string html = "<object id=ctl><param name=method1 value=enddoc>";
  for (int i = 0; i < 10000; ++i) html += "<div><span>";
  html += "<param name=method2 value=newpage>";
  const HostPage page = Parse(html);
  EXPECT_EQ(Names(page.ObjectParams()), (std::vector<Text>{u"method1", u"method2"}));
}

}  // namespace
}  // namespace vant::platform
