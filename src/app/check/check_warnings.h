// What `vant check` warns of: things the control accepts that put on paper something other
// than the page's author meant. Each warning names the method and the line of its PARAM.
// The warnings read what the run recorded (the marks in printer dots, the method each came
// from) and each method's values as its command's reader gives them; nothing here changes
// what is printed.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/words.h"
#include "common/text.h"
#include "engine/command_table.h"
#include "engine/module_state.h"
#include "platform/printing/print_record.h"
#include "platform/qt/font_faces.h"

namespace vant::app {

enum class WarningKind {
  kOffSheet,          // a mark wholly or partly off the sheet
  kOutsidePrintable,  // on the sheet, but wholly or partly where the printer cannot print
  kFont,              // a font name printed in a face that is not its own nor has its widths
  kBarcodeModules,    // bars narrower than 2 printer dots
  kBarcodeWidth,      // a symbol more than 10 % wider than asked
  kBarcodeText,       // the text under the bars does not fit the symbol
  kTextPastEdge,      // a text starting on the page runs past the sheet's edge
  kEncoding,          // bytes that do not match the page's declared encoding
  kUnreadParam,       // a PARAM that looks like a method line but is not read
  kJanData,           // JAN data printed as other digits than written (padded, cut, check digit)
  kUnknownPrinter,    // a printer choice naming no printer (nor a name the map or a description gives)
};

// The stable name of the kind in the JSON report ("offSheet", "font", ...).
std::string_view WarningName(WarningKind kind);

struct CheckWarning {
  WarningKind kind = WarningKind::kOffSheet;
  int16_t method = 0;  // the method's position; 0 for a warning about the page
  uint32_t line = 0;   // the line of the method's (or the PARAM's) start tag; 0 unknown
  Text text;           // what is wrong, in the user's language
};

// A method as the run met it: its row and the printer's unit at its start.
struct MetMethod {
  int16_t position = 0;
  const CommandRow* row = nullptr;  // nullptr: not a command (the run stopped there)
  double pixelsPerUnitX = 0;        // printer dots in one unit of the method's coordinates, across
};

// The warnings for the marks of the methods that ran to their end (not the one a stopped
// run stopped at), in method order. lines: the line of each method's PARAM by position.
// w: the language the warnings are said in.
std::vector<CheckWarning> MarkWarnings(const std::vector<MetMethod>& met, bool stopped, const ControlState& control,
                                       const printing::PrintRecord& record, const std::vector<uint32_t>& lines,
                                       qt::FontFaces& faces, const Words& w);

// A warning's text: its sentence in the user's language (a translated pattern) with the
// arguments put in, all UTF-8 (an unpaired surrogate of the page's text reads as U+FFFD).
Text WarningText(const std::string& pattern, std::initializer_list<std::string_view> args);

// The limits the warnings hold a page to.
inline constexpr int kLeastModuleDots = 2;          // a narrower module is too thin to scan
inline constexpr double kWidestBarcodeShare = 1.1;  // of the width asked

}  // namespace vant::app
