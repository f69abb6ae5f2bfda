// A file descriptor with one owner, closed when the owner goes, and a whole buffer written
// to a descriptor: what reading a page, running a child, writing a file and answering the
// browser all do with descriptors.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vant::system {

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) noexcept : fd_(fd) {}
  ~Descriptor() { Reset(); }
  Descriptor(Descriptor&& other) noexcept : fd_(other.Release()) {}
  Descriptor& operator=(Descriptor&& other) noexcept;
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int Get() const noexcept { return fd_; }
  bool IsOpen() const noexcept { return fd_ >= 0; }
  // Holds fd from now on (none for -1), closing the one held before without asking how the
  // close went: for descriptors nothing was written through, or whose writing has failed.
  void Reset(int fd = -1) noexcept;
  // Gives the descriptor up to the caller, who closes it.
  int Release() noexcept;
  // Closes now and says how it went: 0, or the errno value of a failing close, which is the
  // last chance to hear of a deferred write error (a full disk on NFS). After EINTR the
  // descriptor is closed on Linux and what was written has been handed over: 0 then.
  [[nodiscard]] int Close() noexcept;

 private:
  int fd_;
};

// What reading a descriptor to its end gave.
struct ReadBytes {
  std::string bytes;      // all of it, unless the reading failed or went over the limit
  int error = 0;          // the errno value of a read that failed
  bool overLimit = false;  // more than the limit was there: the reading stopped
};

// Reads the descriptor to its end, again after an interruption, keeping at most maxBytes:
// one byte more ends the reading. sizeHint (a file's size) is read into in one piece.
ReadBytes ReadToEnd(int fd, std::size_t maxBytes, std::size_t sizeHint = 0);

// Writes all of bytes to the descriptor, again after an interruption or a short write.
// True when all were written; false when a write failed, errno then saying why (EPIPE when
// the reader has gone and SIGPIPE is ignored).
[[nodiscard]] bool WriteAll(int fd, std::string_view bytes);

}  // namespace vant::system
