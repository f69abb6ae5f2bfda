#include "private_system_log.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <regex>
#include <stdexcept>

namespace vant::test {

PrivateSystemLog::PrivateSystemLog() : dev_(dir_ / "dev") {
  std::filesystem::create_directories(dev_);
  // What a child reaches under /dev besides the log: the nodes are bound in its namespace.
  for (const char* node : {"null", "zero", "random", "urandom", "full", "tty"}) std::ofstream(dev_ / node).flush();
  for (const char* folder : {"shm", "pts"}) std::filesystem::create_directory(dev_ / folder);
  std::filesystem::create_symlink("/proc/self/fd", dev_ / "fd");
  std::filesystem::create_symlink("/proc/self/fd/0", dev_ / "stdin");
  std::filesystem::create_symlink("/proc/self/fd/1", dev_ / "stdout");
  std::filesystem::create_symlink("/proc/self/fd/2", dev_ / "stderr");
  socket_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (socket_ < 0) throw std::runtime_error("socket: " + std::string(std::strerror(errno)));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = (dev_ / "log").string();
  if (path.size() >= sizeof address.sun_path) throw std::runtime_error("the log socket's path is too long: " + path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  if (::bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    throw std::runtime_error("bind " + path + ": " + std::strerror(errno));
  }
  ::chmod(path.c_str(), 0666);
}

PrivateSystemLog::~PrivateSystemLog() {
  if (socket_ >= 0) ::close(socket_);
}

std::vector<std::string> PrivateSystemLog::Received() {
  std::vector<std::string> messages;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
    if (got < 0) break;
    messages.emplace_back(buffer, static_cast<size_t>(got));
  }
  return messages;
}

SystemLogLine ParseSystemLogLine(const std::string& datagram) {
  // "<PRI>Mmm dd hh:mm:ss IDENT[PID]: TEXT"
  static const std::regex line(R"(^<([0-9]+)>[A-Z][a-z]{2} [ 0-9][0-9] [0-9:]{8} ([^\[ ]+)\[[0-9]+\]: ([\s\S]*)$)");
  std::smatch match;
  if (!std::regex_match(datagram, match, line)) return {};
  return {std::stoi(match[1].str()), match[2].str(), match[3].str()};
}

}  // namespace vant::test
