// Native messaging, the browser's channel to the host: each message either way is a 4-byte
// length in the machine's byte order followed by that many bytes of UTF-8 JSON.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vant::browser {

// The largest answer a browser takes from its host, bytes of JSON.
inline constexpr std::size_t kMaxAnswerBytes = 1024 * 1024;
// The largest request the host reads, bytes of JSON: the same bound as a page file (a page of
// 32767 methods sends a few MiB). A longer message is skipped unread and refused.
inline constexpr std::size_t kMaxRequestBytes = 64u << 20;

// Where requests come from: a pipe, or bytes in memory for the tests and the fuzzer.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to size bytes into buffer; 0 only at the end of the input. A read error
  // counts as the end.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class FdSource final : public ByteSource {
 public:
  explicit FdSource(int fd) : fd_(fd) {}
  std::size_t Read(char* buffer, std::size_t size) override;

 private:
  int fd_;
};

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  std::size_t Read(char* buffer, std::size_t size) override;

 private:
  std::string_view bytes_;
};

struct ReadMessage {
  enum class Kind {
    kMessage,    // bytes holds the message
    kTooLarge,   // declaredLength over the limit; its bytes were skipped, the next can follow
    kEnd,        // the input ended between messages
    kTruncated,  // the input ended inside a length or a message
  };
  Kind kind = Kind::kEnd;
  std::string bytes;
  std::uint32_t declaredLength = 0;
};

// Reads the next message. A length over limit is not allocated: its bytes are read and
// dropped in small pieces, so that the stream stays in step.
ReadMessage ReadNextMessage(ByteSource& source, std::size_t limit = kMaxRequestBytes);

// The message with its length in front.
std::string FrameMessage(std::string_view json);

}  // namespace vant::browser
