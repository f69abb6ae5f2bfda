// `vant methods PAGE`: the page read as the control reads its properties, printed as one
// JSON object; a failed reading shows its "Error" box first and still prints what was
// stored. A Shift_JIS page reads the same as its UTF-8 twin.
#include <gtest/gtest.h>


#include "host_pages.h"
#include "vant_process.h"

namespace vant::test {
namespace {

// A method's ten fields as the JSON writes them; fields not given are empty.
std::string Fields(std::vector<std::string> fields) {
  fields.resize(10);
  std::string json = "[";
  for (size_t i = 0; i < fields.size(); ++i) json += (i ? ", \"" : "\"") + fields[i] + "\"";
  return json + "]";
}

struct Settings {
  std::string caption;
  int width = 0;
  int height = 0;
  int mode = 0;
};

std::string Json(const std::vector<std::string>& methods, const Settings& s = {}) {
  std::string json = "{\"paramsLoaded\": true, \"methodCount\": " + std::to_string(methods.size()) + ", \"methods\": [";
  for (size_t i = 0; i < methods.size(); ++i) json += (i ? ", " : "") + methods[i];
  return json + "], \"printCaption\": \"" + s.caption + "\", \"printButtonWidth\": " + std::to_string(s.width) +
         ", \"printButtonHeight\": " + std::to_string(s.height) + ", \"runMode\": " + std::to_string(s.mode) + "}\n";
}

class VantMethodsTest : public testing::Test {
 protected:
  // Runs `vant methods` on the page; standard error in the same stream, in order.
  VantResult Methods(const std::string& html, const std::vector<std::string>& extra = {}) {
    WriteFile(dir_ / "page.html", html);
    std::vector<std::string> args{"methods", (dir_ / "page.html").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    VantOptions options;
    options.workDir = dir_.Path();
    options.mergeOutput = true;
    return RunVant(args, options);
  }

  TempDir dir_;
};

TEST_F(VantMethodsTest, EscapedCommasComeBackOnlyInTheTextField) {
  const VantResult r = Methods(HostPage(MethodParams({
      "prntext,10,20,A,,B,,C",
      "prntext,10,20,T,MS,,Gothic",
      "prnbox,10,,20",
      "prntext,10,20,,,,x",
      "a,,,b",
  })));
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, Json({
                       Fields({"prntext", "10", "20", "A,B,C"}),
                       Fields({"prntext", "10", "20", "T", "MS$カンマ$Gothic"}),
                       Fields({"prnbox", "10$カンマ$20"}),
                       Fields({"prntext", "10", "20$カンマ$$カンマ$x"}),
                       Fields({"a$カンマ$", "b"}),
                   }));
}

TEST_F(VantMethodsTest, BlanksStayAndMissingFieldsAreEmpty) {
  const VantResult r = Methods(HostPage(MethodParams({
      "a, ,b,",
      " newpage ",
      "newpage",
      "x,1,2,3,4,5,6,7,8,9,10,11",
      "prntext,\t10 , 20,say \"hi\" & <bye>",
  })));
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, Json({
                       Fields({"a", " ", "b", ""}),
                       Fields({" newpage "}),
                       Fields({"newpage"}),
                       Fields({"x", "1", "2", "3", "4", "5", "6", "7", "8", "9"}),
                       Fields({"prntext", "\\u000910 ", " 20", "say \\\"hi\\\" & <bye>"}),
                   }));
}

TEST_F(VantMethodsTest, MethodNamesAreMatchedWithoutCaseAndRunInDocumentOrder) {
  const VantResult r = Methods(HostPage({
      {"method7", "first"},
      {"METHOD2", "second"},
      {"Method", "third"},
      {"MethodCnt", "not a method"},
      {"methodcnt5", "not a method"},
      {"methodcount", "fourth"},
      {"meth", "not a method"},
      {"method1", "fifth"},
  }));
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, Json({Fields({"first"}), Fields({"second"}), Fields({"third"}), Fields({"fourth"}),
                         Fields({"fifth"})}));
}

TEST_F(VantMethodsTest, TheButtonSettingsAndTheRunMode) {
  struct Case {
    std::vector<Param> params;
    Settings expected;
  };
  const std::vector<Case> cases = {
      {{{"CmdProperty", "発行,120"}, {"Mode", "1"}}, {"発行", 120, 0, 1}},
      {{{"CmdProperty", "発行,120,30"}, {"Mode", "1.5"}}, {"発行", 120, 30, 2}},
      // Four parts set nothing at all; a tie goes to the even number.
      {{{"CmdProperty", "発行,120,30,x"}, {"Mode", "2.5"}}, {"", 0, 0, 2}},
      {{{"CmdProperty", ""}, {"pCmdProperty", "送り状印刷,110,28"}, {"pMode", "1"}}, {"送り状印刷", 110, 28, 1}},
      {{{"pCmdProperty", "後"}, {"CmdProperty", "先"}, {"Mode", "abc"}, {"pMode", "1"}}, {"先", 0, 0, 0}},
      {{{"cmdproperty", "小文字"}, {"Mode", "&H1"}}, {"小文字", 0, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.params[0].value);
    std::vector<Param> params = MethodParams({"enddoc"});
    params.insert(params.end(), c.params.begin(), c.params.end());
    const VantResult r = Methods(HostPage(params));
    EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
    EXPECT_EQ(r.out, Json({Fields({"enddoc"})}, c.expected));
  }
}

// Nothing is read from a page without OBJECT (an empty file among them): the error box
// alone, and no JSON that would say the properties were loaded.
TEST_F(VantMethodsTest, APageWithoutObjectShowsTheErrorBoxAndNoJson) {
  for (const std::string& html : {std::string("<html><body><p>no control here</p><param name=\"method1\" value=\"newpage\"></body></html>\n"),
                                 std::string()}) {
    const VantResult r = Methods(html);
    EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
    EXPECT_EQ(r.out, "[critical] Error\nページに OBJECT 要素がありません\n\n");
  }
}

TEST_F(VantMethodsTest, AnOverflowingWidthKeepsWhatWasReadBeforeIt) {
  std::vector<Param> params = MethodParams({"newpage"});
  params.push_back({"CmdProperty", "発行,32768,10"});
  params.push_back({"Mode", "1"});
  const VantResult r = Methods(HostPage(params));
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  // The caption was stored before the width failed; the run mode is never read.
  EXPECT_EQ(r.out, "[critical] Error\nオーバーフローしました。\n\n" + Json({Fields({"newpage"})}, {"発行", 0, 0, 0}));
}

std::string NewpagePage(int count) {
  std::string page = "<html><body><object id=\"c\">\n";
  for (int i = 1; i <= count; ++i) page += "<param name=\"method" + std::to_string(i) + "\" value=\"newpage\">\n";
  return page + "</object></body></html>\n";
}

TEST_F(VantMethodsTest, The32766thMethodIsTheLastThatFits) {
  const VantResult full = Methods(NewpagePage(32766));
  EXPECT_TRUE(full.exited && full.status == 0) << full.Describe().substr(0, 2000);
  EXPECT_EQ(full.out.rfind("{\"paramsLoaded\": true, \"methodCount\": 32766, \"methods\": [", 0), 0u);

  // One more overflows during the enumeration: the count keeps its value from before.
  const VantResult over = Methods(NewpagePage(32767));
  EXPECT_TRUE(over.exited && over.status == 1) << over.Describe().substr(0, 2000);
  EXPECT_EQ(over.out, "[critical] Error\nオーバーフローしました。\n\n" + Json({}));
}

TEST_F(VantMethodsTest, TheMethodsComeFromTheWholePageTheSettingsFromTheChosenObject) {
  const std::string page =
      "<html><body>\n"
      "<object id=\"Invoice\"><param name=\"method1\" value=\"prntext,1,1,invoice\">"
      "<param name=\"CmdProperty\" value=\"請求書\"></object>\n"
      "<object id=\"Label\"><param name=\"methodA\" value=\"newpage\">"
      "<param name=\"CmdProperty\" value=\"ラベル\"></object>\n"
      "</body></html>\n";
  // Without an id the first OBJECT with methods is the control: the other OBJECT's PARAM
  // is in the document but not in the control's property bag.
  const VantResult first = Methods(page);
  EXPECT_TRUE(first.exited && first.status == 0) << first.Describe();
  EXPECT_EQ(first.out, Json({Fields({"prntext", "1", "1", "invoice"})}, {"請求書"}));

  const VantResult label = Methods(page, {"--object", "Label"});
  EXPECT_TRUE(label.exited && label.status == 0) << label.Describe();
  EXPECT_EQ(label.out, Json({Fields({"newpage"})}, {"ラベル"}));
}

TEST_F(VantMethodsTest, AnObjectWithAMethodCountAloneIsNotTheControl) {
  // A method count PARAM is no method line: the control is the OBJECT after it.
  const VantResult r = Methods(
      "<object id=\"Count\"><param name=\"MethodCnt\" value=\"2\"></object>\n"
      "<object id=\"Invoice\"><param name=\"method1\" value=\"papersize,a4\">"
      "<param name=\"method2\" value=\"enddoc\"><param name=\"CmdProperty\" value=\"発行\"></object>\n");
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, Json({Fields({"papersize", "a4"}), Fields({"enddoc"})}, {"発行"}));
}

TEST_F(VantMethodsTest, TheShiftJisExampleReadsAsItsUtf8Twin) {
  const std::string shiftJis = ReadFile(std::filesystem::path(VANT_EXAMPLES_DIR) / "shipping-label.html");
  const std::string twin = Utf8Twin(shiftJis, "CP932", "charset=Shift_JIS");
  const VantResult fromShiftJis = Methods(shiftJis);
  const VantResult fromUtf8 = Methods(twin);
  EXPECT_TRUE(fromShiftJis.exited && fromShiftJis.status == 0) << fromShiftJis.Describe();
  EXPECT_TRUE(fromUtf8.exited && fromUtf8.status == 0) << fromUtf8.Describe();
  EXPECT_EQ(fromShiftJis.out, fromUtf8.out);
  // Japanese text in both the method list and the button caption.
  EXPECT_NE(fromShiftJis.out.find("\"宅配便 送り状（発払い）\""), std::string::npos) << fromShiftJis.out;
  EXPECT_NE(fromShiftJis.out.find("\"printCaption\": \"送り状印刷\""), std::string::npos) << fromShiftJis.out;
}

TEST_F(VantMethodsTest, TheEucJpExampleReadsAsItsUtf8Twin) {
  const std::string eucJp = ReadFile(std::filesystem::path(VANT_EXAMPLES_DIR) / "delivery-note.html");
  // EUC-JP pages carry the Windows extensions as well.
  const std::string twin = Utf8Twin(eucJp, "EUC-JP-MS", "charset=\"EUC-JP\"");
  const VantResult fromEucJp = Methods(eucJp);
  const VantResult fromUtf8 = Methods(twin);
  EXPECT_TRUE(fromEucJp.exited && fromEucJp.status == 0) << fromEucJp.Describe();
  EXPECT_TRUE(fromUtf8.exited && fromUtf8.status == 0) << fromUtf8.Describe();
  EXPECT_EQ(fromEucJp.out, fromUtf8.out);
  EXPECT_NE(fromEucJp.out.find("\"printCaption\": \"発行\", \"printButtonWidth\": 120"), std::string::npos)
      << fromEucJp.out;
}

TEST_F(VantMethodsTest, AUtf16PageIsKnownByItsByteOrderMark) {
  const std::string utf8 = ReadFile(std::filesystem::path(VANT_EXAMPLES_DIR) / "invoice.html");
  const VantResult fromUtf8 = Methods(utf8);
  ASSERT_TRUE(fromUtf8.exited && fromUtf8.status == 0) << fromUtf8.Describe();
  EXPECT_NE(fromUtf8.out.find("\"methodCount\": "), std::string::npos);
  const VantResult littleEndian = Methods("\xff\xfe" + Reencoded(utf8, "UTF-8", "UTF-16LE"));
  const VantResult bigEndian = Methods("\xfe\xff" + Reencoded(utf8, "UTF-8", "UTF-16BE"));
  EXPECT_EQ(littleEndian.out, fromUtf8.out) << littleEndian.Describe();
  EXPECT_EQ(bigEndian.out, fromUtf8.out) << bigEndian.Describe();
  // Without its mark the same bytes are no text.
  const VantResult unmarked = Methods(Reencoded(utf8, "UTF-8", "UTF-16LE"));
  EXPECT_TRUE(unmarked.exited && unmarked.status == 2) << unmarked.Describe();
  EXPECT_NE(unmarked.out.find("テキストではありません"), std::string::npos) << unmarked.out;
}

}  // namespace
}  // namespace vant::test
