#include "app/process/termination.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <csignal>
#include <stdexcept>

namespace vant::app {
namespace {

// A signal handler may only write to a descriptor; the event loop reads the other end.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

QuitOnTermination::QuitOnTermination() {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
    throw std::runtime_error("cannot create the signal socket pair");
  }
  notifier_ = std::make_unique<QSocketNotifier>(signalPipe[1], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [] {
    char byte = 0;
    [[maybe_unused]] const auto got = ::read(signalPipe[1], &byte, 1);
    // Every running event loop returns, the modal preview's included.
    QCoreApplication::exit(0);
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int s : kSignals) sigaction(s, &action, nullptr);
}

QuitOnTermination::~QuitOnTermination() {
  for (const int s : kSignals) std::signal(s, SIG_DFL);
  notifier_.reset();
  ::close(signalPipe[0]);
  ::close(signalPipe[1]);
  signalPipe[0] = signalPipe[1] = -1;
}

}  // namespace vant::app
