#include "platform/system/termination_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <stdexcept>
#include <system_error>

namespace vant::system {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The handlers' only way to the pair: a handler is given the signal's number, nothing of
// ours. -1 while no TerminationSignals lives.
std::atomic<int> signalEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only touch lock-free atomics");

void OnSignal(int) {
  const int fd = signalEnd.load(std::memory_order_relaxed);
  if (fd < 0) return;
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(fd, &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals() {
  int pair[2] = {-1, -1};
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
    throw std::system_error(errno, std::generic_category(), "cannot create the signal socket pair");
  }
  signalEnd_.Reset(pair[0]);
  waitEnd_.Reset(pair[1]);
  int none = -1;
  if (!signalEnd.compare_exchange_strong(none, signalEnd_.Get())) {
    throw std::logic_error("the termination signals are already caught");
  }
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int s : kSignals) sigaction(s, &action, nullptr);
  installed_ = true;
}

TerminationSignals::~TerminationSignals() {
  PutBackDefaults();
  signalEnd.store(-1);
}

void TerminationSignals::PutBackDefaults() noexcept {
  if (!installed_) return;
  for (const int s : kSignals) std::signal(s, SIG_DFL);
  installed_ = false;
}

void TerminationSignals::TakeOne() const noexcept {
  char byte = 0;
  [[maybe_unused]] const auto got = ::read(waitEnd_.Get(), &byte, 1);
}

}  // namespace vant::system
