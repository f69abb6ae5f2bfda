// The descriptor owner closes what it holds exactly once; ReadToEnd reads to the end within
// a limit and WriteAll writes a buffer whole through short writes, or they say why not.
#include "platform/system/descriptor.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
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

// A file holding the bytes, read from its start.
Descriptor FileHolding(const std::string& bytes) {
  Descriptor file(memfd_create("read-to-end", MFD_CLOEXEC));
  EXPECT_TRUE(file.IsOpen());
  EXPECT_TRUE(WriteAll(file.Get(), bytes));
  EXPECT_EQ(lseek(file.Get(), 0, SEEK_SET), 0);
  return file;
}

TEST(ReadToEnd, ReadsAllUpToTheLimitWhateverSizeWasExpected) {
  const struct Case {
    int line;
    std::size_t length, maxBytes, sizeHint;
    bool overLimit;
  } cases[] = {
      {__LINE__, 0, 10, 0, false},
      {__LINE__, 10, 10, 10, false},        // exactly the limit
      {__LINE__, 11, 10, 11, true},         // one byte more
      {__LINE__, 11, 10, 0, true},
      {__LINE__, 200'000, 1 << 20, 0, false},    // in many pieces
      {__LINE__, 200'000, 1 << 20, 100, false},  // grown since its size was taken
      {__LINE__, 100, 1000, 1000, false},        // shrunk since
      {__LINE__, 0, 0, 0, false},
      {__LINE__, 1, 0, 0, true},
      {__LINE__, 5, SIZE_MAX, SIZE_MAX, false},  // no limit, and a hint it cannot take
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::string bytes(c.length, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>('a' + i % 26);
    const Descriptor file = FileHolding(bytes);
    const ReadBytes read = ReadToEnd(file.Get(), c.maxBytes, c.sizeHint);
    EXPECT_EQ(read.error, 0);
    EXPECT_EQ(read.overLimit, c.overLimit);
    EXPECT_EQ(read.bytes, c.overLimit ? std::string() : bytes);
  }
}

TEST(ReadToEnd, SaysWhyItCouldNotRead) {
  const Descriptor writeOnly(open("/dev/null", O_WRONLY | O_CLOEXEC));
  const ReadBytes read = ReadToEnd(writeOnly.Get(), 100);
  EXPECT_EQ(read.error, EBADF);
  EXPECT_FALSE(read.overLimit);
  EXPECT_TRUE(read.bytes.empty());
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
