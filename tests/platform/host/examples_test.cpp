// The example pages: each reads without an "Error" box and prints to the end without a
// stop, in the encoding it is written in.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "control/intake.h"
#include "draw/method_commands.h"
#include "engine/module_state.h"
#include "engine/run_driver.h"
#include "fake_host.h"
#include "fake_platform.h"
#include "platform/host/host_page_loader.h"

namespace vant::platform {
namespace {

const std::filesystem::path kExamples = VANT_EXAMPLES_DIR;

struct PrintedExample {
  ControlState state;
  std::vector<std::string> events;
  std::vector<test::ShownMessage> messages;
  int16_t result = -1;
};

PrintedExample ReadAndPrint(const LoadedHostPage& loaded) {
  test::FakePlatform platform;
  test::FakeView view;
  PrintedExample printed;
  ReadProperties(platform.state.control, loaded.page, loaded.page, view, platform.messages);
  EXPECT_TRUE(view.print.Enabled());
  printed.state = platform.state.control;
  printed.result = RunMethods(platform.platform, platform.printer, 0, MethodCommands());
  printed.events = platform.Current().events;
  printed.messages = platform.messages.shown;
  return printed;
}

bool Has(const std::vector<std::string>& events, const std::string& event) {
  return std::find(events.begin(), events.end(), event) != events.end();
}

TEST(HostExamples, InvoiceIsTwoA4PagesInUtf8) {
  const LoadedHostPage loaded = LoadHostPage(kExamples / "invoice.html");
  EXPECT_EQ(loaded.encoding, PageEncoding::kUtf8);
  EXPECT_EQ(loaded.replacedSequences, 0u);
  EXPECT_EQ(loaded.baseName, "invoice");
  const PrintedExample printed = ReadAndPrint(loaded);
  EXPECT_TRUE(printed.messages.empty());
  EXPECT_EQ(printed.result, kRunCompleted);
  EXPECT_EQ(printed.state.methodCount, 72);
  EXPECT_EQ(printed.state.methodList[3].field[0], u"scalemode");
  EXPECT_EQ(printed.state.methodList[17].field[3], u"¥165,000－");  // the escaped comma
  EXPECT_EQ(printed.state.methodList[4].field[4], u"ＭＳ 明朝");
  EXPECT_EQ(printed.state.methodList[24].field[4], u"ＭＳ ゴシック");
  EXPECT_EQ(printed.state.methodList[69].field[0], u"prnjan13");
  EXPECT_EQ(printed.state.printCaption, u"請求書印刷");
  EXPECT_EQ(printed.state.printButtonWidth, 140);
  EXPECT_EQ(printed.state.printButtonHeight, 32);
  EXPECT_EQ(printed.state.runMode, 0);
  EXPECT_TRUE(Has(printed.events, "papersize=9"));
  EXPECT_EQ(std::count(printed.events.begin(), printed.events.end(), "newpage"), 1);
  EXPECT_EQ(printed.events.back(), "enddoc");
}

TEST(HostExamples, ShippingLabelIsShiftJisOnA5WithoutMode) {
  const LoadedHostPage loaded = LoadHostPage(kExamples / "shipping-label.html");
  EXPECT_EQ(loaded.encoding, PageEncoding::kShiftJis);
  EXPECT_EQ(loaded.replacedSequences, 0u);
  EXPECT_EQ(loaded.page.Read(u"Mode"), std::nullopt);
  EXPECT_EQ(loaded.page.Read(u"pMode"), std::nullopt);
  const PrintedExample printed = ReadAndPrint(loaded);
  EXPECT_TRUE(printed.messages.empty());
  EXPECT_EQ(printed.result, kRunCompleted);
  EXPECT_EQ(printed.state.methodCount, 31);
  EXPECT_EQ(printed.state.methodList[22].field[3], u"品名：印刷物（ソフト梱包・価格表同梱）");
  EXPECT_EQ(printed.state.methodList[28].field[0], u"prnnw7");
  EXPECT_EQ(printed.state.methodList[30].field[0], u"prncode39");
  EXPECT_EQ(printed.state.printCaption, u"送り状印刷");  // from pCmdProperty
  EXPECT_EQ(printed.state.runMode, 0);
  EXPECT_TRUE(Has(printed.events, "papersize=11"));
  EXPECT_EQ(printed.events.back(), "enddoc");
}

TEST(HostExamples, DeliveryNoteIsEucJpLandscapeWithItsIssueButton) {
  const LoadedHostPage loaded = LoadHostPage(kExamples / "delivery-note.html");
  EXPECT_EQ(loaded.encoding, PageEncoding::kEucJp);
  EXPECT_EQ(loaded.replacedSequences, 0u);
  const PrintedExample printed = ReadAndPrint(loaded);
  EXPECT_TRUE(printed.messages.empty());
  EXPECT_EQ(printed.result, kRunCompleted);
  EXPECT_EQ(printed.state.methodCount, 54);
  EXPECT_EQ(printed.state.methodList[2].field[1], u"横");
  EXPECT_EQ(printed.state.methodList[14].field[0], u"prncircle");
  EXPECT_EQ(printed.state.printCaption, u"発行");
  EXPECT_EQ(printed.state.printButtonWidth, 120);
  EXPECT_EQ(printed.state.printButtonHeight, 0);
  EXPECT_TRUE(Has(printed.events, "orientation=2"));
  EXPECT_EQ(printed.events.back(), "enddoc");
}

}  // namespace
}  // namespace vant::platform
