// The printer map: names that Windows pages give printers ("\\PRTSRV01\Label-3F",
// "ZDesigner GK420d"), each mapped to a queue here, and what a printer choice naming no
// printer does. The administrator's file and the user's are read into one map; every line
// that cannot be read is kept as a problem with its file and line, and the rest applies.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"
#include "engine/platform.h"

namespace vant::printermap {

// One "NAME = QUEUE" line of a [Printers] section.
struct MapEntry {
  Text name;   // as Windows names the printer, blanks at both ends removed
  Text queue;  // the queue as `vant printers` lists it, or "Vant3 PDF"
  std::string file;
  uint32_t line = 0;
};

// A line that could not be read, a file that could not be, or a value naming no printer.
struct MapProblem {
  std::string file;
  uint32_t line = 0;  // 0: the file as a whole
  Text reason;        // in Japanese

  // "FILE:LINE: REASON" (without the line for the file as a whole).
  Text Said() const;
};

struct PrinterMap {
  std::vector<MapEntry> entries;  // the administrator's first; one entry a name
  std::optional<UnknownPrinter> unknown;  // as a file sets it; none: the current printer stays
  std::vector<MapProblem> problems;

  UnknownPrinter Unknown() const { return unknown.value_or(UnknownPrinter::kCurrent); }
};

}  // namespace vant::printermap
