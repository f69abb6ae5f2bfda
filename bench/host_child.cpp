#include "host_child.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "platform/browser/native_messaging.h"

namespace vant::bench {
namespace {

void ReadExactly(int fd, char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = read(fd, buffer + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) throw std::runtime_error("the host ended without answering");
    done += static_cast<std::size_t>(got);
  }
}

}  // namespace

HostChild::HostChild(const std::filesystem::path& downloads) : config_(downloads.parent_path() / "config") {
  std::filesystem::create_directories(config_);
  std::ofstream(config_ / "user-dirs.dirs") << "XDG_DOWNLOAD_DIR=\"" << downloads.string() << "\"\n";
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  std::vector<std::string> envText = {"PATH=/usr/bin:/bin", "HOME=" + downloads.parent_path().string(),
                                      "XDG_CONFIG_HOME=" + config_.string(), "LANG=C.UTF-8",
                                      "CUPS_SERVER=" + (downloads.parent_path() / "no-server.sock").string()};
  std::vector<char*> envp;
  for (auto& e : envText) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string binary = VANT_BINARY, verb = "host";
  char* argv[] = {binary.data(), verb.data(), nullptr};
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (dup2(in[0], 0) < 0 || dup2(out[1], 1) < 0 || dup2(null, 2) < 0) _exit(127);
    execve(argv[0], argv, envp.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  requests_ = in[1];
  answers_ = out[0];
}

HostChild::~HostChild() {
  close(requests_);
  close(answers_);
  int status = 0;
  waitpid(pid_, &status, 0);
}

std::string HostChild::Ask(const std::string& json) {
  if (!browser::WriteAll(requests_, browser::FrameMessage(json))) throw std::runtime_error("the host took no request");
  std::uint32_t length = 0;
  ReadExactly(answers_, reinterpret_cast<char*>(&length), sizeof length);
  std::string answer(length, '\0');
  ReadExactly(answers_, answer.data(), length);
  return answer;
}

namespace {

// A line "NAME:   1234 kB" of /proc/PID/status, in KiB.
long StatusKiB(pid_t pid, const std::string& name) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
  }
  throw std::runtime_error("no " + name + " for the host");
}

}  // namespace

long HostChild::ResidentKiB() const { return StatusKiB(pid_, "VmRSS"); }

long HostChild::PeakResidentKiB() const { return StatusKiB(pid_, "VmHWM"); }

std::string DocumentRequestJson(int id, const std::string& url, const std::vector<BenchObject>& objects) {
  QJsonArray list;
  for (std::size_t key = 0; key < objects.size(); ++key) {
    QJsonArray params;
    for (const auto& [name, value] : objects[key].params) {
      params.append(QJsonArray{QString::fromStdString(name), QString::fromStdString(value)});
    }
    list.append(QJsonObject{{"key", static_cast<int>(key)}, {"id", QString::fromStdString(objects[key].id)}, {"params", params}});
  }
  const QJsonObject request{{"kind", "document"}, {"id", id}, {"url", QString::fromStdString(url)}, {"objects", list}};
  return QJsonDocument(request).toJson(QJsonDocument::Compact).toStdString();
}

}  // namespace vant::bench
