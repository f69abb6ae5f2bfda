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
