// The descriptor owner closes what it holds exactly once, and WriteAll writes a buffer
// whole through short writes or says why it could not.
#include "platform/system/descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <string>
#include <thread>
#include <utility>

namespace vant::system {
namespace {

bool IsOpenInProcess(int fd) { return fcntl(fd, F_GETFD) >= 0; }

int OpenNull() {
  const int fd = open("/dev/null", O_WRONLY | O_CLOEXEC);
  EXPECT_GE(fd, 0);
  return fd;
}

TEST(Descriptor, ClosesWhatItHoldsWhenItGoesOrIsGivenAnother) {
  int first = -1;
  {
    Descriptor held(OpenNull());
    first = held.Get();
    EXPECT_TRUE(held.IsOpen());
    held.Reset(OpenNull());
    EXPECT_FALSE(IsOpenInProcess(first)) << "Reset keeps the one held before open";
    first = held.Get();
  }
  EXPECT_FALSE(IsOpenInProcess(first)) << "the owner's end leaves its descriptor open";
}

TEST(Descriptor, MovesAndReleasesOwnershipWithoutClosing) {
  Descriptor a(OpenNull());
  const int fd = a.Get();
  Descriptor b(std::move(a));
  EXPECT_FALSE(a.IsOpen());  // a moved-from owner holds nothing
  EXPECT_EQ(b.Get(), fd);

  Descriptor c(OpenNull());
  const int overwritten = c.Get();
  c = std::move(b);
  EXPECT_EQ(c.Get(), fd);
  EXPECT_FALSE(IsOpenInProcess(overwritten));

  const int released = c.Release();
  EXPECT_FALSE(c.IsOpen());
  EXPECT_TRUE(IsOpenInProcess(released));
  close(released);
}

TEST(Descriptor, CloseSaysHowTheCloseWent) {
  Descriptor open(OpenNull());
  const int fd = open.Get();
  EXPECT_EQ(open.Close(), 0);
  EXPECT_FALSE(open.IsOpen());
  EXPECT_FALSE(IsOpenInProcess(fd));
  EXPECT_EQ(open.Close(), 0) << "a second close has nothing to close";

  Descriptor stale(fd);  // closed already: the close fails
  EXPECT_EQ(stale.Close(), EBADF);
}

TEST(WriteAll, WritesBeyondWhatThePipeHoldsAtOnce) {
  int ends[2];
  ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
  Descriptor readEnd(ends[0]), writeEnd(ends[1]);
  std::string bytes(1 << 20, '\0');  // 16 times a pipe's default buffer
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  std::string got;
  std::thread reader([&] {
    char buffer[4096];
    for (ssize_t n; (n = read(readEnd.Get(), buffer, sizeof buffer)) > 0;) got.append(buffer, static_cast<std::size_t>(n));
  });
  const bool written = WriteAll(writeEnd.Get(), bytes);
  writeEnd.Reset();
  reader.join();
  EXPECT_TRUE(written);
  EXPECT_EQ(got, bytes);
}

TEST(WriteAll, SaysWhyItCouldNotWrite) {
  const struct Case {
    int line;
    bool readerGone;  // else a descriptor open for reading only
    int error;
  } cases[] = {{__LINE__, true, EPIPE}, {__LINE__, false, EBADF}};
  std::signal(SIGPIPE, SIG_IGN);  // as the browser's host does
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
    Descriptor readEnd(ends[0]), writeEnd(ends[1]);
    if (c.readerGone) readEnd.Reset();
    const int target = c.readerGone ? writeEnd.Get() : readEnd.Get();
    errno = 0;
    EXPECT_FALSE(WriteAll(target, "answer"));
    EXPECT_EQ(errno, c.error);
  }
}

}  // namespace
}  // namespace vant::system
