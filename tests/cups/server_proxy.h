// A print server in front of the private one, for tests of a server lost in the middle of
// a request: every connection is passed through until the bytes it has carried toward the
// server pass a threshold. Then it is cut (both ends closed: a server gone) or stalled
// (nothing more read from it: a server that no longer answers); when the client sends its
// body in chunks, inside a chunk's size line, where the server could take the body as whole.
#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <thread>

namespace vant::test::cups {

class ServerProxy {
 public:
  enum class Past { kCut, kStall };

  // Listens on socket, passing connections to the server listening on upstream.
  ServerProxy(std::filesystem::path socket, std::filesystem::path upstream, std::size_t thresholdBytes,
              Past past);
  ~ServerProxy();
  ServerProxy(const ServerProxy&) = delete;
  ServerProxy& operator=(const ServerProxy&) = delete;

  const std::filesystem::path& Socket() const { return socket_; }
  // Whether a connection has passed the threshold.
  bool Tripped() const { return tripped_; }

 private:
  void Serve(const std::stop_token& stop);

  std::filesystem::path socket_, upstream_;
  std::size_t threshold_;
  Past past_;
  int listening_ = -1;
  int wake_[2] = {-1, -1};  // a byte on it ends the serving thread
  std::atomic<bool> tripped_{false};
  std::jthread thread_;
};

}  // namespace vant::test::cups
