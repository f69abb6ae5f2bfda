// Which window system Qt would reach, judged from the environment as Qt and libwayland read
// it: every case Qt would abort on is unreachable, with the reason said.
#include "platform/system/display.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/system/descriptor.h"

namespace vant::system {
namespace {

// A runtime folder with a listening Wayland socket "wayland-1" in it.
class RuntimeDir {
 public:
  RuntimeDir() {
    char name[] = "/tmp/vant-display-XXXXXX";
    if (mkdtemp(name) == nullptr) throw std::runtime_error("no temporary folder");
    path_ = name;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socket = (path_ / "wayland-1").string();
    socket.copy(address.sun_path, sizeof address.sun_path - 1);
    listening_.Reset(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (::bind(listening_.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      throw std::runtime_error("no Wayland socket");
    }
  }
  ~RuntimeDir() { std::filesystem::remove_all(path_); }
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
  Descriptor listening_;
};

DisplayCheck Check(const std::map<std::string, std::string>& variables) {
  return CheckDisplay([&](const char* name) -> std::optional<std::string> {
    const auto found = variables.find(name);
    if (found == variables.end() || found->second.empty()) return std::nullopt;
    return found->second;
  });
}

TEST(CheckDisplay, FollowsThePlatformsQtWouldTry) {
  const RuntimeDir runtime;
  const std::string dir = runtime.Path();
  const struct Case {
    int line;
    std::map<std::string, std::string> env;
    DisplayKind kind;
    std::string reason;
  } cases[] = {
      // Qt's own choice.
      {__LINE__, {{"DISPLAY", ":0"}}, DisplayKind::kScreen, ""},
      {__LINE__, {}, DisplayKind::kUnreachable, "画面に接続できません: DISPLAY も WAYLAND_DISPLAY も設定されていません"},
      {__LINE__, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, DisplayKind::kUnreachable,
       "画面に接続できません: DISPLAY も WAYLAND_DISPLAY も設定されていません"},
      {__LINE__, {{"WAYLAND_DISPLAY", "wayland-1"}, {"XDG_RUNTIME_DIR", dir}}, DisplayKind::kScreen, ""},
      {__LINE__, {{"WAYLAND_DISPLAY", dir + "/wayland-1"}}, DisplayKind::kScreen, ""},
      {__LINE__, {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_RUNTIME_DIR", dir}}, DisplayKind::kUnreachable,
       "画面に接続できません: Wayland のソケット「" + dir + "/wayland-0」がありません、DISPLAY が設定されていません"},
      {__LINE__, {{"WAYLAND_DISPLAY", "wayland-9"}, {"XDG_RUNTIME_DIR", dir}}, DisplayKind::kUnreachable,
       "画面に接続できません: Wayland のソケット「" + dir + "/wayland-9」がありません、DISPLAY が設定されていません"},
      {__LINE__, {{"WAYLAND_DISPLAY", "wayland-9"}, {"XDG_RUNTIME_DIR", dir}, {"DISPLAY", ":3"}}, DisplayKind::kScreen, ""},
      {__LINE__, {{"WAYLAND_DISPLAY", "wayland-1"}}, DisplayKind::kUnreachable,
       "画面に接続できません: Wayland の接続先を探す XDG_RUNTIME_DIR が設定されていません、DISPLAY が設定されていません"},
      // A platform chosen with QT_QPA_PLATFORM.
      {__LINE__, {{"QT_QPA_PLATFORM", "xcb"}}, DisplayKind::kUnreachable,
       "画面に接続できません: QT_QPA_PLATFORM=xcb: DISPLAY が設定されていません"},
      {__LINE__, {{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-1"}, {"XDG_RUNTIME_DIR", dir}},
       DisplayKind::kUnreachable, "画面に接続できません: QT_QPA_PLATFORM=xcb: DISPLAY が設定されていません"},
      {__LINE__, {{"QT_QPA_PLATFORM", "xcb:no-glx"}, {"DISPLAY", ":1"}}, DisplayKind::kScreen, ""},
      {__LINE__, {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":1"}, {"XDG_RUNTIME_DIR", dir}}, DisplayKind::kUnreachable,
       "画面に接続できません: QT_QPA_PLATFORM=wayland: Wayland のソケット「" + dir + "/wayland-0」がありません"},
      {__LINE__, {{"QT_QPA_PLATFORM", "wayland-egl"}, {"WAYLAND_DISPLAY", "wayland-1"}, {"XDG_RUNTIME_DIR", dir}},
       DisplayKind::kScreen, ""},
      {__LINE__, {{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":1"}}, DisplayKind::kScreen, ""},
      {__LINE__, {{"QT_QPA_PLATFORM", "xcb;offscreen"}}, DisplayKind::kOffscreen, ""},
      {__LINE__, {{"QT_QPA_PLATFORM", "offscreen"}}, DisplayKind::kOffscreen, ""},
      {__LINE__, {{"QT_QPA_PLATFORM", "minimal"}, {"DISPLAY", ":1"}}, DisplayKind::kOffscreen, ""},
      {__LINE__, {{"QT_QPA_PLATFORM", "vnc:size=800x600"}}, DisplayKind::kScreen, ""},
      {__LINE__, {{"QT_QPA_PLATFORM", ";"}}, DisplayKind::kUnreachable,
       "画面に接続できません: QT_QPA_PLATFORM=;: プラットフォームの名前がありません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const DisplayCheck check = Check(c.env);
    EXPECT_EQ(check.kind, c.kind);
    EXPECT_EQ(check.reason, c.reason);
  }
}

TEST(CheckDisplay, AFileThatIsNoSocketIsNoCompositor) {
  const RuntimeDir runtime;
  const std::string plain = runtime.Path() + "/wayland-0";
  ASSERT_TRUE(std::ofstream(plain).good());
  const DisplayCheck check = Check({{"QT_QPA_PLATFORM", "wayland"}, {"XDG_RUNTIME_DIR", runtime.Path()}});
  EXPECT_EQ(check.kind, DisplayKind::kUnreachable);
  EXPECT_EQ(check.reason, "画面に接続できません: QT_QPA_PLATFORM=wayland: Wayland のソケット「" + plain + "」がありません");
}

}  // namespace
}  // namespace vant::system
