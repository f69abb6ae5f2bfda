#include "platform/system/display.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string_view>
#include <vector>

namespace vant::system {
namespace {

constexpr std::string_view kCannotConnect = "画面に接続できません: ";

// Qt's platform names in the order it tries them.
std::vector<std::string> PlatformsOf(std::string_view list) {
  std::vector<std::string> names;
  while (!list.empty()) {
    const std::size_t end = std::min(list.find(';'), list.size());
    const std::string_view entry = list.substr(0, end);
    const std::string_view name = entry.substr(0, std::min(entry.find(':'), entry.size()));
    if (!name.empty()) names.emplace_back(name);
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  return names;
}

bool IsSocket(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

// Nothing when the compositor's socket is there, else why not: libwayland's own lookup.
std::optional<std::string> WaylandMissing(const Environment& env) {
  const std::string name = env("WAYLAND_DISPLAY").value_or("wayland-0");
  std::string socket = name;
  if (!name.starts_with('/')) {
    const std::optional<std::string> runtimeDir = env("XDG_RUNTIME_DIR");
    if (!runtimeDir) return "Wayland の接続先を探す XDG_RUNTIME_DIR が設定されていません";
    socket = *runtimeDir + "/" + name;
  }
  if (IsSocket(socket)) return std::nullopt;
  return "Wayland のソケット「" + socket + "」がありません";
}

std::optional<std::string> XMissing(const Environment& env) {
  if (env("DISPLAY")) return std::nullopt;
  return "DISPLAY が設定されていません";
}

}  // namespace

DisplayCheck CheckDisplay(const Environment& env) {
  const std::optional<std::string> chosen = env("QT_QPA_PLATFORM");
  std::vector<std::string> platforms;
  if (chosen) {
    platforms = PlatformsOf(*chosen);
  } else {
    if (!env("DISPLAY") && !env("WAYLAND_DISPLAY") && env("XDG_SESSION_TYPE") != "wayland") {
      return {DisplayKind::kUnreachable,
              std::string(kCannotConnect) + "DISPLAY も WAYLAND_DISPLAY も設定されていません"};
    }
    if (env("WAYLAND_DISPLAY") || env("XDG_SESSION_TYPE") == "wayland") platforms.emplace_back("wayland");
    platforms.emplace_back("xcb");
  }
  std::string reasons;
  for (const std::string& platform : platforms) {
    if (platform == "offscreen" || platform == "minimal") return {DisplayKind::kOffscreen, {}};
    std::optional<std::string> missing;
    if (platform == "xcb") {
      missing = XMissing(env);
    } else if (platform.starts_with("wayland")) {
      missing = WaylandMissing(env);
    }
    if (!missing) return {DisplayKind::kScreen, {}};
    if (!reasons.empty()) reasons += "、";
    reasons += *missing;
  }
  if (chosen) {
    if (platforms.empty()) reasons = "プラットフォームの名前がありません";
    reasons = "QT_QPA_PLATFORM=" + *chosen + ": " + reasons;
  }
  return {DisplayKind::kUnreachable, std::string(kCannotConnect) + reasons};
}

DisplayCheck CheckDisplay() {
  return CheckDisplay([](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
  });
}

}  // namespace vant::system
