// What a run printed, written down instead of sent: every mark in device pixels with the
// method that drew it and the page it was judged against, and every document a printer
// ended with its pages' settings. The recording printers (recording_printer.h) write it;
// `vant check` reads it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/text.h"
#include "engine/paint_device.h"
#include "engine/platform.h"
#include "engine/printer_setting.h"
#include "platform/printing/printer_capabilities.h"

namespace vant::printing {

enum class MarkKind { kFill, kLine, kBox, kEllipse, kText };

// A rectangle in device pixels, from the printable area's top-left corner.
struct PixelBox {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

struct RecordedMark {
  MarkKind kind = MarkKind::kFill;
  int16_t method = 0;     // the method that drew it (0: none was said)
  PixelBox extent;        // what the mark covers, the pen's width and a text's line box included
  PixelBox sheet;         // the sheet of the page it was drawn for
  PixelBox printable;     // the printable area of that page: (0, 0) to its size
  double dotsPerMmX = 0;  // the printer's resolution, for lengths said in millimetres
  double dotsPerMmY = 0;
  // Whether the printer painted anything of it: a mark wholly outside the printable area is
  // dropped (and starts no page).
  bool painted = false;
  FontSpec font;          // kText: the font it was drawn in
  Text text;              // kText: the line
};

// The settings a page was printed with.
struct RecordedPage {
  PrinterSettingCodes settings{};  // indexed by the setting
  PrinterMedia media;              // the sheet, portrait

  int16_t Get(PrinterSetting setting) const { return settings[IndexOf(setting)]; }
};

struct RecordedDocument {
  Text printer;  // device name
  std::vector<RecordedPage> pages;
};

// A printer choice that named no printer.
struct UnknownPrinterChoice {
  int16_t method = 0;
  Text name;         // the name, trimmed
  Text printerUsed;  // the current printer, which stays
  UnknownPrinter outcome = UnknownPrinter::kCurrent;
  std::optional<Text> mapEntry;  // "FILE:LINE" of a map entry for the name whose queue is not installed
};

struct PrintRecord {
  int16_t method = 0;                        // the method running now, as its watcher says
  std::vector<UnknownPrinterChoice> unknownPrinters;  // in the order met
  std::vector<RecordedMark> marks;           // every mark, in the order drawn
  std::vector<RecordedDocument> documents;   // every document ended, in the order ended
};

}  // namespace vant::printing
