// The live document as its controls read it, and the name the page gives its files.
#include "platform/browser/browser_document.h"

#include <gtest/gtest.h>

#include <vector>

#include "control/held_buttons.h"
#include "control/intake.h"
#include "engine/module_state.h"

namespace vant::browser {
namespace {

class KeptBoxes final : public MessageBoxes {
 public:
  void Show(const Text& text, MessageIcon, const Text& title) override { shown.push_back(title + u": " + text); }
  std::vector<Text> shown;
};

// What one property reading leaves: the control's state, the boxes it showed, the print
// button's state.
struct Reading {
  ControlState state;
  std::vector<Text> shown;
  bool printEnabled = true;

  bool operator==(const Reading& other) const {
    const auto same = [](const ControlState& a, const ControlState& b) {
      return a.paramsLoaded == b.paramsLoaded && a.runMode == b.runMode && a.methodCount == b.methodCount &&
             a.printCaption == b.printCaption && a.printButtonWidth == b.printButtonWidth &&
             a.printButtonHeight == b.printButtonHeight &&
             std::equal(a.methodList.begin(), a.methodList.begin() + a.methodCount + 1, b.methodList.begin(),
                        b.methodList.begin() + b.methodCount + 1);
    };
    return same(state, other.state) && shown == other.shown && printEnabled == other.printEnabled;
  }
};

Reading Read(const HostDocument& document, const PropertyBag& bag) {
  ControlState state;  // each reading starts from a new process's state
  HeldButtonsView view;
  KeptBoxes boxes;
  ReadProperties(state, document, bag, view, boxes);
  return {state, boxes.shown, view.print.Enabled()};
}

platform::HostObject Object(std::vector<std::size_t> params, std::optional<Text> id = std::nullopt) {
  platform::HostObject object;
  object.id = std::move(id);
  object.params = std::move(params);
  return object;
}

TEST(BrowserPage, EachControlReadsWhatItWouldReadFromTheWholeDocument) {
  struct Case {
    int line;
    platform::PageObjects page;
    std::size_t controls;
  };
  const std::vector<Case> cases = {
      // Three controls sharing method names: each takes the document's PARAMs its bag names,
      // other OBJECTs' method PARAMs included; CmdProperty, Mode and the others only from
      // its own bag.
      {__LINE__,
       {{Object({0, 1, 2, 3, 4}, u"A"), Object({5, 6, 7}, u"B"), Object({8, 9})},
        {{u"CmdProperty", u"発行,100,30"}, {u"method1", u"papersize,a4"}, {u"x", u"1"}, {u"Mode", u"1"},
         {u"method2", u"enddoc"}, {u"METHOD1", u"newpage"}, {u"pMode", u"0"}, {u"methodcnt", u"2"},
         {u"method2", u"prntext,1,1,other"}, {u"cmdproperty", u"別"}}},
       3},
      // No OBJECT holds a method PARAM: the first is the control, and reads nothing.
      {__LINE__, {{Object({0}), Object({1})}, {{u"CmdProperty", u"印刷"}, {u"Mode", u"1"}}}, 1},
      // A method PARAM of another control named as one of this control's: read with the
      // document's value, in the document's order.
      {__LINE__, {{Object({0, 1}), Object({2})}, {{u"method1", u"newpage"}, {u"Method2", u"enddoc"}, {u"method2", u"x"}}},
       2},
  };
  for (const Case& c : cases) {
    const BrowserPage page(c.page);
    ASSERT_EQ(page.Controls(), platform::ControlObjectIndexes(c.page)) << "line " << c.line;
    ASSERT_EQ(page.Controls().size(), c.controls) << "line " << c.line;
    for (const std::size_t index : page.Controls()) {
      const platform::HostPage whole = platform::HostPage::FromObjects(c.page, index);
      const Reading expected = Read(whole, whole);
      EXPECT_EQ(Read(page.Document(), page.Bag(index)), expected) << "line " << c.line << " object " << index;
    }
    // The document handed to the readings holds the method PARAMs alone, in order.
    std::vector<Text> methods, handed;
    for (const ParamElement& param : c.page.objectParams) {
      if (IsMethodName(param.name)) methods.push_back(param.value);
    }
    for (const ParamElement& param : page.Document().ObjectParams()) handed.push_back(param.value);
    EXPECT_EQ(handed, methods) << "line " << c.line;
  }
  EXPECT_THROW((void)BrowserPage(cases[0].page).Bag(3), std::out_of_range);
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

TEST(BrowserDocument, FileNamesKeepNoCharacterThatChangesHowTheNameShows) {
  // From the title and from the URL alike; each format character stands where it was, as
  // "_", so that nothing reorders or hides a part of the name.
  const std::vector<NameCase> cases = {
      {__LINE__, u"", u"invoice\u202Efdp.exe", u"invoice_fdp.exe"},                 // right-to-left override
      {__LINE__, u"", u"a\u202Ab\u202Bc\u202Cd\u202De", u"a_b_c_d_e"},           // embeddings, pop
      {__LINE__, u"", u"a\u2066b\u2067c\u2068d\u2069e", u"a_b_c_d_e"},           // isolates
      {__LINE__, u"", u"\u200Fx\u200Ey\u061Cz", u"_x_y_z"},                       // marks
      {__LINE__, u"", u"請\u200B求\u200C書\u200D", u"請_求_書_"},                  // zero width
      {__LINE__, u"", u"\uFEFF請求書", u"_請求書"},                                  // byte order mark
      {__LINE__, u"", u"soft\u00ADhyphen\u2060joined", u"soft_hyphen_joined"},    // other Cf
      {__LINE__, u"https://x/%E2%80%AEfdp.pdf", u"", u"_fdp"},                    // in the URL's path
      {__LINE__, u"https://x/%E2%80%8B", u"請求書", u"請求書"},                      // nothing else: the title
      {__LINE__, u"", u"\u202E\u200B\uFEFF", u"vant3"},                            // nothing at all
      // What is no format character stays: letters of right-to-left scripts, spaces.
      {__LINE__, u"", u"فاتورة 12", u"فاتورة 12"},
      {__LINE__, u"", u"請求書\u3000第1号", u"請求書\u3000第1号"},
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
