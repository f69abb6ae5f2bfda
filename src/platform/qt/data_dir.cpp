#include "platform/qt/data_dir.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace vant::qt {

std::filesystem::path FindDataDir(const std::filesystem::path& program, const std::string& wantedFile,
                                  const std::optional<std::string>& variable) {
  namespace fs = std::filesystem;
  std::error_code error;
  std::string looked;
  const auto holds = [&](const fs::path& folder) {
    looked += "\n  " + (folder / wantedFile).string();
    return fs::is_regular_file(folder / wantedFile, error);
  };
  if (variable && !variable->empty()) {
    // A folder named outright is the only place: another one found instead would hide the mistake.
    if (holds(*variable)) return *variable;
  } else {
    for (fs::path folder = program.parent_path(); !folder.empty(); folder = folder.parent_path()) {
      if (holds(folder / "share" / "vant3")) return folder / "share" / "vant3";
      if (folder == folder.root_path()) break;
    }
  }
  throw std::runtime_error("データファイル " + wantedFile + " が見つかりません。探した場所:" + looked);
}

std::filesystem::path DataDir(const std::string& wantedFile) {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) throw std::runtime_error("プログラムの場所 (/proc/self/exe) を読めません: " + error.message());
  std::optional<std::string> variable;
  if (const char* value = std::getenv(kDataDirVariable)) variable = value;
  return FindDataDir(program, wantedFile, variable);
}

}  // namespace vant::qt
