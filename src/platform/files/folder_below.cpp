#include "platform/files/folder_below.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vant::files {
namespace {

constexpr mode_t kFolderMode = 0755;


Descriptor OpenStep(const Descriptor& parent, const std::string& name) {
  return Descriptor(::openat(parent.Get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

}  // namespace

EntryKind EntryIn(const Descriptor& folder, const std::string& name) {
  struct stat st {};
  if (::fstatat(folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::kNone;
  if (S_ISLNK(st.st_mode)) return EntryKind::kSymbolicLink;
  return S_ISREG(st.st_mode) ? EntryKind::kRegularFile : EntryKind::kOther;
}

Descriptor OpenFolderBelow(const std::filesystem::path& base, const std::filesystem::path& relative,
                           MissingFolders missing) {
  Descriptor folder(::open(base.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() < 0 && errno == ENOENT && missing != MissingFolders::kLeave) {
    // The base is the caller's own choice (a packaging root not made yet): made as named.
    std::error_code error;
    std::filesystem::create_directories(base, error);
    if (error) system::FailWriting(base, error.value());
    folder.Reset(::open(base.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  }
  if (folder.Get() < 0) system::FailWriting(base, errno);
  std::filesystem::path reached = base;
  for (const std::filesystem::path& step : relative.relative_path()) {
    const std::string name = step.string();
    reached /= step;
    if (name == "." || name == "..") throw FileWriteFailure(reached, u"「.」や「..」を含むパスは使えません");
    Descriptor next = OpenStep(folder, name);
    if (next.Get() < 0 && errno == ENOENT && missing != MissingFolders::kLeave) {
      if (::mkdirat(folder.Get(), name.c_str(), kFolderMode) != 0 && errno != EEXIST) system::FailWriting(reached, errno);
      if (missing == MissingFolders::kMakeShared) {
        // A descriptor that can change the mode (O_PATH cannot), of the folder itself and
        // not of whatever a link put in its place since might lead to.
        next.Reset(::openat(folder.Get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (next.Get() >= 0 && ::fchmod(next.Get(), kFolderMode) != 0) system::FailWriting(reached, errno);
      } else {
        next = OpenStep(folder, name);
      }
    }
    if (next.Get() < 0) {
      const int error = errno;
      if (EntryIn(folder, name) == EntryKind::kSymbolicLink) {
        throw FileWriteFailure(reached, u"シンボリックリンクなのでたどりません");
      }
      system::FailWriting(reached, error);
    }
    folder = std::move(next);
  }
  return folder;
}

std::optional<std::string> ReadRegularFileIn(const Descriptor& folder, const std::string& name,
                                             const std::filesystem::path& shownAs, std::size_t maxBytes) {
  if (EntryIn(folder, name) != EntryKind::kRegularFile) return std::nullopt;
  const Descriptor file(::openat(folder.Get(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) system::FailWriting(shownAs, errno);
  struct stat st {};
  if (::fstat(file.Get(), &st) != 0) system::FailWriting(shownAs, errno);
  if (!S_ISREG(st.st_mode)) return std::nullopt;  // replaced since it was looked at
  system::ReadBytes read = system::ReadToEnd(file.Get(), maxBytes, static_cast<std::size_t>(st.st_size));
  if (read.error != 0) system::FailWriting(shownAs, read.error);
  if (read.overLimit) return std::nullopt;
  return std::move(read.bytes);
}

void RemoveFromFolder(const Descriptor& folder, const std::string& name, const std::filesystem::path& shownAs) {
  if (::unlinkat(folder.Get(), name.c_str(), 0) != 0) system::FailWriting(shownAs, errno);
}

}  // namespace vant::files
