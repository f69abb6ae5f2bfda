// A print server destination's capabilities in the method language's codes: the sheet
// (with its unprintable strips from the destination's media database) for each paper
// size code, the resolution, and the orientation, quality, paper bin and colour mode codes
// its *-supported attributes list.
#pragma once

#include "platform/printing/cups_destination.h"
#include "platform/printing/printer_capabilities.h"

namespace vant::printing {

// A destination that reports no resolution is drawn at this density, the density of the
// built-in PDF printer; the PDF it receives is resolution-independent either way.
inline constexpr double kUnreportedDpi = 600;

PrinterCapabilities ReadCupsCapabilities(const CupsDestination& destination);

}  // namespace vant::printing
