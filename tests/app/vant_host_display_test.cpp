// `vant host` with a display (a private Xvfb): the preview button's request opens the
// preview window and is answered when the window closes; the control's message boxes are
// shown modally and also reach the page in the outcome. The test closes each window with
// the keyboard, as a user would.
#include <gtest/gtest.h>

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
#include "shell_command.h"

namespace vant::test {
namespace {

// A private X server for the test, on a display number of its own.
class PrivateDisplay {
 public:
  PrivateDisplay() : number_(100 + static_cast<int>(getpid() % 800)) {
    const std::string display = ":" + std::to_string(number_);
    pid_ = fork();
    if (pid_ == 0) {
      execl(VANT_XVFB, VANT_XVFB, display.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    const auto socket = "/tmp/.X11-unix/X" + std::to_string(number_);
    for (int i = 0; i < 200 && !std::filesystem::exists(socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    if (!std::filesystem::exists(socket)) throw std::runtime_error("Xvfb did not start on " + display);
  }
  ~PrivateDisplay() {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  std::string Name() const { return ":" + std::to_string(number_); }

 private:
  int number_;
  pid_t pid_ = -1;
};

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

TEST(VantHostDisplay, PreviewAnswersWhenItsWindowClosesAndBoxesAreShownAndCollected) {
  const PrivateDisplay display;
  TempDir dir;
  const QJsonObject document{
      {"kind", "document"}, {"id", 1}, {"url", "file:///forms/preview.html"},
      {"objects", QJsonArray{QJsonObject{{"key", 1}, {"params", QJsonArray{QJsonArray{"methodA", "prntxt"}, QJsonArray{"Mode", "1"}}}},
                             QJsonObject{{"key", 0}, {"params", QJsonArray{QJsonArray{"method1", "prntext,300,300,見本,ＭＳ 明朝,12"},
                                                                            QJsonArray{"method2", "enddoc"}}}}}}};
  VantOptions options;
  options.env = DownloadEnv(dir);
  options.env["DISPLAY"] = display.Name();
  options.input = Framed(document) + Framed(QJsonObject{{"kind", "preview"}, {"id", 2}, {"key", 0}});
  VantProcess host({"host"}, options);
  const std::vector<std::string> closed = CloseWindowsUntilEnd(host, display);
  const VantResult result = host.Wait();
  ASSERT_EQ(result.status, 0) << result.Describe();

  const HostRun run = ReadAnswers(result);
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

}  // namespace
}  // namespace vant::test
