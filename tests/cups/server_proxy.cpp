#include "server_proxy.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <stdexcept>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace vant::test::cups {
namespace {

[[noreturn]] void Fail(const std::string& what) { throw std::system_error(errno, std::generic_category(), what); }

sockaddr_un AddressOf(const std::filesystem::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.string().size() >= sizeof address.sun_path) throw std::invalid_argument("socket path too long: " + path.string());
  path.string().copy(address.sun_path, sizeof address.sun_path - 1);
  return address;
}

// Writes all of it; false when the other end is gone.
bool WriteAll(int fd, const char* bytes, std::size_t length) {
  while (length > 0) {
    const ssize_t put = send(fd, bytes, length, MSG_NOSIGNAL);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes += put;
    length -= static_cast<std::size_t>(put);
  }
  return true;
}

// One client's connection and the proxy's own to the server.
struct Link {
  int client = -1;
  int server = -1;
  std::size_t carried = 0;  // bytes from the client toward the server
  std::string recent;       // the last kRecent of them passed on
  bool stalled = false;
  void Close() {
    if (client >= 0) close(client);
    if (server >= 0) close(server);
    client = server = -1;
  }
};

// The longest chunk-size line looked for across two reads: CRLF, 8 hex digits, CRLF.
constexpr std::size_t kRecent = 12;
// How far past the threshold a chunk's end is looked for: two of the largest chunks a
// client writes (64 KiB) hold one.
constexpr std::size_t kChunkSearch = 128 * 1024;

// Where in bytes, the next read of the link, the connection is cut: past the threshold,
// when the body comes in chunks, one digit into the size line of the next chunk, where a
// print server takes the connection's end for the body's; else kChunkSearch past the
// threshold. Nothing when the cut is not in these bytes.
std::optional<std::size_t> CutPoint(const Link& link, std::string_view bytes, std::size_t threshold) {
  const std::size_t end = link.carried + bytes.size();
  if (end <= threshold) return std::nullopt;
  const std::string window = link.recent + std::string(bytes);
  const std::size_t first = link.carried >= threshold ? 0 : link.recent.size() + (threshold - link.carried);
  for (std::size_t at = window.find("\r\n", first); at != std::string::npos; at = window.find("\r\n", at + 1)) {
    if (at + 3 <= link.recent.size()) continue;  // that size line was begun before
    std::size_t digits = at + 2;
    while (digits < window.size() && std::isxdigit(static_cast<unsigned char>(window[digits])) != 0) ++digits;
    if (digits > at + 2 && window.compare(digits, 2, "\r\n") == 0) return at + 3 - link.recent.size();
  }
  if (end >= threshold + kChunkSearch) return threshold + kChunkSearch - link.carried;
  return std::nullopt;
}

}  // namespace

ServerProxy::ServerProxy(std::filesystem::path socket, std::filesystem::path upstream, std::size_t thresholdBytes,
                         Past past)
    : socket_(std::move(socket)), upstream_(std::move(upstream)), threshold_(thresholdBytes), past_(past) {
  listening_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listening_ < 0) Fail("socket");
  const sockaddr_un address = AddressOf(socket_);
  if (bind(listening_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) Fail("bind " + socket_.string());
  if (listen(listening_, 16) != 0) Fail("listen");
  if (pipe2(wake_, O_CLOEXEC) != 0) Fail("pipe2");
  thread_ = std::jthread([this](const std::stop_token& stop) { Serve(stop); });
}

ServerProxy::~ServerProxy() {
  thread_.request_stop();
  const char byte = 0;
  (void)!write(wake_[1], &byte, 1);
  thread_.join();
  for (const int fd : {listening_, wake_[0], wake_[1]}) close(fd);
  std::error_code ignored;
  std::filesystem::remove(socket_, ignored);
}

void ServerProxy::Serve(const std::stop_token& stop) {
  std::vector<Link> links;
  char buffer[65536];
  while (!stop.stop_requested()) {
    std::vector<pollfd> polled{{wake_[0], POLLIN, 0}, {listening_, POLLIN, 0}};
    for (const Link& link : links) {
      polled.push_back({link.stalled ? -1 : link.client, POLLIN, 0});
      polled.push_back({link.server, POLLIN, 0});
    }
    if (poll(polled.data(), polled.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (polled[0].revents != 0) break;
    if (polled[1].revents & POLLIN) {
      Link link;
      link.client = accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC);
      link.server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
      const sockaddr_un address = AddressOf(upstream_);
      if (link.client < 0 || link.server < 0 ||
          connect(link.server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        link.Close();
      } else {
        links.push_back(link);
      }
    }
    for (std::size_t i = 0; i < links.size() && 2 + 2 * i + 1 < polled.size(); ++i) {
      Link& link = links[i];
      const short fromClient = polled[2 + 2 * i].revents, fromServer = polled[2 + 2 * i + 1].revents;
      if (fromClient != 0 && !link.stalled) {
        const ssize_t got = read(link.client, buffer, sizeof buffer);
        if (got <= 0) {
          link.Close();
          continue;
        }
        const std::string_view bytes(buffer, static_cast<std::size_t>(got));
        const std::optional<std::size_t> cut = CutPoint(link, bytes, threshold_);
        if (!WriteAll(link.server, buffer, cut.value_or(bytes.size()))) {
          link.Close();
          continue;
        }
        link.carried += bytes.size();
        link.recent += bytes.substr(0, cut.value_or(bytes.size()));
        if (link.recent.size() > kRecent) link.recent.erase(0, link.recent.size() - kRecent);
        if (cut) {
          tripped_ = true;
          if (past_ == Past::kCut) {
            link.Close();
            continue;
          }
          link.stalled = true;  // what it sent from the cut on is never passed on, and nothing after
        }
      }
      if (fromServer != 0) {
        const ssize_t got = read(link.server, buffer, sizeof buffer);
        if (got <= 0 || !WriteAll(link.client, buffer, static_cast<std::size_t>(got))) link.Close();
      }
    }
    std::erase_if(links, [](const Link& link) { return link.client < 0; });
  }
  for (Link& link : links) link.Close();
}

}  // namespace vant::test::cups
