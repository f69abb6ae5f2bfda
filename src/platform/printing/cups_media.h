// The sheets a print server destination takes (every size with its unprintable strips, and
// the range of custom sizes when it takes them), and
// the sheet a media name stands for. libcups's own lookup is not used: for custom names it
// answers with unrelated sizes (a 50 x 30 mm label as a 209.9 x 25.4 mm strip), and a
// label stock within 1.76 mm of the size asked is not the size asked.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/printing/cups_destination.h"
#include "platform/printing/printer_capabilities.h"

namespace vant::printing {

// One entry of the database: a size (or a range of custom sizes) with its strips.
struct MediaEntry {
  ServerMedia media;       // for a range, the strips alone
  bool range = false;
  int32_t minWidth = 0, maxWidth = 0, minLength = 0, maxLength = 0;  // a range's bounds
};

// The sheet a media name stands for among the entries: a PWG name ("iso_a4_210x297mm",
// "custom_50x30mm_50x30mm"), or a PPD size name ("A4", "Custom.50x30mm"). A size the
// entries list exactly is that entry (the one with strips, where a borderless twin has
// none); otherwise a custom name is made at its own size when a custom range holds it (and
// never taken as a stock of another size), and a standard name is the listed size nearest
// to it within 1.76 mm (A4 is the PPD's 595 x 842 pt sheet), else made to size. Nothing
// for a name that is no size, or a size the entries cannot give.
std::optional<PrinterMedia> FindMedia(const std::vector<MediaEntry>& entries, const std::string& name);

// The destination's entries: every size of its media database with its strips, and the
// range of custom sizes its media-supported names (custom_min_, custom_max_) with the
// smallest strips it lists.
std::vector<MediaEntry> ReadMediaEntries(const CupsDestination& destination);

}  // namespace vant::printing
