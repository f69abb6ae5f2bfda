// Finding the printer a name reaches when no device name equals it: the map's entry for
// the name, else the queue whose description (the print server's printer-info, which
// administrators set to the printer's Windows name) equals it. Names are compared as
// Windows compares printer names: blanks at both ends removed, letters without regard to
// case.
#pragma once

#include <span>
#include <vector>

#include "common/text.h"
#include "platform/printermap/printer_map.h"

namespace vant::printermap {

// Whether two printer names are the same printer's to Windows.
bool SamePrinterName(TextView a, TextView b);
// The one text all names the same to Windows share: trimmed and lower-cased.
Text PrinterNameKey(TextView name);

// One installed printer as the lookup sees it.
struct PrinterNames {
  Text deviceName;   // the queue's name
  Text description;  // its printer-info; empty when it has none
};

// The printer name reaches, by position in printers; -1 when none. entry, when given, is
// set to the map's entry for the name (even one whose queue is not installed), else null.
int FindByOtherName(const PrinterMap& map, std::span<const PrinterNames> printers, TextView name,
                    const MapEntry** entry = nullptr);

// The map's entries whose queue is not among printers, as problems with their file and line.
std::vector<MapProblem> EntriesNamingNoPrinter(const PrinterMap& map, std::span<const PrinterNames> printers);

}  // namespace vant::printermap
