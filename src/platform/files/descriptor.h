// The one owner of an open file descriptor: closed when the owner goes, and a close that
// fails (the last chance for a deferred write error) said when the caller asks.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/files/file_errors.h"

namespace vant::files {

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) {
      Reset(other.fd_);
      other.fd_ = -1;
    }
    return *this;
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int Get() const { return fd_; }
  // Holds fd from now on, closing the one held before.
  void Reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // Closes now; a failing close throws FileWriteFailure naming the file.
  void Close(const std::filesystem::path& file) {
    if (fd_ < 0) return;
    const int fd = fd_;
    fd_ = -1;
    // After EINTR the descriptor is closed on Linux; the data has been handed over.
    if (::close(fd) != 0 && errno != EINTR) throw FileWriteFailure(file, errno);
  }

 private:
  int fd_;
};

}  // namespace vant::files
