// The commands of the method language, one row each: its names, its kind, and what it does
// on the printer and in the preview. The run driver finds every method's command here, and
// a preview page replays each mark by the row that recorded it.
//
// The engine declares the rows and fills those of the setup and paging commands
// (kSetupAndPagingCommands); the drawing layer, above it, adds the rows of the commands
// that put marks on a page and hands the whole table to whoever starts a run
// (MethodCommands() in draw/method_commands.h).
#pragma once

#include <array>
#include <optional>
#include <span>

#include "common/method_rec.h"
#include "engine/page_record.h"
#include "engine/picture_box.h"
#include "engine/preview_marks.h"
#include "engine/printer_object.h"
#include "engine/setup_commands.h"

namespace vant {

enum class CommandKind { kSetup, kPaging, kDrawing, kBarcode };

// Where a preview page replays its marks: the page picture, the page's record, and the
// barcodes' scratch box.
struct ReplaySurfaces {
  PictureBox& picture;
  const PageRec& page;
  PictureBox& scratch;
};

// How a drawing or barcode command puts its mark on a page. Each reads the method's fields
// first (the same reader for paper and preview).
struct MarkCommand {
  // Printing: draws on the printer. Returns the refusal of a barcode's data; nothing when
  // the mark was drawn.
  // symbols encodes what the core does not (none in a build of the core alone).
  std::optional<Text> (*print)(DrawTarget& printer, const MethodRec& method, const SymbolEncoder* symbols);
  // Preview building: converts the values to the picture's preview pixels and sets the
  // page's shown flag from the mark's anchor. Nothing is drawn; the values are recorded.
  MarkValues (*record)(const Printer& printer, DrawTarget& picture, PageRec& page,
                       const MethodRec& method, const SymbolEncoder* symbols);
  // Showing a preview page: draws the recorded values on it.
  void (*replay)(const MarkValues& values, const ReplaySurfaces& surfaces);
  // Judging a mark without running it: the method's values as the reader gives them to the
  // drawing, in the method's own unit. An argument out of range is a Failure, as in the run.
  MarkValues (*read)(const MethodRec& method);
};

struct CommandRow {
  // Lower-case. The second is a synonym that does exactly the same, or empty. (Written out
  // even when empty: GCC 12 cannot read an element left to its default in a constant
  // expression.)
  std::array<TextView, 2> names;
  CommandKind kind;
  // kSetup: the change made on the current printer, whatever the run's target.
  void (*setUp)(Platform& platform, const MethodRec& method) = nullptr;
  bool selectsPrinter = false;  // it chooses which printer is current
  bool reshapesPage = false;    // a preview page takes the printer's new geometry after it
  // kPaging: what the printer does. In preview building a paging command ends the page.
  void (*onPrinter)(Printer& printer) = nullptr;
  // kDrawing and kBarcode.
  const MarkCommand* marks = nullptr;
};

using CommandTable = std::span<const CommandRow>;

// The row whose name or synonym field 0 is once lower-cased, compared exactly (a blank
// before or after the name makes it unrecognised); none for an unrecognised command.
// Nothing is copied.
const CommandRow* FindCommand(CommandTable table, TextView field0);

// Whether a method whose command is field0 chooses which printer is current, the command
// found as FindCommand finds it: `vant pdf` asks it of a page's lines before it decides to
// read the print server's queues.
bool ChoosesPrinter(CommandTable table, TextView field0);
// Whether the method chooses that printer: its command chooses the printer and its field 1,
// blanks at its ends trimmed as the command compares names, is the printer's name.
bool ChoosesPrinter(CommandTable table, const MethodRec& method, TextView printer);

// The commands that set the printer up and break pages, in the order the control compares
// them: the printer choice, the six settings, then paging.
inline constexpr std::array<CommandRow, 9> kSetupAndPagingCommands = {{
    {.names = {u"changeprinterdriver", u"changeprinter"}, .kind = CommandKind::kSetup,
     .setUp = &ChangePrinter, .selectsPrinter = true, .reshapesPage = true},
    {.names = {u"papersize", u""}, .kind = CommandKind::kSetup,
     .setUp = &SetPrinter<PrinterSetting::kPaperSize>, .reshapesPage = true},
    {.names = {u"orientation", u""}, .kind = CommandKind::kSetup,
     .setUp = &SetPrinter<PrinterSetting::kOrientation>, .reshapesPage = true},
    {.names = {u"scalemode", u""}, .kind = CommandKind::kSetup, .setUp = &SetScaleModeCommand},
    {.names = {u"printquality", u""}, .kind = CommandKind::kSetup, .setUp = &SetPrinter<PrinterSetting::kPrintQuality>},
    {.names = {u"paperbin", u""}, .kind = CommandKind::kSetup, .setUp = &SetPrinter<PrinterSetting::kPaperBin>},
    {.names = {u"colormode", u""}, .kind = CommandKind::kSetup, .setUp = &SetPrinter<PrinterSetting::kColorMode>},
    {.names = {u"newpage", u""}, .kind = CommandKind::kPaging, .onPrinter = [](Printer& p) { p.NewPage(); }},
    // The end of the document on paper; in the preview an ordinary page break.
    {.names = {u"enddoc", u""}, .kind = CommandKind::kPaging, .onPrinter = [](Printer& p) { p.EndDoc(); }},
}};

}  // namespace vant
