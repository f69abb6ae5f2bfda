// Whether the window system Qt is to use can be reached, judged before Qt starts: Qt ends
// the program with SIGABRT when none of the platforms it tries connects, so a window verb
// must know beforehand and say so instead.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace vant::system {

enum class DisplayKind {
  kScreen,       // an X display or a Wayland compositor: the windows appear on a screen
  kOffscreen,    // a platform that draws nowhere (QT_QPA_PLATFORM=offscreen or minimal)
  kUnreachable,  // none of the platforms Qt would try can connect
};

struct DisplayCheck {
  DisplayKind kind;
  std::string reason;  // for kUnreachable: why, in Japanese (UTF-8)
};

// The environment as the check reads it: a variable's value, nothing when unset or empty.
using Environment = std::function<std::optional<std::string>(const char* name)>;

// The platforms are QT_QPA_PLATFORM's, tried in order as Qt tries them ("wayland;xcb";
// options after a colon are the platform's own); without it Qt's own choice: Wayland first
// when WAYLAND_DISPLAY is set or XDG_SESSION_TYPE is "wayland", then X. X needs DISPLAY;
// Wayland needs the compositor's socket, WAYLAND_DISPLAY ("wayland-0" when unset) in
// XDG_RUNTIME_DIR, or WAYLAND_DISPLAY itself when it is an absolute path. A platform the
// check does not know (vnc, eglfs, ...) is taken to reach a screen: Qt judges it.
DisplayCheck CheckDisplay(const Environment& environment);

// The same for this process's environment.
DisplayCheck CheckDisplay();

}  // namespace vant::system
