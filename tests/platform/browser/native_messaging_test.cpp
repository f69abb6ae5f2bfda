// The framing of native messaging: lengths in the machine's byte order, messages read
// whole across short reads, over-long messages skipped without losing step, an input that
// ends inside a message told apart from one that ends between messages.
#include "platform/browser/native_messaging.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/system/descriptor.h"

namespace vant::browser {
namespace {

std::string Header(std::uint32_t length) {
  std::string bytes(4, '\0');
  std::memcpy(bytes.data(), &length, 4);
  return bytes;
}

std::string Frame(const std::string& body) { return Header(static_cast<std::uint32_t>(body.size())) + body; }

// A source that hands out at most one byte a call, as a pipe may.
class TrickleSource final : public ByteSource {
 public:
  explicit TrickleSource(std::string bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    if (size == 0 || at_ == bytes_.size()) return 0;
    buffer[0] = bytes_[at_++];
    return 1;
  }

 private:
  std::string bytes_;
  std::size_t at_ = 0;
};

// What the reader made of the input, one entry a message: "msg:BODY", "large:N", "end",
// "truncated"; reading stops at the end or a truncation.
std::vector<std::string> ReadAll(ByteSource& source, std::size_t limit) {
  std::vector<std::string> seen;
  for (;;) {
    const ReadMessage m = ReadNextMessage(source, limit);
    switch (m.kind) {
      case ReadMessage::Kind::kMessage: seen.push_back("msg:" + m.bytes); break;
      case ReadMessage::Kind::kTooLarge: seen.push_back("large:" + std::to_string(m.declaredLength)); break;
      case ReadMessage::Kind::kEnd: seen.push_back("end"); return seen;
      case ReadMessage::Kind::kTruncated: seen.push_back("truncated"); return seen;
    }
  }
}

struct FramingCase {
  int line;
  std::string input;
  std::vector<std::string> expected;
};

TEST(NativeMessaging, ReadsEveryFrameAndTellsHowTheInputEnded) {
  const std::size_t limit = 16;
  const std::vector<FramingCase> cases = {
      {__LINE__, "", {"end"}},
      {__LINE__, Frame("{}"), {"msg:{}", "end"}},
      {__LINE__, Frame(""), {"msg:", "end"}},
      {__LINE__, Frame("{\"a\":1}") + Frame("[2]"), {"msg:{\"a\":1}", "msg:[2]", "end"}},
      {__LINE__, Header(3).substr(0, 2), {"truncated"}},
      {__LINE__, Header(10) + "abc", {"truncated"}},
      {__LINE__, Frame("ok") + Header(5), {"msg:ok", "truncated"}},
      {__LINE__, Frame(std::string(16, 'x')), {"msg:" + std::string(16, 'x'), "end"}},
      // Over the limit: skipped, the next message still read.
      {__LINE__, Frame(std::string(17, 'x')) + Frame("next"), {"large:17", "msg:next", "end"}},
      {__LINE__, Header(0xFFFFFFFFu) + "short", {"truncated"}},
  };
  for (const FramingCase& c : cases) {
    MemorySource whole(c.input);
    EXPECT_EQ(ReadAll(whole, limit), c.expected) << "line " << c.line;
    TrickleSource trickle(c.input);
    EXPECT_EQ(ReadAll(trickle, limit), c.expected) << "line " << c.line << " (one byte a read)";
  }
}

TEST(NativeMessaging, FrameCarriesTheLengthInTheMachinesByteOrder) {
  const std::string body = "{\"kind\":\"document\",\"title\":\"請求書\"}";
  const std::string framed = FrameMessage(body);
  ASSERT_EQ(framed.size(), body.size() + 4);
  std::uint32_t length = 0;
  std::memcpy(&length, framed.data(), 4);
  EXPECT_EQ(length, body.size());
  EXPECT_EQ(framed.substr(4), body);
  MemorySource source(framed);
  EXPECT_EQ(ReadAll(source, kMaxRequestBytes), (std::vector<std::string>{"msg:" + body, "end"}));
}

TEST(NativeMessaging, AFramedMessageWrittenThroughAPipeIsReadBack) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const std::string framed = FrameMessage("{\"id\":1}");
  ASSERT_TRUE(system::WriteAll(fds[1], framed));
  FdSource source(fds[0]);
  close(fds[1]);
  EXPECT_EQ(ReadAll(source, kMaxRequestBytes), (std::vector<std::string>{"msg:{\"id\":1}", "end"}));
  close(fds[0]);
}

}  // namespace
}  // namespace vant::browser
