// Where the program's data files (the fontconfig aliases and the rest of share/vant3) are:
// found from the program's own place, so that an installed program, a program unpacked
// into another root and a program run from its build tree each find their own.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vant::qt {

// The name of the environment variable that names the data folder outright.
inline constexpr const char* kDataDirVariable = "VANT3_DATA_DIR";

// The data folder for a program at this path: the folder the variable names when it is
// set (it must hold the file), else the first <folder>/share/vant3 holding the file, for
// the program's folder and each folder above it (<prefix>/bin/vant finds
// <prefix>/share/vant3; a build tree keeps its copy in <build>/share/vant3). Throws
// std::runtime_error naming every place looked at when none holds the file.
std::filesystem::path FindDataDir(const std::filesystem::path& program, const std::string& wantedFile,
                                  const std::optional<std::string>& variable);

// The same for the running program (/proc/self/exe) and the environment.
std::filesystem::path DataDir(const std::string& wantedFile);

}  // namespace vant::qt
