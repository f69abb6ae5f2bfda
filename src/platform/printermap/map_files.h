// Where the printer maps lie and reading them. The administrator's is
// /etc/vant3/printers.conf, the user's $XDG_CONFIG_HOME/vant3/printers.conf (~/.config when
// XDG_CONFIG_HOME is unset or not absolute). VANT_SYSCONFDIR, when set to an absolute path,
// stands for /etc (the tests give each run its own).
#pragma once

#include <filesystem>
#include <optional>

#include "platform/printermap/printer_map.h"

namespace vant::printermap {

struct MapFiles {
  std::filesystem::path administrator;
  std::optional<std::filesystem::path> user;  // none without a home or XDG_CONFIG_HOME
};

// The files from the environment.
MapFiles MapFilesOfEnvironment();

// Reads both into one map. A file that does not exist is no problem; one that cannot be
// read, is no regular file or is larger than kMostMapBytes is one problem and gives
// nothing.
PrinterMap ReadMapFiles(const MapFiles& files);

}  // namespace vant::printermap
