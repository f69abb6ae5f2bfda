// What a print server queue's PPD says that its IPP attributes do not: the default page
// size when it is a custom one (the server reports media-default "unknown" for
// "Custom.50x30mm"), what its driver reads, which decides where the driver's dots lie
// (device_grid.h), and the sheets' strips in the points the driver lays its dots by. Read
// only when needed, once.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/printing/cups_destination.h"
#include "platform/printing/printer_capabilities.h"

namespace vant::printing {

// A sheet's figures as a PPD gives them: points, the printable area from the lower left.
struct PpdArea {
  double left = 0, bottom = 0, right = 0, top = 0;
};

struct QueuePpd {
  std::string defaultPageSize;            // "*DefaultPageSize:" ("A4", "Custom.50x30mm")
  std::vector<std::string> filterInputs;   // the formats the queue's own filters read
  std::vector<std::string> filterOutputs;  // and write, where the PPD says (cupsFilter2)
  std::map<std::string, std::pair<double, double>> paperDimensions;  // size -> width, height
  std::map<std::string, PpdArea> imageableAreas;                     // size -> printable area
  std::optional<PpdArea> hwMargins;  // the strips of custom sizes (left, bottom, right, top)
};

// The PPD's lines that matter here.
QueuePpd ParsePpd(std::string_view text);

// The queue's PPD from its server; nothing for a queue without one (or a server that will
// not give it).
std::optional<QueuePpd> FetchQueuePpd(const CupsDestination& destination);

// The sheet with its strips as exact as the driver has them (points, where the server
// rounds to hundredths of a millimetre): the PPD's size of the sheet's measure, or its
// custom-size strips; the sheet unchanged when the PPD has neither.
PrinterMedia ExactSheet(const QueuePpd& ppd, const PrinterMedia& media);

// Where the queue's dots lie: a driver fed (or a filter making) the server's raster lays
// them from the printable corner; one fed the PDF as it is (no filter before it), from the
// page's corner; a PostScript printer (no filter, or one fed PostScript) from the sheet's
// lower-left corner; anything else (PWG raster, the PDF after the server turned it onto
// the sheet) from its top-left corner. A queue without a PPD is taken as the last.
GridAnchor AnchorOf(const std::optional<QueuePpd>& ppd);

}  // namespace vant::printing
