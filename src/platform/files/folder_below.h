// Folders and files in a tree that someone else may control (a packaging root, a home
// whose folders another program made): every step below the base folder is taken without
// following a symbolic link, so that nothing is read, written or removed anywhere a planted
// link leads.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/files/descriptor.h"

namespace vant::files {

// How the folders missing on the way are made.
enum class MissingFolders {
  kLeave,       // not made: a missing folder throws FileWriteFailure (ENOENT)
  kMake,        // made with mode 0755 as the umask leaves it
  kMakeShared,  // made with mode 0755 whatever the umask, readable by every user
};

// The folder `relative` below `base` (`base` itself is followed as given), opened one step
// at a time. Throws FileWriteFailure naming the step that is a symbolic link ("シンボリック
// リンクなので…"), is not a folder, or cannot be opened or made.
Descriptor OpenFolderBelow(const std::filesystem::path& base, const std::filesystem::path& relative,
                           MissingFolders missing);

// What holds `name` in an open folder, the name itself never followed.
enum class EntryKind { kNone, kRegularFile, kSymbolicLink, kOther };
EntryKind EntryIn(const Descriptor& folder, const std::string& name);

// The bytes of the regular file `name` in the folder, opened without following a link;
// nothing when the name holds no regular file or one longer than maxBytes. Throws
// FileWriteFailure naming shownAs when it cannot be read.
std::optional<std::string> ReadRegularFileIn(const Descriptor& folder, const std::string& name,
                                             const std::filesystem::path& shownAs, std::size_t maxBytes);

// Removes the name from the folder (a link is removed, not what it leads to). Throws
// FileWriteFailure naming shownAs.
void RemoveFromFolder(const Descriptor& folder, const std::string& name, const std::filesystem::path& shownAs);

}  // namespace vant::files
