#include "platform/system/limited_child.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "platform/system/descriptor.h"
#include "sanitized_build.h"

namespace vant::system {
namespace {

// A sanitizer's allocator ends the process itself when memory runs out, before the work
// can see a refused allocation; whether the limit or the allocator ends it first varies.
using test::kSanitized;
constexpr ChildEnd kOutOfMemory = ChildEnd::kOverLimit;

// The child's reply; a reply the pipe does not take ends the child as broken.
void Reply(int fd, std::string_view bytes) {
  if (!WriteAll(fd, bytes)) throw std::runtime_error("the reply was not taken");
}

constexpr ChildLimits kSmall{.memoryBytes = 64u << 20,
                             .cpuSeconds = 1,
                             .wallTime = std::chrono::seconds(3),
                             .maxReplyBytes = 1u << 20};

struct ChildCase {
  int line;
  std::function<void(int)> work;
  ChildEnd end;
  std::string reply;
};

TEST(LimitedChild, EndsAsItsWorkEnds) {
  const ChildCase cases[] = {
      {__LINE__, [](int fd) { Reply(fd, "params"); }, ChildEnd::kReplied, "params"},
      {__LINE__, [](int) {}, ChildEnd::kReplied, ""},
      // Memory beyond the limit: refused allocations, in C++ or in C code that then crashes.
      {__LINE__,
       [](int fd) {
         const std::vector<char> big(std::size_t{128} << 20, 'x');
         Reply(fd, std::string(1, big[12345]));
       },
       kOutOfMemory, ""},
      {__LINE__,
       [](int fd) {
         for (int mib = 0; mib < 256; ++mib) {
           char* volatile p = static_cast<char*>(std::malloc(std::size_t{1} << 20));
           p[0] = 1;  // as code that does not check its allocations does
         }
         Reply(fd, "256 MiB");
       },
       kOutOfMemory, ""},
      {__LINE__, [](int) { for (volatile bool spin = true; spin;) {} }, ChildEnd::kOverLimit, ""},
      {__LINE__, [](int) { pause(); }, ChildEnd::kOverLimit, ""},  // waits, uses no CPU
      {__LINE__, [](int fd) { Reply(fd, std::string((2u << 20), 'x')); }, ChildEnd::kOverLimit, ""},
      {__LINE__, [](int fd) { Reply(fd, "half"); raise(SIGTERM); }, ChildEnd::kBroken, ""},
      {__LINE__, [](int) { throw std::runtime_error("no"); }, ChildEnd::kBroken, ""},
  };
  for (const ChildCase& c : cases) {
    SCOPED_TRACE(c.line);
    const ChildOutcome outcome = RunInLimitedChild(c.work, kSmall);
    if (kSanitized && c.end == kOutOfMemory && c.reply.empty()) {
      EXPECT_TRUE(outcome.end == ChildEnd::kOverLimit || outcome.end == ChildEnd::kBroken);
    } else {
      EXPECT_EQ(outcome.end, c.end);
    }
    EXPECT_EQ(outcome.reply, c.reply);
  }
}

TEST(LimitedChild, InheritsNoDescriptorButThePipe) {
  const int inherited = open("/dev/null", O_RDONLY);  // no O_CLOEXEC: a fork keeps it
  ASSERT_GE(inherited, 0);
  const ChildOutcome outcome = RunInLimitedChild(
      [](int fd) {
        std::string open;
        for (int other = 0; other < 1024; ++other) {
          if (other != fd && fcntl(other, F_GETFD) >= 0 && other > 2) open += std::to_string(other) + " ";
        }
        Reply(fd, open);
      },
      kSmall);
  EXPECT_EQ(outcome.end, ChildEnd::kReplied);
  close(inherited);
  EXPECT_EQ(outcome.reply, "");
}

}  // namespace
}  // namespace vant::system
