#include "platform/browser/native_messaging.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace vant::browser {
namespace {

// Reads exactly size bytes unless the input ends first; returns how many were read.
std::size_t ReadFully(ByteSource& source, char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const std::size_t got = source.Read(buffer + done, size - done);
    if (got == 0) break;
    done += got;
  }
  return done;
}

}  // namespace

std::size_t FdSource::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) return 0;
  }
}

std::size_t MemorySource::Read(char* buffer, std::size_t size) {
  const std::size_t n = std::min(size, bytes_.size());
  std::memcpy(buffer, bytes_.data(), n);
  bytes_.remove_prefix(n);
  return n;
}

ReadMessage ReadNextMessage(ByteSource& source, std::size_t limit) {
  ReadMessage message;
  std::array<char, sizeof(std::uint32_t)> header{};
  const std::size_t headerRead = ReadFully(source, header.data(), header.size());
  if (headerRead == 0) return message;  // kEnd
  if (headerRead < header.size()) {
    message.kind = ReadMessage::Kind::kTruncated;
    return message;
  }
  std::memcpy(&message.declaredLength, header.data(), header.size());  // native byte order
  const std::size_t length = message.declaredLength;
  if (length > limit) {
    std::array<char, 64 * 1024> discard{};
    std::size_t left = length;
    while (left > 0) {
      const std::size_t got = ReadFully(source, discard.data(), std::min(left, discard.size()));
      if (got == 0) {
        message.kind = ReadMessage::Kind::kTruncated;
        return message;
      }
      left -= got;
    }
    message.kind = ReadMessage::Kind::kTooLarge;
    return message;
  }
  // The room is taken at once but filled as the bytes arrive: a length declared and never
  // sent costs address space, not memory.
  message.bytes.reserve(length);
  constexpr std::size_t kPiece = std::size_t{1} << 20;
  while (message.bytes.size() < length) {
    const std::size_t have = message.bytes.size();
    const std::size_t piece = std::min(kPiece, length - have);
    message.bytes.resize(have + piece);
    if (ReadFully(source, message.bytes.data() + have, piece) < piece) {
      message.bytes = std::string();
      message.kind = ReadMessage::Kind::kTruncated;
      return message;
    }
  }
  message.kind = ReadMessage::Kind::kMessage;
  return message;
}

std::string FrameMessage(std::string_view json) {
  const auto length = static_cast<std::uint32_t>(json.size());
  std::string framed(sizeof length, '\0');
  std::memcpy(framed.data(), &length, sizeof length);
  framed.append(json);
  return framed;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace vant::browser
