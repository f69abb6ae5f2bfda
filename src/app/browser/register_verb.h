// `vant register [--system] [--root DIR]` and `vant unregister [--system] [--root DIR]`:
// the native messaging host manifests that let Chromium, Google Chrome, Microsoft Edge and Firefox start
// `vant` for the extension. Per user under $HOME; with --system in the folders every user's
// browser reads (under DIR instead of / with --root, for packaging and tests).
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "app/cli/words.h"

namespace vant::app {

// The host's name and its manifest's file name.
inline constexpr const char* kHostName = "vant3.host";

struct ManifestPlace {
  const char* browser;     // the browser's name, for messages
  const char* userFolder;  // under $HOME
  const char* systemFolder;
  bool firefox;  // allowed_extensions instead of allowed_origins
  // Per user a manifest is written only for a browser that is there: its own folder under
  // $HOME, or one of its commands on PATH.
  const char* configFolder;
  std::array<const char*, 2> commands;
};
inline constexpr ManifestPlace kManifestPlaces[] = {
    {"Chromium",
     ".config/chromium/NativeMessagingHosts",
     "/etc/chromium/native-messaging-hosts",
     false,
     ".config/chromium",
     {"chromium", "chromium-browser"}},
    {"Google Chrome",
     ".config/google-chrome/NativeMessagingHosts",
     "/etc/opt/chrome/native-messaging-hosts",
     false,
     ".config/google-chrome",
     {"google-chrome", "google-chrome-stable"}},
    {"Microsoft Edge",
     ".config/microsoft-edge/NativeMessagingHosts",
     "/etc/opt/edge/native-messaging-hosts",
     false,
     ".config/microsoft-edge",
     {"microsoft-edge", "microsoft-edge-stable"}},
    {"Firefox",
     ".mozilla/native-messaging-hosts",
     "/usr/lib/mozilla/native-messaging-hosts",
     true,
     ".mozilla",
     {"firefox", "firefox-esr"}},
};

// The manifest text for one browser naming the program at path.
std::string HostManifest(const ManifestPlace& place, const std::filesystem::path& program);

// args: the arguments after the verb. Returns the exit status (2 for a usage error).
// What they say is in the words' language.
int RegisterVerb(const std::vector<std::string>& args, const Words& words);
int UnregisterVerb(const std::vector<std::string>& args, const Words& words);

}  // namespace vant::app
