#include "control/prn_ctl.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/module_state.h"
#include "engine/page_record.h"
#include "fake_host.h"
#include "fake_platform.h"

namespace vant {
namespace {

class CountingPreview final : public PreviewOpener {
 public:
  void OpenModal(Platform& platform) override {
    ++opened;
    buttonEnabledWhileOpen = view->preview.Enabled();
    if (changeTo >= 0) platform.printer.Installed().MakeCurrent(changeTo);
    if (fail) throw Failure(u"プリンター情報が取得できません!");
  }
  test::FakeView* view = nullptr;
  int opened = 0;
  bool buttonEnabledWhileOpen = true;
  int changeTo = -1;
  bool fail = false;
};

test::PrinterSpec Named(const char16_t* name) {
  test::PrinterSpec spec;
  spec.name = name;
  return spec;
}

class Control : public ::testing::Test {
 protected:
  Control() : fake({Named(u"Office"), Named(u"Label")}) { preview.view = &view; }
  void Load() { control.ReadProperties(page.document, page.bag); }
  int Count(const std::string& event, int printer = 0) {
    const auto& events = fake.printers.Recording(printer).events;
    return static_cast<int>(std::count(events.begin(), events.end(), event));
  }

  test::FakePlatform fake;
  test::FakeView view;
  CountingPreview preview;
  test::FakePage page;
  PrnCtl control{fake.platform, view, preview};
};

TEST_F(Control, ShowingLaysOutTheButtons) {
  page.Add(u"CmdProperty", u"発行,150");
  Load();
  control.Show();
  EXPECT_EQ(view.print.Caption(), u"発行");
  EXPECT_EQ(view.print.Width(), 150);
  EXPECT_EQ(view.print.Height(), 33);
  EXPECT_EQ(view.preview.Left(), 8 + 155);
  EXPECT_EQ(view.preview.Caption(), u"印刷プレビュー");
  EXPECT_EQ(view.preview.Width(), 108);
  EXPECT_EQ(view.preview.Top(), 8);
}

TEST_F(Control, DefaultCaptionAndSizes) {
  Load();
  control.Show();
  EXPECT_EQ(view.print.Caption(), u"印刷");
  EXPECT_EQ(view.print.Width(), 108);
  EXPECT_EQ(view.print.Height(), 33);
  EXPECT_EQ(view.preview.Left(), 121);
}

TEST_F(Control, ANegativeWidthIsReportedAndTheRestOfTheLayoutStillRuns) {
  page.Add(u"CmdProperty", u"発行,-5,20");
  Load();
  control.Show();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].title, u"エラー");
  EXPECT_EQ(view.print.Height(), 20);
  EXPECT_EQ(view.preview.Caption(), u"印刷プレビュー");
}

TEST_F(Control, RunModeZeroPrintsNothingWhenShown) {
  page.AddMethods({u"prntext,1,1,x", u"enddoc"});
  Load();
  control.Show();
  EXPECT_EQ(Count("enddoc"), 0);
}

TEST_F(Control, RunModeOnePrintsOnceWhenShown) {
  page.AddMethods({u"prntext,1,1,x", u"enddoc"});
  page.Add(u"Mode", u"1");
  Load();
  control.Show();
  control.Show();
  EXPECT_EQ(Count("enddoc"), 1);
  EXPECT_EQ(fake.state.engine.nextMethod, 3);  // the automatic run does not reset it
  // The first click after the automatic run only resets; the second prints.
  control.PrintClick();
  EXPECT_EQ(Count("enddoc"), 1);
  control.PrintClick();
  EXPECT_EQ(Count("enddoc"), 2);
}

TEST_F(Control, AHeldShowLaysOutTheButtonsAndLeavesTheListForTheNextShowOrClick) {
  page.AddMethods({u"prntext,1,1,x", u"enddoc"});
  page.Add(u"Mode", u"1");
  page.Add(u"CmdProperty", u"発行,150");
  Load();
  control.Show(AutomaticRun::kHeld);
  EXPECT_EQ(Count("enddoc"), 0);
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_EQ(view.print.Caption(), u"発行");
  EXPECT_EQ(view.preview.Left(), 8 + 155);
  // Nothing was run: the click prints at once, and a show that may run still runs the list.
  control.PrintClick();
  EXPECT_EQ(Count("enddoc"), 1);
  control.Show();
  EXPECT_EQ(Count("enddoc"), 2);
}

TEST_F(Control, AHeldShowBeforeAnyReadingSaysNothing) {
  fake.state.control.runMode = 1;
  control.Show(AutomaticRun::kHeld);
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(view.print.Caption(), u"印刷");
}

TEST_F(Control, AStoppedAutomaticRunAddsItsOwnMessageAndRunsAgainFromTheFailure) {
  page.AddMethods({u"enddoc", u"prnbux"});
  page.Add(u"Mode", u"1");
  Load();
  control.Show();
  ASSERT_EQ(fake.messages.shown.size(), 2u);
  EXPECT_EQ(fake.messages.shown[0].title, u"エラー");
  EXPECT_EQ(fake.messages.shown[1].text, u"エラーが発生した為、印刷を中止しました!");
  EXPECT_EQ(fake.messages.shown[1].title, u"印刷中止");
  EXPECT_EQ(fake.messages.shown[1].icon, MessageIcon::kInformation);
  EXPECT_EQ(fake.state.engine.nextMethod, 2);
  control.Show();  // runs again from method 2
  EXPECT_EQ(Count("enddoc"), 1);
  EXPECT_EQ(fake.messages.shown.size(), 4u);
}

TEST_F(Control, NothingToPrintBeforeAnyReading) {
  fake.state.control.runMode = 1;
  control.Show();
  control.PrintClick();
  control.PreviewClick();
  ASSERT_EQ(fake.messages.shown.size(), 3u);
  for (const auto& m : fake.messages.shown) {
    EXPECT_EQ(m.text, u"印刷対象がありません!");
    EXPECT_EQ(m.title, u"");
    EXPECT_EQ(m.icon, MessageIcon::kInformation);
  }
  EXPECT_EQ(preview.opened, 0);
  EXPECT_TRUE(view.preview.Enabled());
}

TEST_F(Control, PrintClickedTwicePrintsTwiceWithTheHourglass) {
  page.AddMethods({u"prntext,1,1,x", u"enddoc"});
  Load();
  control.PrintClick();
  control.PrintClick();
  EXPECT_EQ(Count("enddoc"), 2);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_EQ(fake.pointer.history, (std::vector<int16_t>{11, 0, 11, 0}));
}

TEST_F(Control, ChangePrinterInTheListIsUndoneAfterThePrintClick) {
  page.AddMethods({u"changeprinter, Label ", u"prntext,1,1,x", u"enddoc"});
  Load();
  control.PrintClick();
  EXPECT_EQ(Count("enddoc", 1), 1);  // the document went to the selected printer
  EXPECT_EQ(Count("enddoc", 0), 0);
  EXPECT_EQ(fake.printers.CurrentIndex(), 0);
}

TEST_F(Control, PreviewClickDisablesTheButtonWhileOpenAndRestoresThePrinter) {
  Load();
  preview.changeTo = 1;
  control.PreviewClick();
  EXPECT_EQ(preview.opened, 1);
  EXPECT_FALSE(preview.buttonEnabledWhileOpen);
  EXPECT_TRUE(view.preview.Enabled());
  EXPECT_EQ(fake.printers.CurrentIndex(), 0);
}

TEST_F(Control, AFailedReadingLeavesThePreviewButtonUsable) {
  page.document.noWebPage = true;
  Load();
  control.PreviewClick();
  EXPECT_EQ(preview.opened, 1);
  EXPECT_FALSE(view.print.Enabled());
}

TEST_F(Control, AFailureWhileThePreviewLoadsIsSaidAndTheButtonComesBack) {
  Load();
  preview.fail = true;
  control.PreviewClick();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, u"プリンター情報が取得できません!");
  EXPECT_TRUE(view.preview.Enabled());
}

}  // namespace
}  // namespace vant
