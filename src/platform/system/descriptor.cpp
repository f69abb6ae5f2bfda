#include "platform/system/descriptor.h"

#include <unistd.h>

#include <cerrno>

namespace vant::system {

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
  if (this != &other) Reset(other.Release());
  return *this;
}

void Descriptor::Reset(int fd) noexcept {
  if (fd_ >= 0 && fd_ != fd) ::close(fd_);
  fd_ = fd;
}

int Descriptor::Release() noexcept {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

int Descriptor::Close() noexcept {
  const int fd = Release();
  if (fd < 0 || ::close(fd) == 0 || errno == EINTR) return 0;
  return errno;
}

ReadBytes ReadToEnd(int fd, std::size_t maxBytes, std::size_t sizeHint) {
  constexpr std::size_t kPiece = 64 * 1024;
  ReadBytes read;
  std::string& bytes = read.bytes;
  // A byte beyond the hint sees the end without growing; a hint beyond the limit is no size
  // to read into (the input is over the limit or has changed), so reading starts small.
  bytes.resize(sizeHint < maxBytes ? sizeHint + 1 : kPiece);
  std::size_t filled = 0;
  while (true) {
    if (filled == bytes.size()) bytes.resize(bytes.size() + kPiece);
    const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      read.error = errno;
      break;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
    if (filled > maxBytes) {
      read.overLimit = true;
      break;
    }
  }
  bytes.resize(read.error == 0 && !read.overLimit ? filled : 0);
  return read;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    // A write that takes nothing of a non-empty buffer would be tried for ever.
    if (written == 0) {
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace vant::system
