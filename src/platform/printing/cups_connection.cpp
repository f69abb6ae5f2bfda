#include "platform/printing/cups_connection.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/system/descriptor.h"
#include "platform/system/file_errors.h"

namespace vant::printing {
namespace {

bool NamesAServer(const std::filesystem::path& clientConf) {
  std::ifstream in(clientConf);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start != std::string::npos && line.compare(start, 10, "ServerName") == 0) return true;
  }
  return false;
}

// The error of connecting to a local socket now; 0 when it connects.
int LocalConnectError(const std::string& path) {
  const system::Descriptor probe(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!probe.IsOpen()) return errno;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  return connect(probe.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ? 0 : errno;
}

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// How long the second attempt waits for a host's answer, in milliseconds.
constexpr int kProbeMs = 2000;

// The error of connecting to a host's port now; 0 when it connects. libcups reports every
// failed connect as EHOSTDOWN, which would call a refused port an unreachable host.
int RemoteConnectError(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  // An IPv6 address is written in brackets.
  const std::string address = host.starts_with('[') && host.ends_with(']') ? host.substr(1, host.size() - 2) : host;
  if (getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return EHOSTUNREACH;
  int error = EHOSTUNREACH;
  for (const addrinfo* a = found; a != nullptr && error != 0; a = a->ai_next) {
    const system::Descriptor probe(
        ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol));
    if (!probe.IsOpen()) continue;
    // Not blocking: a host that never answers is not waited for as long again.
    if (connect(probe.Get(), a->ai_addr, a->ai_addrlen) == 0) return 0;
    error = errno;
    if (error != EINPROGRESS) continue;
    pollfd ready{probe.Get(), POLLOUT, 0};
    if (poll(&ready, 1, kProbeMs) != 1) {
      error = ETIMEDOUT;
      continue;
    }
    socklen_t size = sizeof error;
    if (getsockopt(probe.Get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
  }
  freeaddrinfo(found);
  return error;
}

}  // namespace

std::string ServerAddress(const std::string& name) {
  if (name.starts_with('/') || name.empty()) return name;
  return name + ":" + std::to_string(ippPort());
}

PrintServer ChosenPrintServer() {
  PrintServer server;
  const char* name = cupsServer();
  server.name = name != nullptr ? name : "";
  // libcups takes a socket only when it is configured or there; a host name only when it
  // is configured, else its fallback "localhost".
  server.configured =
      !Env("CUPS_SERVER").empty() || server.name.starts_with('/') ||
      (!Env("HOME").empty() && NamesAServer(std::filesystem::path(Env("HOME")) / ".cups/client.conf")) ||
      NamesAServer(std::filesystem::path(Env("CUPS_SERVERROOT").empty() ? "/etc/cups" : Env("CUPS_SERVERROOT")) /
                   "client.conf");
  return server;
}

std::shared_ptr<CupsConnection> CupsConnection::Open(const std::string& server, Text& unreachable) {
  // Made unconnected first, then connected, so that the connect's own error can be read
  // from the connection: after a failed httpConnect2, errno is that of its clean-up.
  http_t* http = httpConnect2(server.c_str(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(),
                              /*blocking=*/1, /*msec=*/0, nullptr);
  if (http == nullptr) {
    unreachable = u"サーバー名を解決できません";
    return nullptr;
  }
  std::shared_ptr<CupsConnection> connection(new CupsConnection(http));
  const int timeoutMs = static_cast<int>(std::chrono::milliseconds(kServerTimeout).count());
  if (httpReconnect2(http, timeoutMs, nullptr) != 0) {
    // libcups reports any failed connect as EHOSTDOWN; the server is asked again, so that
    // "not there", "nobody listening" and "no route" are told apart.
    const int error = server.starts_with('/') ? LocalConnectError(server) : RemoteConnectError(server, ippPort());
    unreachable = error != 0 ? system::SocketErrorReason(error) : u"接続できません";
    return nullptr;
  }
  httpSetTimeout(http, static_cast<double>(kServerTimeout.count()), &CupsConnection::GiveUp, connection.get());
  return connection;
}

CupsConnection::~CupsConnection() { httpClose(http_); }

int CupsConnection::GiveUp(http_t* /*http*/, void* self) {
  static_cast<CupsConnection*>(self)->timedOut_ = true;
  return 0;  // do not wait on
}

bool CupsConnection::ReadyForAnotherRequest() const {
  if (timedOut_) return false;
  if (httpError(http_) == 0) return true;
  const int timeoutMs = static_cast<int>(std::chrono::milliseconds(kServerTimeout).count());
  return httpReconnect2(http_, timeoutMs, nullptr) == 0;
}

Text CupsConnection::FailureReason(ipp_status_t status) const {
  if (timedOut_) {
    return u"印刷サーバーが " + FromUtf8(std::to_string(kServerTimeout.count())) + u" 秒以内に応答しません";
  }
  if (const int error = httpError(http_); error != 0) return system::SocketErrorReason(error);
  if (status > IPP_STATUS_OK_CONFLICTING) {
    const char* message = cupsLastErrorString();
    const std::string_view server = message != nullptr ? message : "";
    Text reason = u"印刷サーバーが拒否しました (" + FromUtf8(ippErrorString(status));
    if (!server.empty() && server != ippErrorString(status)) reason += u": " + FromUtf8(server);
    return reason + u")";
  }
  return u"印刷サーバーとの通信に失敗しました";
}

}  // namespace vant::printing
