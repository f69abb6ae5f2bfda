#include "platform/system/limited_child.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <new>
#include <system_error>

#include "platform/system/descriptor.h"

namespace vant::system {
namespace {

constexpr int kReplyFd = 3;        // where the child finds the pipe
constexpr int kExitOutOfMemory = 3;
constexpr int kExitFailed = 4;

[[noreturn]] void Fail(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

// The address space the process has mapped now, in bytes: the limit is set above it, so that
// what the child inherits (libraries, a sanitizer's shadow) does not count against the work.
std::uint64_t MappedBytes() {
  std::FILE* statm = std::fopen("/proc/self/statm", "re");
  if (statm == nullptr) return 0;
  unsigned long long pages = 0;
  const int read = std::fscanf(statm, "%llu", &pages);
  std::fclose(statm);
  return read == 1 ? pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)) : 0;
}

void SetLimit(int resource, rlim_t soft, rlim_t hard) {
  const rlimit limit{soft, hard};
  if (setrlimit(resource, &limit) != 0) _exit(kExitFailed);
}

[[noreturn]] void RunChild(const std::function<void(int)>& work, const ChildLimits& limits,
                           int pipeFd) {
  // Dies with the parent instead of working on for nobody.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (pipeFd != kReplyFd) {
    if (dup2(pipeFd, kReplyFd) < 0) _exit(kExitFailed);
  }
  close_range(kReplyFd + 1, ~0U, 0);
  signal(SIGPIPE, SIG_DFL);
  const std::uint64_t mapped = MappedBytes();
  if (mapped == 0) _exit(kExitFailed);
  SetLimit(RLIMIT_AS, mapped + limits.memoryBytes, mapped + limits.memoryBytes);
  SetLimit(RLIMIT_CPU, limits.cpuSeconds, limits.cpuSeconds + 1);
  SetLimit(RLIMIT_CORE, 0, 0);
  int status = 0;
  try {
    work(kReplyFd);
  } catch (const std::bad_alloc&) {
    status = kExitOutOfMemory;
  } catch (...) {
    status = kExitFailed;
  }
  _exit(status);  // not exit(): the parent's atexit handlers and static objects are its own
}

// Reads the reply until the child closes the pipe, the reply grows too long or the time is
// up; says whether the reply is whole.
enum class Reading { kWhole, kTooLong, kTimedOut };
Reading ReadReply(int fd, std::string& reply, const ChildLimits& limits) {
  const auto deadline = std::chrono::steady_clock::now() + limits.wallTime;
  char buffer[65536];
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return Reading::kTimedOut;
    pollfd ready{fd, POLLIN, 0};
    const int polled = poll(&ready, 1, static_cast<int>(left.count()));
    if (polled < 0 && errno == EINTR) continue;
    if (polled < 0) Fail("poll");
    if (polled == 0) return Reading::kTimedOut;
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) Fail("read");
    if (got == 0) return Reading::kWhole;
    if (reply.size() + static_cast<std::size_t>(got) > limits.maxReplyBytes) return Reading::kTooLong;
    reply.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

ChildOutcome RunInLimitedChild(const std::function<void(int replyFd)>& work,
                               const ChildLimits& limits) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) Fail("pipe2");
  Descriptor readEnd(ends[0]), writeEnd(ends[1]);
  const pid_t child = fork();
  if (child < 0) Fail("fork");
  if (child == 0) {
    readEnd.Reset();
    RunChild(work, limits, writeEnd.Get());
  }
  writeEnd.Reset();
  ChildOutcome outcome{ChildEnd::kReplied, {}, 0};
  Reading reading = Reading::kWhole;
  try {
    reading = ReadReply(readEnd.Get(), outcome.reply, limits);
  } catch (...) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    throw;
  }
  if (reading != Reading::kWhole) kill(child, SIGKILL);
  readEnd.Reset();
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) Fail("waitpid");
  }
  if (reading != Reading::kWhole) {
    outcome.end = ChildEnd::kOverLimit;
    outcome.reply.clear();
    return outcome;
  }
  if (WIFEXITED(status)) {
    const int code = WEXITSTATUS(status);
    outcome.end = code == 0 ? ChildEnd::kReplied
                  : code == kExitOutOfMemory ? ChildEnd::kOverLimit
                                             : ChildEnd::kBroken;
  } else {
    outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    // Out of CPU time is SIGXCPU, then SIGKILL at the hard limit; out of memory inside code
    // that does not check its allocations is mostly a SIGSEGV or SIGABRT. Any of them is
    // the page's fault as far as the reader can tell.
    const int s = outcome.signal;
    outcome.end = (s == SIGXCPU || s == SIGKILL || s == SIGSEGV || s == SIGABRT || s == SIGBUS)
                      ? ChildEnd::kOverLimit
                      : ChildEnd::kBroken;
  }
  if (outcome.end != ChildEnd::kReplied) outcome.reply.clear();
  return outcome;
}

}  // namespace vant::system
