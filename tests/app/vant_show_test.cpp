// `vant show` on a private X server: the control's window comes up, its show event
// makes the automatic run of a Mode 1 page (here on the PDF printer, without a print
// server), and the program ends cleanly on SIGTERM, ending the documents still open.
#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <string>
#include <thread>

#include "host_pages.h"
#include "pdf_inspect.h"
#include "private_display.h"
#include "vant_process.h"

namespace vant::test {
namespace {

TEST(VantShowTest, TheWindowRunsTheAutomaticPrintAndEndsOnSigterm) {
  TempDir pages;
  TempDir work;
  std::vector<Param> params =
      MethodParams({"prntext,20,20,自動印刷,ＭＳ ゴシック,12,false,true,0", "prnbox,10,10,60,40,1,0,0", "enddoc"});
  params.push_back({"Mode", "1"});
  WriteFile(pages / "auto.html", HostPage(params));

  const PrivateDisplay display;
  VantOptions options;
  options.workDir = work.Path();
  options.env["DISPLAY"] = display.Name();
  options.timeout = std::chrono::seconds(60);
  VantProcess show({"show", (pages / "auto.html").string()}, options);

  // The automatic run writes the PDF when the list's enddoc runs, after the window is up.
  const auto file = work / "auto.pdf";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(45);
  while (show.Running() && !std::filesystem::exists(file) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(show.Running()) << "vant show ended by itself:\n" << show.Wait().Describe();
  ASSERT_TRUE(std::filesystem::exists(file)) << "no automatic run";

  show.Signal(SIGTERM);
  const VantResult r = show.Wait();
  EXPECT_FALSE(r.timedOut) << r.Describe();
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(InspectPdf(file).pages, 1);
  EXPECT_NE(PdfPageText(file, 1).find("自動印刷"), std::string::npos);
}

TEST(VantShowTest, ADocumentLeftOpenIsEndedWhenTheWindowIsTerminated) {
  // A Mode 1 list without enddoc leaves its document open; ending the program, by a signal
  // as by closing the window, ends it, so nothing printed is lost.
  TempDir pages;
  TempDir work;
  std::vector<Param> params = MethodParams({"prntext,20,20,開いたまま,ＭＳ ゴシック,12,false,true,0"});
  params.push_back({"Mode", "1"});
  WriteFile(pages / "open.html", HostPage(params));

  const PrivateDisplay display;
  VantOptions options;
  options.workDir = work.Path();
  options.env["DISPLAY"] = display.Name();
  options.timeout = std::chrono::seconds(60);
  VantProcess show({"show", (pages / "open.html").string()}, options);
  std::this_thread::sleep_for(std::chrono::seconds(2));
  ASSERT_TRUE(show.Running()) << show.Wait().Describe();
  EXPECT_TRUE(work.Names().empty()) << "nothing is written while the document is open";
  show.Signal(SIGTERM);
  const VantResult r = show.Wait();
  EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
  const auto file = work / "open.pdf";
  ASSERT_TRUE(std::filesystem::exists(file)) << r.Describe();
  EXPECT_NE(PdfPageText(file, 1).find("開いたまま"), std::string::npos);
}

TEST(VantShowTest, ThePreviewOfEachExampleStaysOpenUntilSigterm) {
  // The preview window is modal and cannot be clicked here: it must build its pages and
  // wait for the user, neither ending nor crashing, until it is told to end.
  for (const char* example : {"invoice.html", "shipping-label.html", "delivery-note.html"}) {
    SCOPED_TRACE(example);
    TempDir work;
    const PrivateDisplay display;
    VantOptions options;
    options.workDir = work.Path();
    options.env["DISPLAY"] = display.Name();
    VantProcess preview({"preview", (std::filesystem::path(VANT_EXAMPLES_DIR) / example).string()}, options);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (preview.Running() && std::chrono::steady_clock::now() < until) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(preview.Running()) << "vant preview ended by itself:\n" << preview.Wait().Describe();
    preview.Signal(SIGTERM);
    const VantResult r = preview.Wait();
    // Told to end, the window closes as if the user closed it and the command ends cleanly.
    EXPECT_TRUE(r.exited && r.status == 0) << r.Describe();
    // Nothing is printed by looking.
    EXPECT_TRUE(work.Names().empty());
  }
}

TEST(VantShowTest, WithoutADisplayTheWindowVerbsSaySoInsteadOfAborting) {
  TempDir pages;
  TempDir work;
  WriteFile(pages / "page.html", HostPage(MethodParams({"enddoc"})));
  const struct Case {
    int line;
    std::optional<std::string> platform;  // QT_QPA_PLATFORM
    std::string said;
  } cases[] = {
      {__LINE__, std::nullopt, "vant: 画面に接続できません: DISPLAY も WAYLAND_DISPLAY も設定されていません\n"},
      // Qt would abort on the platform chosen, whatever else is set.
      {__LINE__, "xcb", "vant: 画面に接続できません: QT_QPA_PLATFORM=xcb: DISPLAY が設定されていません\n"},
      {__LINE__, "wayland;xcb",
       "vant: 画面に接続できません: QT_QPA_PLATFORM=wayland;xcb: Wayland のソケット「" + work.Path().string() +
           "/wayland-0」がありません、DISPLAY が設定されていません\n"},
      // A window no one sees and no one closes: the command would never end.
      {__LINE__, "offscreen", "vant: 画面に接続できません: QT_QPA_PLATFORM=offscreen はウィンドウを画面に表示しません\n"},
      {__LINE__, "minimal", "vant: 画面に接続できません: QT_QPA_PLATFORM=minimal はウィンドウを画面に表示しません\n"},
  };
  for (const Case& c : cases) {
    for (const std::string verb : {"show", "preview"}) {
      SCOPED_TRACE(std::to_string(c.line) + " " + verb);
      VantOptions options;
      options.workDir = work.Path();
      options.env["DISPLAY"] = std::nullopt;
      options.env["WAYLAND_DISPLAY"] = std::nullopt;
      options.env["XDG_SESSION_TYPE"] = std::nullopt;
      options.env["XDG_RUNTIME_DIR"] = work.Path().string();
      options.env["QT_QPA_PLATFORM"] = c.platform;
      const VantResult r = RunVant({verb, (pages / "page.html").string()}, options);
      // Like a usage error: the command cannot run where it was started.
      EXPECT_TRUE(r.exited && r.status == 2) << r.Describe();
      EXPECT_EQ(r.err, c.said);
      EXPECT_TRUE(work.Names().empty());
    }
  }
}

}  // namespace
}  // namespace vant::test
