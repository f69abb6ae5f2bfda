// A print server that was chosen but cannot be used: gone (no socket, or nobody listening)
// or hung (listening, never answering). The list says so once, plainly, within the time
// bound, with the reason from what failed.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/printing/cups_connection.h"
#include "platform/printing/printer_list.h"
#include "scratch_dir.h"

namespace vant::printing {
namespace {

// A Unix socket at path: bound and listening (a server that never answers), or bound and
// closed again (a server that is gone).
class ServerSocket {
 public:
  ServerSocket(const std::filesystem::path& path, bool listening) {
    fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) throw std::runtime_error("socket");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.string().copy(address.sun_path, sizeof address.sun_path - 1);
    if (bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) throw std::runtime_error("bind");
    if (listening && listen(fd_, 16) != 0) throw std::runtime_error("listen");
    if (!listening) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~ServerSocket() {
    if (fd_ >= 0) close(fd_);
  }
  ServerSocket(const ServerSocket&) = delete;
  ServerSocket& operator=(const ServerSocket&) = delete;

 private:
  int fd_ = -1;
};

struct ServerCase {
  int line;
  const char* name;
  enum { kMissing, kClosed, kHung } state;
  const char* reason;
};

TEST(PrintServerUnreachable, IsSaidOnceWithItsReasonAndLeavesThePdfPrinter) {
  const ServerCase cases[] = {
      {__LINE__, "missing.sock", ServerCase::kMissing, "ソケットがありません"},
      {__LINE__, "closed.sock", ServerCase::kClosed, "接続を拒否されました"},
      {__LINE__, "hung.sock", ServerCase::kHung, "秒以内に応答しません"},
  };
  const test::ScratchDir dir;
  for (const ServerCase& c : cases) {
    SCOPED_TRACE(c.line);
    const auto path = dir.Path() / c.name;
    std::optional<ServerSocket> server;
    if (c.state != ServerCase::kMissing) server.emplace(path, c.state == ServerCase::kHung);
    cupsSetServer(path.c_str());
    const auto list = PrinterList::FromCups();
    cupsSetServer(nullptr);
    ASSERT_TRUE(list->ServerUnreachable());
    const std::string said = ToUtf8(*list->ServerUnreachable());
    EXPECT_NE(said.find("印刷サーバー「" + path.string() + "」からプリンターの一覧を取得できません ("),
              std::string::npos) << said;
    EXPECT_NE(said.find(c.reason), std::string::npos) << said;
    for (const char* stale : {"Success", "Bad file descriptor", "Invalid argument"}) {
      EXPECT_EQ(said.find(stale), std::string::npos) << said;
    }
    // Said once among the problems, with what follows from it.
    EXPECT_EQ(list->Problems(), std::vector<Text>{*list->ServerUnreachable() + kPdfPrinterOnly});
    EXPECT_EQ(list->Count(), 1);
    EXPECT_EQ(list->At(0).DeviceName(), u"Vant3 PDF");
  }
}

// A host's port where nobody listens: refused, not "unreachable", and named with its port.
TEST(PrintServerUnreachable, ARefusedPortIsSaidAsRefusedWithTheServersPort) {
  struct Row {
    int line;
    int family;
    const char* host;  // as CUPS_SERVER names it
  };
  const Row rows[] = {{__LINE__, AF_INET, "127.0.0.1"}, {__LINE__, AF_INET, "localhost"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    // A port that was free a moment ago: bound, read and closed again.
    const int fd = socket(row.family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size), 0);
    close(fd);
    const std::string server = std::string(row.host) + ":" + std::to_string(ntohs(address.sin_port));
    // Chosen as a user chooses it: a host is a server only when configured.
    const char* before = std::getenv("CUPS_SERVER");
    const std::optional<std::string> kept = before != nullptr ? std::optional<std::string>(before) : std::nullopt;
    setenv("CUPS_SERVER", server.c_str(), 1);
    cupsSetServer(server.c_str());
    const auto list = PrinterList::FromCups();
    cupsSetServer(nullptr);
    if (kept) setenv("CUPS_SERVER", kept->c_str(), 1); else unsetenv("CUPS_SERVER");
    ASSERT_TRUE(list->ServerUnreachable());
    const std::string said = ToUtf8(*list->ServerUnreachable());
    EXPECT_NE(said.find("印刷サーバー「" + server + "」から"), std::string::npos) << said;
    EXPECT_NE(said.find("(接続を拒否されました)"), std::string::npos) << said;
  }
}

}  // namespace
}  // namespace vant::printing
