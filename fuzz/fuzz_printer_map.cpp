// Fuzzes the printer map reader (printers.conf) with any bytes: it must never crash, stall
// or keep more than its bounds allow, and what it keeps must hold together: every entry
// has a name and a queue and a line of the text, names are unique as Windows compares
// them, and every problem names a line of the text (or 0 for the whole file).
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <unordered_set>

#include "platform/printermap/map_text.h"
#include "platform/printermap/name_lookup.h"

using namespace vant::printermap;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const PrinterMap map = ReadMapText(bytes, "fuzz");
  std::size_t lines = 1;
  for (const char c : bytes) lines += c == '\n' ? 1 : 0;
  if (map.entries.size() > kMostEntries) std::abort();
  std::unordered_set<vant::Text> names;
  for (const MapEntry& entry : map.entries) {
    if (entry.name.empty() || entry.queue.empty() || entry.line == 0 || entry.line > lines) std::abort();
    if (!names.insert(PrinterNameKey(entry.name)).second) std::abort();
  }
  for (const MapProblem& problem : map.problems) {
    if (problem.line > lines || problem.reason.empty()) std::abort();
  }
  // The lookup over what was read, with one printer, must answer for any name.
  const PrinterNames printer{u"Office", u"Office test printer"};
  for (const MapEntry& entry : map.entries) (void)FindByOtherName(map, std::span(&printer, 1), entry.name);
  return 0;
}
