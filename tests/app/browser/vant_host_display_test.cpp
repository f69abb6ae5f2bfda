// `vant host` with a display (a private Xvfb): the preview button's request opens the
// preview window and is answered when the window closes; the control's message boxes are
// shown modally and also reach the page in the outcome. The test closes each window with
// the keyboard, as a user would.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>

#include <cstring>

#include <chrono>
#include <sstream>
#include <thread>

#include "host_channel.h"
#include "private_display.h"
#include "shell_command.h"

namespace vant::test {
namespace {

// Closes every window the host shows, one after the other, with Escape, until it ends;
// returns the names of the windows closed.
std::vector<std::string> CloseWindowsUntilEnd(VantProcess& host, const PrivateDisplay& display) {
  std::vector<std::string> closed;
  const std::string x = std::string("DISPLAY=") + display.Name() + " " + VANT_XDOTOOL;
  while (host.Running()) {
    std::istringstream windows(RunShell(x + " search --onlyvisible --name . 2>/dev/null || true"));
    std::string window;
    if (!(windows >> window)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      continue;
    }
    const std::string name = RunShell(x + " getwindowname " + window + " 2>/dev/null || true");
    RunShell(x + " windowfocus --sync " + window + " key Escape 2>/dev/null || true");
    closed.push_back(name.substr(0, name.find('\n')));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  return closed;
}

// `vant host` on the display with the requests (the print server a socket that is not
// there), every window it shows closed as it comes: the names of the windows, the answers.
struct DisplayedRun {
  std::vector<std::string> closed;
  HostRun run;
};
DisplayedRun RunOnDisplay(const PrivateDisplay& display, const TempDir& dir, const std::string& input) {
  VantOptions options;
  options.env = DownloadEnv(dir);
  options.env["DISPLAY"] = display.Name();
  options.input = input;
  VantProcess host({"host"}, options);
  DisplayedRun displayed;
  displayed.closed = CloseWindowsUntilEnd(host, display);
  displayed.run = ReadAnswers(host.Wait());
  return displayed;
}

TEST(VantHostDisplay, PreviewAnswersWhenItsWindowClosesAndBoxesAreShownAndCollected) {
  const PrivateDisplay display;
  TempDir dir;
  const QJsonObject document{
      {"kind", "document"}, {"id", 1}, {"url", "file:///forms/preview.html"},
      {"objects", QJsonArray{QJsonObject{{"key", 1}, {"params", QJsonArray{QJsonArray{"methodA", "prntxt"}, QJsonArray{"Mode", "1"}}}},
                             QJsonObject{{"key", 0}, {"params", QJsonArray{QJsonArray{"method1", "prntext,300,300,見本,ＭＳ 明朝,12"},
                                                                            QJsonArray{"method2", "enddoc"}}}}}}};
  const auto [closed, run] =
      RunOnDisplay(display, dir, Framed(document) + Framed(QJsonObject{{"kind", "preview"}, {"id", 2}, {"key", 0}}));
  const VantResult& result = run.result;
  ASSERT_EQ(result.status, 0) << result.Describe();
  EXPECT_TRUE(run.stray.empty());
  ASSERT_EQ(run.answers.size(), 2u) << result.Describe();
  // The first control's automatic run stopped: its stop box and the "印刷中止" box, each
  // shown on the display and in the outcome; then the preview window.
  const QJsonArray messages = run.answers[0]["outcome"]["messages"].toArray();
  ASSERT_EQ(messages.size(), 2) << result.Describe();
  EXPECT_EQ(messages[0]["title"].toString(), QString::fromUtf8("エラー"));
  EXPECT_EQ(messages[1]["title"].toString(), QString::fromUtf8("印刷中止"));
  ASSERT_EQ(closed.size(), 3u);
  EXPECT_EQ(closed[0], "エラー");
  EXPECT_EQ(closed[1], "印刷中止");
  EXPECT_EQ(run.answers[1]["kind"].toString(), "preview");
  EXPECT_TRUE(run.answers[1]["outcome"]["messages"].toArray().isEmpty()) << result.Describe();
}

TEST(VantHostDisplay, AGoneServerIsSaidOnTheDesktopAndToThePage) {
  const PrivateDisplay display;
  TempDir dir;
  const QJsonObject document{
      {"kind", "document"}, {"id", 1}, {"url", "https://sales.example/forms/gone.html"},
      {"objects", QJsonArray{QJsonObject{{"key", 0}, {"params", QJsonArray{QJsonArray{"method1", "prntext,1,1,見本"},
                                                                          QJsonArray{"method2", "enddoc"}}}}}}};
  const auto [closed, run] =
      RunOnDisplay(display, dir, Framed(document) + Framed(QJsonObject{{"kind", "print"}, {"id", 2}, {"key", 0}}));
  const VantResult& result = run.result;
  ASSERT_EQ(result.status, 0) << result.Describe();
  ASSERT_EQ(run.answers.size(), 2u) << result.Describe();
  const QJsonArray messages = run.answers[1]["outcome"]["messages"].toArray();
  ASSERT_EQ(messages.size(), 1) << result.Describe();
  EXPECT_TRUE(messages[0]["text"].toString().contains(QString::fromUtf8("印刷サーバー"))) << result.Describe();
  EXPECT_EQ(closed, std::vector<std::string>{"エラー"});
  EXPECT_FALSE(std::filesystem::exists(dir / "downloads") && !std::filesystem::is_empty(dir / "downloads"));
}

}  // namespace
}  // namespace vant::test
