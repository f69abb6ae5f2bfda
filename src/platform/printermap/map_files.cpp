#include "platform/printermap/map_files.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "platform/printermap/map_text.h"
#include "platform/system/descriptor.h"
#include "platform/system/file_errors.h"

namespace vant::printermap {
namespace {

constexpr const char* kMapName = "vant3/printers.conf";

std::optional<std::filesystem::path> AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return std::nullopt;
  return std::filesystem::path(value);
}

PrinterMap Problem(const std::filesystem::path& file, Text reason) {
  PrinterMap map;
  map.problems.push_back({file.string(), 0, std::move(reason)});
  return map;
}

// The file's map; nothing for a file that does not exist. Opened without blocking and
// without following a FIFO or device into a wait: only a regular file is read.
PrinterMap ReadMapFile(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    return Problem(file, u"読めません: " + system::ErrnoReason(errno));
  }
  system::Descriptor owned(fd);
  struct stat status {};
  if (::fstat(fd, &status) != 0) return Problem(file, u"読めません: " + system::ErrnoReason(errno));
  if (!S_ISREG(status.st_mode)) return Problem(file, u"通常のファイルではないため読みません");
  const system::ReadBytes read = system::ReadToEnd(fd, kMostMapBytes, static_cast<std::size_t>(status.st_size));
  if (read.error != 0) return Problem(file, u"読めません: " + system::ErrnoReason(read.error));
  if (read.overLimit) return Problem(file, u"大きすぎるため読みません (1 MiB まで)");
  return ReadMapText(read.bytes, file.string());
}

}  // namespace

MapFiles MapFilesOfEnvironment() {
  MapFiles files;
  files.administrator = AbsoluteVariable("VANT_SYSCONFDIR").value_or("/etc") / kMapName;
  if (const auto config = AbsoluteVariable("XDG_CONFIG_HOME")) {
    files.user = *config / kMapName;
  } else if (const auto home = AbsoluteVariable("HOME")) {
    files.user = *home / ".config" / kMapName;
  }
  return files;
}

PrinterMap ReadMapFiles(const MapFiles& files) {
  PrinterMap administrator = ReadMapFile(files.administrator);
  PrinterMap user = files.user ? ReadMapFile(*files.user) : PrinterMap{};
  return MergeMaps(std::move(administrator), std::move(user));
}

}  // namespace vant::printermap
