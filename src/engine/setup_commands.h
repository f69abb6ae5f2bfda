// The printer setup commands: which printer is current, its page settings and its scale mode.
// They act on the current printer whatever the run's target is. The command table
// (engine/command_table.h) names them.
#pragma once

#include <cstdint>

#include "common/method_rec.h"
#include "engine/printer_object.h"
#include "engine/printer_setting.h"

namespace vant {

// Makes the first installed printer whose device name, blanks at both ends removed,
// equals name exactly the current one; else the printer the name reaches in another way
// (InstalledPrinters::ReachedByName). False when no printer is found: the current printer
// stays and nothing is said. The put-back after a run uses this too.
bool SelectPrinter(InstalledPrinters& printers, TextView name);

// "changeprinterdriver" and "changeprinter": SelectPrinter with field 1 trimmed. A name
// that reaches no printer stops the run when the printers say so (UnknownPrinter::kStop),
// with kPrinterNotFound and the name.
void ChangePrinter(Platform& platform, const MethodRec& method);

// The stop text of a printer choice naming no printer.
Text PrinterNotFound(TextView name);

// Sets a page setting of the current printer from field 1, lower-cased, by the setting's
// keywords (engine/printer_setting.h). An unaccepted keyword stops the run (RunStop); a
// value the printer refuses is a Failure.
void SetPrinterSetting(Platform& platform, PrinterSetting setting, const MethodRec& method);

// "scalemode": the printer's scale mode, a property of its drawing surface rather than of
// its page, by its own keywords.
void SetScaleModeCommand(Platform& platform, const MethodRec& method);

// The same for one setting, as the command table holds it.
template <PrinterSetting kSetting>
void SetPrinter(Platform& platform, const MethodRec& method) {
  SetPrinterSetting(platform, kSetting, method);
}

}  // namespace vant
