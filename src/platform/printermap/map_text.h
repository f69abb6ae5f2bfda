// Reading one printers.conf text. The text comes from a file anyone with the right to it
// may have written: it is read within fixed bounds, and nothing in it can make the reading
// fail, loop or grow without limit.
//
//   [Printers]
//   \\PRTSRV01\Label-3F = Label        ; NAME = QUEUE, the name up to the first "="
//   [Options]
//   UnknownPrinter = stop               # or current
//
// Blank lines and lines starting with "#" or ";" are comments, as is what follows a "#" or
// ";" after a blank in a value (a name may hold them: "Printer #2"). Section and option
// names and the option's values are compared without regard to case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/printermap/printer_map.h"

namespace vant::printermap {

// The bounds of a file: bytes read at most, bytes of one line, and entries kept.
inline constexpr std::size_t kMostMapBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMostLineBytes = 4096;
inline constexpr std::size_t kMostEntries = 10000;

// What one file says, its problems named by file and line. A name the file gives twice
// keeps its first entry (the second is a problem).
PrinterMap ReadMapText(std::string_view bytes, const std::string& file);

// The administrator's map over the user's: the administrator's entries, then the user's
// whose names the administrator's do not give; the administrator's option where it sets
// one; the problems of both, the administrator's first.
PrinterMap MergeMaps(PrinterMap administrator, PrinterMap user);

}  // namespace vant::printermap
