// Running untrusted work (parsing a page) in a child process under memory and CPU limits,
// so that whatever the work exhausts or breaks dies with the child. The child hands its
// result back through a pipe; the caller reads and checks it.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace vant::system {

struct ChildLimits {
  std::uint64_t memoryBytes;      // address space the child may add to what it inherits
  unsigned cpuSeconds;            // CPU time, after which the child is stopped
  std::chrono::seconds wallTime;  // insurance for a child that waits instead of working
  std::size_t maxReplyBytes;      // a longer reply is not read on
};

enum class ChildEnd {
  kReplied,       // exited normally after writing its whole reply
  kOverLimit,     // ran out of memory or CPU time, or wrote more than allowed
  kBroken,        // died from another signal or failed in another way
};

struct ChildOutcome {
  ChildEnd end;
  std::string reply;  // what the child wrote, for kReplied
  int signal = 0;     // the signal that ended the child, if one did
};

// Forks; the child closes every descriptor but the standard ones and the pipe, sets the
// limits (and no core file), runs work with the pipe's descriptor and exits without
// running the parent's exit handlers. Work that throws std::bad_alloc counts as over the
// memory limit. Call while the process has a single thread. Throws std::system_error when
// no child can be started.
ChildOutcome RunInLimitedChild(const std::function<void(int replyFd)>& work,
                               const ChildLimits& limits);

}  // namespace vant::system
