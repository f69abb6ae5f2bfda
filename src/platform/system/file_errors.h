// The reasons a file operation or a connection fails, as the user reads them: an errno
// value in Japanese, from one table that holds the words of both.
#pragma once

#include <filesystem>

#include "common/failure.h"
#include "common/text.h"

namespace vant::system {

// "ディスクの空き容量が不足しています" for ENOSPC and so on; a value without a text of its
// own is named by its number.
Text ErrnoReason(int error);

// The same value as a connection through a socket reads it: "ソケットがありません" for
// ENOENT, "接続を拒否されました" for ECONNREFUSED; a value without words of its own there is
// named by the system's description.
Text SocketErrorReason(int error);

// A file that could not be written: the file, the reason and the errno value behind it.
class FileWriteFailure : public Failure {
 public:
  FileWriteFailure(std::filesystem::path file, int error);
  // A cause that is no errno value (error 0).
  FileWriteFailure(std::filesystem::path file, Text reason);
  const std::filesystem::path& File() const { return file_; }
  const Text& Reason() const { return reason_; }
  int Error() const { return error_; }

 private:
  std::filesystem::path file_;
  Text reason_;
  int error_;
};

// Throws the failure to write file; error is taken as passed, before anything else can
// change errno.
[[noreturn]] void FailWriting(const std::filesystem::path& file, int error);

}  // namespace vant::system
