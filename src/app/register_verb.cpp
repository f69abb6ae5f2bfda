#include "app/register_verb.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <system_error>

#include "app/command_line.h"
#include "app/session.h"

namespace vant::app {
namespace {

struct Where {
  bool system = false;
  std::filesystem::path root = "/";  // --root: where the system folders are looked for
};

Where ParseWhere(const std::string& verb, const std::vector<std::string>& args) {
  Where where;
  bool rooted = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--system") {
      where.system = true;
    } else if (args[i] == "--root" && i + 1 < args.size()) {
      where.root = args[++i];
      rooted = true;
    } else {
      throw UsageError(verb + " に使えない引数です: \"" + args[i] + "\"");
    }
  }
  if (rooted && !where.system) throw UsageError("--root は --system と一緒に指定してください");
  if (rooted && !where.root.is_absolute()) throw UsageError("--root には絶対パスを指定してください");
  return where;
}

std::filesystem::path Folder(const ManifestPlace& place, const Where& where) {
  if (where.system) return where.root / std::filesystem::path(place.systemFolder).relative_path();
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home != '/') throw std::runtime_error("環境変数 HOME が絶対パスではありません");
  return std::filesystem::path(home) / place.userFolder;
}

std::filesystem::path RunningProgram() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) throw std::runtime_error("実行中の vant のパスが分かりません: " + error.message());
  return program;
}

QJsonObject ManifestJson(const ManifestPlace& place, const std::filesystem::path& program) {
  QJsonObject json{{"name", kHostName},
                   {"description", "Vant3 印刷コントロール"},
                   {"path", QString::fromStdString(program.string())},
                   {"type", "stdio"}};
  if (place.firefox) {
    json.insert("allowed_extensions", QJsonArray{VANT_FIREFOX_ADDON_ID});
  } else {
    json.insert("allowed_origins", QJsonArray{"chrome-extension://" VANT_CHROMIUM_EXTENSION_ID "/"});
  }
  return json;
}

std::optional<std::string> ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A manifest this program writes, whichever vant it names.
bool IsOurs(const ManifestPlace& place, const std::string& text) {
  const QJsonDocument parsed = QJsonDocument::fromJson(QByteArray::fromStdString(text));
  if (!parsed.isObject()) return false;
  QJsonObject found = parsed.object();
  QJsonObject ours = ManifestJson(place, "/");
  if (!found.value("path").isString()) return false;
  found.remove("path");
  ours.remove("path");
  return found == ours;
}

}  // namespace

std::string HostManifest(const ManifestPlace& place, const std::filesystem::path& program) {
  return QJsonDocument(ManifestJson(place, program)).toJson(QJsonDocument::Indented).toStdString();
}

int RegisterVerb(const std::vector<std::string>& args) {
  const Where where = ParseWhere("register", args);
  const std::filesystem::path program = RunningProgram();
  int status = kExitDone;
  for (const ManifestPlace& place : kManifestPlaces) {
    const std::filesystem::path folder = Folder(place, where);
    const std::filesystem::path file = folder / (std::string(kHostName) + ".json");
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    QSaveFile out(QString::fromStdString(file.string()));
    const QByteArray text = QByteArray::fromStdString(HostManifest(place, program));
    const bool written = !error && out.open(QIODevice::WriteOnly) && out.write(text) == text.size() && out.commit();
    if (!written) {
      std::cerr << "vant: " << place.browser << " 用のホスト定義「" << file.string() << "」を書けません: "
                << (error ? error.message() : out.errorString().toStdString()) << '\n';
      status = kExitStopped;
      continue;
    }
    // Readable by every user's browser whatever the umask.
    std::filesystem::permissions(file, std::filesystem::perms(0644), error);
    std::cout << place.browser << " 用のホスト定義「" << file.string() << "」を書きました。\n";
  }
  return status;
}

int UnregisterVerb(const std::vector<std::string>& args) {
  const Where where = ParseWhere("unregister", args);
  int status = kExitDone;
  for (const ManifestPlace& place : kManifestPlaces) {
    const std::filesystem::path file = Folder(place, where) / (std::string(kHostName) + ".json");
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(file, error))) continue;
    const std::optional<std::string> text = ReadText(file);
    if (!text || !IsOurs(place, *text)) {
      std::cerr << "vant: 「" << file.string() << "」は vant register が書いたものではないため残しました\n";
      continue;
    }
    if (!std::filesystem::remove(file, error)) {
      std::cerr << "vant: 「" << file.string() << "」を削除できません: " << error.message() << '\n';
      status = kExitStopped;
      continue;
    }
    std::cout << place.browser << " 用のホスト定義「" << file.string() << "」を削除しました。\n";
  }
  return status;
}

}  // namespace vant::app
