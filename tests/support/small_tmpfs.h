// A small tmpfs mounted for one test on a fresh directory, for filling the disk up.
// Mounting needs root, as the tests run in CI; a mount that cannot be made throws, so the
// test fails and says why instead of passing untried.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace vant::test {

class SmallTmpfs {
 public:
  explicit SmallTmpfs(std::size_t kibibytes) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vant-tmpfs-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    path_ = pattern;
    const std::string options = "size=" + std::to_string(kibibytes) + "k,mode=0755";
    if (::mount("tmpfs", path_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
      const int error = errno;
      std::filesystem::remove(path_);
      throw std::runtime_error("cannot mount a tmpfs on " + path_.string() + " (the test needs root): " +
                               std::strerror(error));
    }
  }
  ~SmallTmpfs() {
    ::umount2(path_.c_str(), MNT_DETACH);
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  // Free bytes for an ordinary write.
  std::size_t Free() const {
    struct statvfs fs {};
    if (::statvfs(path_.c_str(), &fs) != 0) throw std::runtime_error("statvfs " + path_.string());
    return static_cast<std::size_t>(fs.f_bavail) * fs.f_frsize;
  }

  // Fills the filesystem with the file "filler" until at most `leave` bytes are free.
  void FillLeaving(std::size_t leave) {
    const int fd = ::open((path_ / "filler").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create the filler in " + path_.string());
    const std::string block(4096, 'f');
    for (std::size_t free = Free(); free > leave; free = Free()) {
      const std::size_t chunk = std::min(block.size(), free - leave);
      if (::write(fd, block.data(), chunk) <= 0) break;  // full
    }
    ::close(fd);
  }

 private:
  std::filesystem::path path_;
};

}  // namespace vant::test
