// Talking to `vant host` as a browser does: framed requests on its standard input, framed
// answers read back from its standard output, which must hold nothing else.
#pragma once

#include <QJsonObject>

#include <string>
#include <vector>

#include "platform/host/host_page_objects.h"
#include "vant_process.h"

namespace vant::test {

// A message with its 4-byte length (the machine's byte order) in front.
std::string Framed(const std::string& json);
std::string Framed(const QJsonObject& json);

struct HostRun {
  VantResult result;
  std::vector<QJsonObject> answers;  // in order
  std::string stray;                 // what stdout held after the last whole frame
  int notObjects = 0;                // frames that were not a JSON object
};

// The answers on a finished host's standard output.
HostRun ReadAnswers(const VantResult& result);

// Runs `vant host` (or args) with the requests as its standard input, to its end.
HostRun RunHost(const std::string& input, VantOptions options, const std::vector<std::string>& args = {"host"});

// The document request a browser's content script sends for a page whose OBJECT and PARAM
// elements are these: every PARAM with its place among the document's PARAMs.
QJsonObject SnapshotRequest(int id, const platform::PageObjects& page, const std::string& url,
                            const std::string& title = "");

// The PageObjects of a page file as the page reader collects them.
platform::PageObjects PageObjectsOfFile(const std::filesystem::path& page);

// The page with one more PARAM before its first OBJECT's own, "method0" choosing the
// built-in PDF printer, written as `into`: a page that prints to Vant3 PDF whether or not a
// print server answers (the tests' hosts have none).
void WritePageChoosingPdf(const std::filesystem::path& page, const std::filesystem::path& into);

// A directory for the host's downloads: XDG_CONFIG_HOME with a user-dirs.dirs naming
// downloads/ in dir. The environment to give the host.
std::map<std::string, std::optional<std::string>> DownloadEnv(const TempDir& dir);

}  // namespace vant::test
