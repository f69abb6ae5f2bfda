#include "host_channel.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstring>
#include <stdexcept>

#include "platform/host/html_encoding.h"

namespace vant::test {

std::string Framed(const std::string& json) {
  const auto length = static_cast<std::uint32_t>(json.size());
  std::string framed(4, '\0');
  std::memcpy(framed.data(), &length, 4);
  return framed + json;
}

std::string Framed(const QJsonObject& json) {
  return Framed(QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString());
}

HostRun RunHost(const std::string& input, VantOptions options, const std::vector<std::string>& args) {
  options.input = input;
  return ReadAnswers(RunVant(args, options));
}

HostRun ReadAnswers(const VantResult& result) {
  HostRun run;
  run.result = result;
  std::string_view out = run.result.out;
  while (out.size() >= 4) {
    std::uint32_t length = 0;
    std::memcpy(&length, out.data(), 4);
    if (out.size() - 4 < length) break;
    const QJsonDocument answer =
        QJsonDocument::fromJson(QByteArray(out.data() + 4, static_cast<qsizetype>(length)));
    if (answer.isObject()) {
      run.answers.push_back(answer.object());
    } else {
      ++run.notObjects;
    }
    out.remove_prefix(4 + length);
  }
  run.stray = std::string(out);
  return run;
}

QJsonObject SnapshotRequest(int id, const platform::PageObjects& page, const std::string& url,
                            const std::string& title) {
  // Each object's PARAMs carry their places in the document's order of PARAMs.
  QJsonArray objects;
  for (std::size_t o = 0; o < page.objects.size(); ++o) {
    QJsonArray params;
    for (const std::size_t place : page.objects[o].params) {
      const ParamElement& param = page.objectParams[place];
      params.append(QJsonArray{QString::fromStdU16String(param.name), QString::fromStdU16String(param.value),
                               static_cast<int>(place)});
    }
    QJsonObject object{{"key", static_cast<int>(o)}, {"params", params}};
    object.insert("id", page.objects[o].id ? QJsonValue(QString::fromStdU16String(*page.objects[o].id)) : QJsonValue());
    objects.append(object);
  }
  return {{"kind", "document"}, {"id", id}, {"url", QString::fromStdString(url)},
          {"title", QString::fromStdString(title)}, {"objects", objects}};
}

platform::PageObjects PageObjectsOfFile(const std::filesystem::path& page) {
  return platform::ReadPageObjects(platform::DecodePage(ReadFile(page)).text.utf8);
}

void WritePageChoosingPdf(const std::filesystem::path& page, const std::filesystem::path& into) {
  std::string html = ReadFile(page);
  const std::size_t object = html.find("<object");
  const std::size_t end = object == std::string::npos ? object : html.find('>', object);
  if (end == std::string::npos) throw std::runtime_error("no <object> in " + page.string());
  html.insert(end + 1, "<param name=\"method0\" value=\"changeprinter,Vant3 PDF\">");
  WriteFile(into, html);
}

std::map<std::string, std::optional<std::string>> DownloadEnv(const TempDir& dir) {
  std::filesystem::create_directories(dir / "config");
  WriteFile(dir / "config" / "user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"" + (dir / "downloads").string() + "\"\n");
  return {{"XDG_CONFIG_HOME", (dir / "config").string()}};
}

}  // namespace vant::test
