// The termination signals as a descriptor: each signal makes the wait end readable by one
// byte, the handlers go back to the default and the pair is closed when the catcher goes,
// and only one catcher lives at a time.
#include "platform/system/termination_signals.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>

#include <csignal>
#include <stdexcept>

namespace vant::system {
namespace {

bool Readable(int fd) {
  pollfd ready{fd, POLLIN, 0};
  return poll(&ready, 1, 0) == 1 && (ready.revents & POLLIN) != 0;
}

bool HandledByDefault(int signal) {
  struct sigaction now {};
  sigaction(signal, nullptr, &now);
  return now.sa_handler == SIG_DFL;
}

TEST(TerminationSignals, EachSignalWakesTheWaitEndOnceAndGoesBackToTheDefault) {
  struct Row {
    int line;
    int signal;
  };
  const Row rows[] = {{__LINE__, SIGTERM}, {__LINE__, SIGINT}, {__LINE__, SIGHUP}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    int waitEnd = -1;
    {
      TerminationSignals signals;
      waitEnd = signals.WaitEnd();
      EXPECT_FALSE(HandledByDefault(row.signal));
      EXPECT_FALSE(Readable(waitEnd));
      // The handler runs before raise returns.
      ASSERT_EQ(raise(row.signal), 0);
      EXPECT_TRUE(Readable(waitEnd));
      signals.TakeOne();
      EXPECT_FALSE(Readable(waitEnd));
    }
    EXPECT_TRUE(HandledByDefault(row.signal));
    EXPECT_LT(fcntl(waitEnd, F_GETFD), 0) << "the wait end stays open";
  }
}

TEST(TerminationSignals, PutsTheDefaultsBackBeforeItGoesAndLivesOnceAtATime) {
  TerminationSignals signals;
  EXPECT_THROW(TerminationSignals(), std::logic_error);
  // The refused second one took nothing from the first.
  ASSERT_EQ(raise(SIGHUP), 0);
  EXPECT_TRUE(Readable(signals.WaitEnd()));
  signals.PutBackDefaults();
  for (const int s : {SIGTERM, SIGINT, SIGHUP}) EXPECT_TRUE(HandledByDefault(s)) << s;
  signals.TakeOne();
  EXPECT_FALSE(Readable(signals.WaitEnd()));
}

TEST(TerminationSignals, AnotherMayCatchThemWhenTheFirstHasGone) {
  { const TerminationSignals first; }
  const TerminationSignals second;
  ASSERT_EQ(raise(SIGTERM), 0);
  EXPECT_TRUE(Readable(second.WaitEnd()));
}

}  // namespace
}  // namespace vant::system
