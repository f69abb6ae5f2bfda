// `vant check` on one page: the page read as `vant print` reads it, its list run as the
// print button runs it on the chosen printer, but on printers that record (nothing is
// painted, sent or written), and what an author needs to know of the outcome.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/check/check_params.h"
#include "app/check/check_warnings.h"
#include "app/cli/words.h"
#include "platform/browser/browser_answer.h"
#include "platform/host/host_page_loader.h"
#include "platform/printermap/printer_map.h"
#include "platform/printing/print_record.h"
#include "platform/printing/printer_capabilities.h"
#include "platform/qt/font_faces.h"

namespace vant::app {

// The installed printers as printing finds them, in order, and the one printing would use.
struct CheckPrinters {
  std::vector<printing::PrinterCapabilities> printers;
  int current = 0;
  printermap::PrinterMap map;  // the printer map printing looks names up in
};

// The control the property reading took.
struct CheckedControl {
  std::optional<Text> id;  // its OBJECT's id attribute, when it has one
  uint32_t line = 0;       // the line of its OBJECT
  int16_t methods = 0;     // how many method lines it read
};

struct PageCheck {
  std::string page;                                   // as named on the command line
  std::optional<std::string> unreadable;              // why the page could not be read; nothing else is known then
  std::optional<CheckedControl> control;              // none for a page without OBJECT
  std::vector<printing::RecordedDocument> documents;  // what would print, in the order ended
  std::vector<browser::ShownBox> messages;            // every box printing would show, in order
  std::vector<CheckWarning> warnings;                 // in method order
  // The page would not print as it stands: it cannot be read, its reading failed or its
  // run stops (a box with the stop icon).
  bool failed = false;
};

// Checks a page that was read. file names it in the charset warning; w is the language of
// the warnings. Throws only what the machine cannot do (no memory); everything about the
// page is in the result.
PageCheck CheckPage(const std::string& file, const platform::LoadedHostPage& page, const CheckPrinters& printers,
                    qt::FontFaces& faces, const Words& w);

// The result for a page that could not be read, with the reason as the reader said it.
PageCheck UnreadablePage(const std::string& file, const std::string& reason);

}  // namespace vant::app
