#include "platform/printermap/name_lookup.h"

namespace vant::printermap {

Text PrinterNameKey(TextView name) { return LowerCase(TrimmedBlanks(name)); }

bool SamePrinterName(TextView a, TextView b) {
  a = TrimmedBlanks(a);
  b = TrimmedBlanks(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerCaseUnit(a[i]) != LowerCaseUnit(b[i])) return false;
  }
  return true;
}

namespace {

int QueueIndex(std::span<const PrinterNames> printers, TextView queue) {
  for (std::size_t i = 0; i < printers.size(); ++i) {
    if (printers[i].deviceName == queue) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

int FindByOtherName(const PrinterMap& map, std::span<const PrinterNames> printers, TextView name,
                    const MapEntry** entry) {
  if (entry != nullptr) *entry = nullptr;
  for (const MapEntry& mapped : map.entries) {
    if (!SamePrinterName(mapped.name, name)) continue;
    if (entry != nullptr) *entry = &mapped;
    // An entry whose queue is not installed was reported; the description may still reach one.
    const int index = QueueIndex(printers, mapped.queue);
    if (index >= 0) return index;
    break;
  }
  for (std::size_t i = 0; i < printers.size(); ++i) {
    if (!printers[i].description.empty() && SamePrinterName(printers[i].description, name)) return static_cast<int>(i);
  }
  return -1;
}

std::vector<MapProblem> EntriesNamingNoPrinter(const PrinterMap& map, std::span<const PrinterNames> printers) {
  std::vector<MapProblem> problems;
  for (const MapEntry& entry : map.entries) {
    if (QueueIndex(printers, entry.queue) >= 0) continue;
    problems.push_back({entry.file, entry.line,
                        u"「" + entry.name + u"」の印刷先「" + entry.queue + u"」というプリンターはありません"});
  }
  return problems;
}

}  // namespace vant::printermap
