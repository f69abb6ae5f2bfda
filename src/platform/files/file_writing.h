// Writing whole files so that nothing is lost and nothing is written where it must not be.
//
// A file the user names is written where the name leads: a character device or a FIFO
// (/dev/null, a pipe made with mkfifo) is streamed into and stays what it is; /dev/stdout,
// /dev/stderr and /dev/fd/N are written through the descriptor the process holds; a
// regular file, or the file a symbolic link leads to, is replaced atomically. A file the
// program names itself is created new under the first free name of its series and never
// written through a symbolic link or over an existing file, whoever owns it. Every write
// is checked through to the end (written whole, synced, closed): a failure throws
// FileWriteFailure naming the file and the cause, and leaves the earlier file as it was
// and no new file behind.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/files/file_errors.h"

namespace vant::files {

// What a file the user named is to the writer.
enum class NamedTarget {
  kNew,      // nothing there yet: the file is created
  kRegular,  // a regular file, directly or through symbolic links: replaced whole
  kStream,   // a character device or a FIFO: written into, never replaced
};

// Whether a file the user named can be written, checked before anything is produced:
// throws FileWriteFailure for a directory, a missing directory on the way, a symbolic
// link that leads nowhere, a block device or socket, or a place without write permission.
NamedTarget CheckNamedTarget(const std::filesystem::path& file);

// Writes the bytes to a file the user named (see above); returns what it was.
NamedTarget WriteNamedFile(const std::filesystem::path& file, std::string_view bytes);

// Whether the file is the one this process's standard output leads to (-o /dev/stdout,
// or the file the shell redirected standard output to): what else goes to standard output
// would end up in the file.
bool IsStandardOutput(const std::filesystem::path& file);

// Writes the bytes to a new file in the folder open as `folder` (a descriptor the caller
// keeps) and renames it over `name` in one step: whatever held the name is replaced, never
// written through. The file has `mode` whatever the umask; failures name shownAs.
void ReplaceFileInFolder(int folder, const std::string& name, std::string_view bytes, mode_t mode,
                         const std::filesystem::path& shownAs);

// File `number` of the series that `first` starts: `first` itself for 1, then
// STEM-2.EXT, STEM-3.EXT, … beside it (report.pdf, report-2.pdf, …).
std::filesystem::path NumberedName(const std::filesystem::path& first, int number);

struct NewFile {
  std::filesystem::path file;
  int number = 0;  // its number in the series
};

// Writes the bytes to a new file of the series that `first` starts, with the lowest
// number from `fromNumber` whose name nothing holds (no file, directory or symbolic link).
// The name is taken exclusively once the bytes are complete, so two writers never share
// a file and a planted link is never followed.
NewFile WriteNewNumberedFile(const std::filesystem::path& first, int fromNumber, std::string_view bytes);

}  // namespace vant::files
