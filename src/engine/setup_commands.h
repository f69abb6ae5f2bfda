// The eight printer setup commands: which printer is current, and six of its page
// settings. They act on the current printer whatever the run's target is.
#pragma once

#include <cstdint>

#include "common/method_rec.h"
#include "engine/printer_object.h"

namespace vant {

// Makes the first installed printer whose device name, blanks at both ends removed,
// equals name exactly the current one. No match leaves the current printer and says
// nothing.
void SelectPrinter(InstalledPrinters& printers, const Text& name);

// "changeprinterdriver" and "changeprinter": SelectPrinter with field 1 trimmed.
void ChangePrinter(Platform& platform, const MethodRec& method);

// The six property commands. command is field 0 lower-cased and must be one of
// "papersize", "orientation", "scalemode", "printquality", "paperbin", "colormode".
// An unaccepted keyword stops the run (RunStop); a value the printer refuses is a Failure.
void SetPrinterProperty(Platform& platform, TextView command, const MethodRec& method);

}  // namespace vant
