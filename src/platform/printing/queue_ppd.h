// What a print server queue's PPD says that its IPP attributes do not: the default page
// size when it is a custom one (the server reports media-default "unknown" for
// "Custom.50x30mm"), and what its driver reads, which decides where the driver's dots lie
// (device_grid.h). Read only when needed, once.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/printing/cups_destination.h"
#include "platform/printing/printer_capabilities.h"

namespace vant::printing {

struct QueuePpd {
  std::string defaultPageSize;            // "*DefaultPageSize:" ("A4", "Custom.50x30mm")
  std::vector<std::string> filterInputs;  // the formats the queue's own filters read
};

// The PPD's lines that matter here.
QueuePpd ParsePpd(std::string_view text);

// The queue's PPD from its server; nothing for a queue without one (or a server that will
// not give it).
std::optional<QueuePpd> FetchQueuePpd(const CupsDestination& destination);

// Where the queue's dots lie: a driver fed the server's raster lays them from the printable
// corner; one fed the PDF as it is (no filter before it), from the page's corner; anything
// else (PostScript, PWG raster, the PDF after the server turned it onto the sheet) from the
// sheet's corner. A queue without a PPD is taken as the last.
GridAnchor AnchorOf(const std::optional<QueuePpd>& ppd);

}  // namespace vant::printing
