#include "app/browser/register_verb.h"

#include <unistd.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "app/cli/command_line.h"
#include "app/cli/words.h"
#include "app/run/session.h"
#include "common/json_writer.h"
#include "platform/files/file_writing.h"
#include "platform/files/folder_below.h"

namespace vant::app {
namespace {

struct Where {
  bool system = false;
  std::filesystem::path root = "/";  // --root: where the system folders are looked for
};

Where ParseWhere(const std::string& verb, const std::vector<std::string>& args, const Words& w) {
  Where where;
  bool rooted = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--system") {
      where.system = true;
    } else if (args[i] == "--root" && i + 1 < args.size()) {
      where.root = args[++i];
      rooted = true;
    } else {
      throw UsageError(Fill(w.translate("vant register", "an argument %1 does not take: \"%2\""), {verb, args[i]}));
    }
  }
  if (rooted && !where.system) throw UsageError(w.translate("vant register", "--root goes with --system"));
  if (rooted && !where.root.is_absolute())
    throw UsageError(w.translate("vant register", "--root takes an absolute path"));
  return where;
}

// Where a manifest's folder is: a folder below a base (the root, or HOME), every step below
// the base taken without following a symbolic link.
struct FolderPlace {
  std::filesystem::path base;
  std::filesystem::path relative;
  std::filesystem::path Path() const { return base / relative; }
};

FolderPlace Folder(const ManifestPlace& place, const Where& where, const Words& w) {
  if (where.system) return {where.root, std::filesystem::path(place.systemFolder).relative_path()};
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home != '/')
    throw std::runtime_error(w.translate("vant register", "the environment variable HOME is not an absolute path"));
  return {home, place.userFolder};
}

std::string ManifestName() { return std::string(kHostName) + ".json"; }

// Whether the browser is there for this user: its own folder under HOME, or one of its
// commands in a folder of PATH. Nothing is made for a browser the user does not have.
bool BrowserPresent(const ManifestPlace& place, const FolderPlace& folder) {
  std::error_code error;
  if (std::filesystem::is_directory(folder.base / place.configFolder, error)) return true;
  const char* path = std::getenv("PATH");
  std::string_view folders = path != nullptr ? path : "";
  while (!folders.empty()) {
    const std::string_view dir = folders.substr(0, std::min(folders.find(':'), folders.size()));
    folders.remove_prefix(std::min(dir.size() + 1, folders.size()));
    if (dir.empty()) continue;
    for (const char* command : place.commands) {
      if (access((std::filesystem::path(dir) / command).c_str(), X_OK) == 0) return true;
    }
  }
  return false;
}

// Why a file could not be written or removed, naming the folder on the way when it was one.
std::string Reason(const files::FileWriteFailure& failure, const std::filesystem::path& file, const Words& w) {
  const std::string reason = ToUtf8(failure.Reason());
  return failure.File() == file ? reason
                                : Fill(w.translate("vant register", "\"%1\": %2"), {failure.File().string(), reason});
}

// A manifest is a few hundred bytes; a longer file at its name is not one of ours.
constexpr std::size_t kMaxManifestBytes = 64 * 1024;

std::filesystem::path RunningProgram(const Words& w) {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    throw std::runtime_error(
        Fill(w.translate("vant register", "the path of the running vant cannot be found: %1"), {error.message()}));
  }
  return program;
}

// A manifest this program writes, whichever vant it names: the same members as ours but
// "path", which must be a string. Read with Qt's reader, whose objects compare by member
// whatever their order and layout.
bool IsOurs(const ManifestPlace& place, const std::string& text) {
  const QJsonDocument parsed = QJsonDocument::fromJson(QByteArray::fromStdString(text));
  if (!parsed.isObject()) return false;
  QJsonObject found = parsed.object();
  QJsonObject ours = QJsonDocument::fromJson(QByteArray::fromStdString(HostManifest(place, "/"))).object();
  if (!found.value("path").isString()) return false;
  found.remove("path");
  ours.remove("path");
  return found == ours;
}

}  // namespace

std::string HostManifest(const ManifestPlace& place, const std::filesystem::path& program) {
  JsonWriter json;
  json.BeginObject().Key("name").StringUtf8(kHostName).Key("description").StringUtf8("Vant3 印刷コントロール");
  json.Key("path").StringUtf8(program.string()).Key("type").StringUtf8("stdio");
  if (place.firefox) {
    json.Key("allowed_extensions").BeginArray().StringUtf8(VANT_FIREFOX_ADDON_ID).EndArray();
  } else {
    json.Key("allowed_origins").BeginArray();
    json.StringUtf8("chrome-extension://" VANT_CHROMIUM_EXTENSION_ID "/").EndArray();
  }
  json.EndObject();
  // A text file: one line, ended.
  return std::move(json).Take() + "\n";
}

int RegisterVerb(const std::vector<std::string>& args, const Words& w) {
  const Where where = ParseWhere("register", args, w);
  const std::filesystem::path program = RunningProgram(w);
  int status = kExitDone;
  for (const ManifestPlace& place : kManifestPlaces) {
    const FolderPlace folder = Folder(place, where, w);
    const std::filesystem::path file = folder.Path() / ManifestName();
    if (!where.system && !BrowserPresent(place, folder)) {
      std::cout << Fill(w.translate("vant register",
                                    "%1 was not found (neither \"%2\" nor the command %3 is there): no host "
                                    "manifest written."),
                        {place.browser, (folder.base / place.configFolder).string(), place.commands[0]})
                << '\n';
      continue;
    }
    try {
      // The folders every user's browser reads are readable by every user, whatever the
      // umask; a user's own as the umask has them.
      const files::Descriptor opened =
          files::OpenFolderBelow(folder.base, folder.relative,
                                 where.system ? files::MissingFolders::kMakeShared : files::MissingFolders::kMake);
      if (files::EntryIn(opened, ManifestName()) == files::EntryKind::kSymbolicLink) {
        throw files::FileWriteFailure(
            file, FromUtf8(w.translate("vant register", "a symbolic link, written neither through nor instead")));
      }
      // Written new and renamed into place, readable by every user's browser whatever the
      // umask: a file or link that stood at the name is replaced, never written through.
      files::ReplaceFileInFolder(opened.Get(), ManifestName(), HostManifest(place, program), 0644, file);
    } catch (const files::FileWriteFailure& failure) {
      std::cerr << "vant: "
                << Fill(w.translate("vant register", "the host manifest \"%2\" for %1 cannot be written: %3"),
                        {place.browser, file.string(), Reason(failure, file, w)})
                << '\n';
      status = kExitStopped;
      continue;
    }
    std::cout << Fill(w.translate("vant register", "Wrote the host manifest \"%2\" for %1."),
                      {place.browser, file.string()})
              << '\n';
  }
  return status;
}

int UnregisterVerb(const std::vector<std::string>& args, const Words& w) {
  const Where where = ParseWhere("unregister", args, w);
  int status = kExitDone;
  bool found = false;  // a manifest at one of the names, ours or not
  for (const ManifestPlace& place : kManifestPlaces) {
    const FolderPlace folder = Folder(place, where, w);
    const std::filesystem::path file = folder.Path() / ManifestName();
    try {
      const files::Descriptor opened =
          files::OpenFolderBelow(folder.base, folder.relative, files::MissingFolders::kLeave);
      if (files::EntryIn(opened, ManifestName()) == files::EntryKind::kNone) continue;
      found = true;
      const std::optional<std::string> text = files::ReadRegularFileIn(opened, ManifestName(), file, kMaxManifestBytes);
      if (!text || !IsOurs(place, *text)) {
        std::cerr << "vant: "
                  << Fill(w.translate("vant register", "left \"%1\": vant register did not write it"), {file.string()})
                  << '\n';
        continue;
      }
      files::RemoveFromFolder(opened, ManifestName(), file);
    } catch (const files::FileWriteFailure& failure) {
      if (failure.Error() == ENOENT) continue;  // no folder on the way: nothing registered there
      std::cerr << "vant: "
                << Fill(w.translate("vant register", "\"%1\" cannot be removed: %2"),
                        {file.string(), Reason(failure, file, w)})
                << '\n';
      status = kExitStopped;
      continue;
    }
    std::cout << Fill(w.translate("vant register", "Removed the host manifest \"%2\" for %1."),
                      {place.browser, file.string()})
              << '\n';
  }
  // A second unregister, or one before any register: said rather than silent.
  if (!found && status == kExitDone) {
    std::cout << (where.system ? w.translate("vant register",
                                             "No host manifest to remove (none that vant register wrote in the "
                                             "folders of every user).")
                               : w.translate("vant register",
                                             "No host manifest to remove (none that vant register wrote in this "
                                             "user's folders)."))
              << '\n';
  }
  return status;
}

}  // namespace vant::app
