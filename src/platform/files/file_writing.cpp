#include "platform/files/file_writing.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/system/descriptor.h"

namespace vant::files {
namespace {

namespace fs = std::filesystem;

// Beyond this many taken names in one series the directory is treated as full of them.
constexpr int kMaxSeriesTries = 100000;


using system::Descriptor;

void WriteAll(int fd, std::string_view bytes, const fs::path& file) {
  if (!system::WriteAll(fd, bytes)) system::FailWriting(file, errno);
}

// Closes now; a failing close (the last chance for a deferred write error) throws.
void Close(Descriptor& fd, const fs::path& file) {
  if (const int error = fd.Close()) system::FailWriting(file, error);
}

// Synced to the disk, so that the name never leads to an incomplete file after a crash.
// Devices and FIFOs that cannot be synced (EINVAL, EROFS) have nothing to sync.
void Sync(int fd, const fs::path& file) {
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) system::FailWriting(file, errno);
}

std::string RandomTag() {
  static std::mt19937_64 generator{std::random_device{}()};
  char tag[17];
  std::snprintf(tag, sizeof tag, "%016llx", static_cast<unsigned long long>(generator()));
  return tag;
}

// ".NAME.TAG": a hidden name beside NAME that no one else uses. (Appended piece by piece: a
// literal put in front of a temporary string is an insertion at its start, in which GCC 12
// sees a false overlap.)
std::string HiddenName(std::string_view name) {
  std::string hidden = ".";
  hidden += name;
  hidden += '.';
  hidden += RandomTag();
  return hidden;
}

// A complete file being prepared in a directory, without a name (O_TMPFILE) until it
// takes its own; on a filesystem without unnamed files, under a hidden temporary name.
// Removed unless it has taken its name.
class PendingFile {
 public:
  // `shownAs` is the file named in failures.
  PendingFile(const fs::path& directory, fs::path shownAs)
      : PendingFile(Descriptor(::open(directory.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)), std::move(shownAs)) {}
  // In a folder the caller opened (-1 when it could not: errno says why).
  PendingFile(Descriptor directory, fs::path shownAs) : shownAs_(std::move(shownAs)), dir_(std::move(directory)) {
    if (dir_.Get() < 0) system::FailWriting(shownAs_, errno);
    file_.Reset(::openat(dir_.Get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (file_.Get() >= 0) return;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) system::FailWriting(shownAs_, errno);
    for (int tries = 0; file_.Get() < 0; ++tries) {
      tempName_ = HiddenName(shownAs_.filename().string());
      file_.Reset(::openat(dir_.Get(), tempName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
      if (file_.Get() < 0 && (errno != EEXIST || tries > 100)) system::FailWriting(shownAs_, errno);
    }
  }
  ~PendingFile() {
    if (!tempName_.empty()) ::unlinkat(dir_.Get(), tempName_.c_str(), 0);
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // The bytes written whole and synced.
  void Complete(std::string_view bytes, std::optional<mode_t> mode) {
    if (mode && ::fchmod(file_.Get(), *mode) != 0) system::FailWriting(shownAs_, errno);
    WriteAll(file_.Get(), bytes, shownAs_);
    Sync(file_.Get(), shownAs_);
  }

  // Gives the file the name unless something holds it already (false then). Nothing that
  // holds the name is followed or replaced.
  bool TakeFreeName(const std::string& name) {
    if (tempName_.empty()) {
      const std::string self = "/proc/self/fd/" + std::to_string(file_.Get());
      int linked = ::linkat(AT_FDCWD, self.c_str(), dir_.Get(), name.c_str(), AT_SYMLINK_FOLLOW);
      if (linked != 0 && errno == ENOENT && ::access("/proc/self/fd", F_OK) != 0) {
        // Without /proc, a privileged process can still link the descriptor itself.
        linked = ::linkat(file_.Get(), "", dir_.Get(), name.c_str(), AT_EMPTY_PATH);
      }
      if (linked == 0) return Taken();
      if (errno == EEXIST) return false;
      system::FailWriting(shownAs_, errno);
    }
    if (::renameat2(dir_.Get(), tempName_.c_str(), dir_.Get(), name.c_str(), RENAME_NOREPLACE) == 0) {
      tempName_.clear();
      return Taken();
    }
    if (errno == EEXIST) return false;
    if (errno != EINVAL) system::FailWriting(shownAs_, errno);
    // A filesystem without exclusive rename: a hard link is exclusive too.
    if (::linkat(dir_.Get(), tempName_.c_str(), dir_.Get(), name.c_str(), 0) != 0) {
      if (errno == EEXIST) return false;
      system::FailWriting(shownAs_, errno);
    }
    return Taken();
  }

  // Replaces whatever file holds the name, in one step.
  void Replace(const std::string& name) {
    if (tempName_.empty()) {
      std::string hidden;
      do {
        hidden = HiddenName(name);
      } while (!TakeFreeName(hidden));
      tempName_ = hidden;  // removed by the destructor should the rename fail
    }
    if (::renameat(dir_.Get(), tempName_.c_str(), dir_.Get(), name.c_str()) != 0) system::FailWriting(shownAs_, errno);
    tempName_.clear();
    Close(file_, shownAs_);
  }

 private:
  bool Taken() {
    if (!tempName_.empty()) ::unlinkat(dir_.Get(), tempName_.c_str(), 0);
    tempName_.clear();
    Close(file_, shownAs_);
    return true;
  }

  fs::path shownAs_;
  Descriptor dir_;
  Descriptor file_;
  std::string tempName_;  // empty for an unnamed file
};

fs::path Absolute(const fs::path& file) {
  std::error_code error;
  fs::path absolute = fs::absolute(file, error);
  if (error) system::FailWriting(file, error.value());
  return absolute;
}

// The descriptor that /dev/stdout, /dev/stderr, /dev/fd/N or /proc/self/fd/N stands for.
// Written through the descriptor this process already holds, the bytes land at its own
// position in whatever the shell connected it to, a file included, instead of in a file
// opened anew or renamed over the shell's.
std::optional<int> InheritedDescriptor(const fs::path& absolute) {
  const std::string name = absolute.lexically_normal().string();
  if (name == "/dev/stdout") return 1;
  if (name == "/dev/stderr") return 2;
  for (const std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) {
      continue;
    }
    int fd = 0;
    for (const char digit : name.substr(prefix.size())) {
      if (digit < '0' || digit > '9') return std::nullopt;
      fd = fd * 10 + (digit - '0');
    }
    return fd;
  }
  return std::nullopt;
}

// Whether this process holds the descriptor open for writing.
void CheckInherited(int fd, const fs::path& file) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0) system::FailWriting(file, EBADF);
  if ((flags & O_ACCMODE) == O_RDONLY) system::FailWriting(file, EBADF);
}

void StreamInto(int fd, const fs::path& file, std::string_view bytes) {
  Descriptor out(fd);
  WriteAll(out.Get(), bytes, file);
  Close(out, file);
}

}  // namespace

void ReplaceFileInFolder(int folder, const std::string& name, std::string_view bytes, mode_t mode,
                         const fs::path& shownAs) {
  PendingFile pending(Descriptor(::fcntl(folder, F_DUPFD_CLOEXEC, 0)), shownAs);
  pending.Complete(bytes, mode);
  pending.Replace(name);
}

NamedTarget CheckNamedTarget(const fs::path& file) {
  const fs::path absolute = Absolute(file);
  if (const std::optional<int> inherited = InheritedDescriptor(absolute)) {
    CheckInherited(*inherited, file);
    return NamedTarget::kStream;
  }
  struct stat st {};
  if (::stat(absolute.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) system::FailWriting(file, EISDIR);
    if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) {
      if (::access(absolute.c_str(), W_OK) != 0) system::FailWriting(file, errno);
      return NamedTarget::kStream;
    }
    if (!S_ISREG(st.st_mode)) throw FileWriteFailure(file, u"通常のファイルでも文字デバイスや FIFO でもありません");
    // The replacement is made in the directory of the file the name leads to.
    std::error_code error;
    const fs::path real = fs::canonical(absolute, error);
    if (error) system::FailWriting(file, error.value());
    if (::access(real.parent_path().c_str(), W_OK | X_OK) != 0) system::FailWriting(file, errno);
    return NamedTarget::kRegular;
  }
  if (errno != ENOENT) system::FailWriting(file, errno);
  if (::lstat(absolute.c_str(), &st) == 0) {
    throw FileWriteFailure(file, u"シンボリックリンクの先がありません");
  }
  const fs::path parent = absolute.parent_path();
  if (::stat(parent.c_str(), &st) != 0) system::FailWriting(file, errno);
  if (!S_ISDIR(st.st_mode)) system::FailWriting(file, ENOTDIR);
  if (::access(parent.c_str(), W_OK | X_OK) != 0) system::FailWriting(file, errno);
  return NamedTarget::kNew;
}

NamedTarget WriteNamedFile(const fs::path& file, std::string_view bytes) {
  const NamedTarget target = CheckNamedTarget(file);
  const fs::path absolute = Absolute(file);
  if (const std::optional<int> inherited = InheritedDescriptor(absolute)) {
    const int fd = ::fcntl(*inherited, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) system::FailWriting(file, errno);
    StreamInto(fd, file, bytes);
    return NamedTarget::kStream;
  }
  if (target == NamedTarget::kStream) {
    // Neither created nor truncated: a device or FIFO is only written into.
    Descriptor stream(::open(absolute.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (!stream.IsOpen()) system::FailWriting(file, errno);
    struct stat st {};
    if (::fstat(stream.Get(), &st) == 0 && !S_ISREG(st.st_mode)) {
      StreamInto(stream.Release(), file, bytes);
      return target;
    }
    // Replaced by a regular file since the check: that one is replaced whole below.
  }
  std::error_code error;
  const fs::path real = target == NamedTarget::kNew ? absolute : fs::canonical(absolute, error);
  if (error) system::FailWriting(file, error.value());
  std::optional<mode_t> mode;  // a replacement keeps the permissions of the file it replaces
  if (struct stat st {}; ::stat(real.c_str(), &st) == 0 && S_ISREG(st.st_mode)) mode = st.st_mode & 07777;
  PendingFile pending(real.parent_path(), file);
  pending.Complete(bytes, mode);
  pending.Replace(real.filename().string());
  return target == NamedTarget::kStream ? NamedTarget::kRegular : target;
}

bool IsStandardOutput(const fs::path& file) {
  struct stat named {}, out {};
  return ::stat(file.c_str(), &named) == 0 && ::fstat(STDOUT_FILENO, &out) == 0 && named.st_dev == out.st_dev &&
         named.st_ino == out.st_ino;
}

fs::path NumberedName(const fs::path& first, int number) {
  if (number <= 1) return first;
  fs::path numbered = first;
  numbered.replace_filename(first.stem().string() + "-" + std::to_string(number) + first.extension().string());
  return numbered;
}

FolderWriteFailure::FolderWriteFailure(fs::path folder, int error)
    : Failure(u"フォルダー「" + FromUtf8(folder.string()) + u"」に新しいファイルを作れません: " + system::ErrnoReason(error)),
      folder_(std::move(folder)),
      reason_(system::ErrnoReason(error)) {}

NewFile WriteNewNumberedFile(const fs::path& first, int fromNumber, std::string_view bytes) {
  const fs::path absolute = Absolute(first);
  const fs::path folder = absolute.parent_path();
  // The file is made in the folder before any name is tried: failing here, the folder
  // itself takes no file, whichever names it holds.
  std::optional<PendingFile> pending;
  try {
    pending.emplace(folder, NumberedName(first, fromNumber));
  } catch (const FileWriteFailure& failure) {
    throw FolderWriteFailure(folder, failure.Error());
  }
  pending->Complete(bytes, std::nullopt);
  for (int number = std::max(fromNumber, 1); number < fromNumber + kMaxSeriesTries; ++number) {
    const fs::path name = NumberedName(absolute, number);
    if (pending->TakeFreeName(name.filename().string())) return {name, number};
  }
  system::FailWriting(NumberedName(first, fromNumber), EEXIST);
}

}  // namespace vant::files
