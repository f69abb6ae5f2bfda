// A page's print when the print server that was chosen (CUPS_SERVER, a client.conf
// ServerName, the local scheduler's socket) is gone or does not answer: the host does what
// `vant print` does there and prints nothing, saying why, instead of writing every click's
// document into the download folder. Only a list that itself chooses the built-in PDF
// printer ("changeprinter" naming "Vant3 PDF") writes its PDF files, as `vant print
// --printer "Vant3 PDF"` does.
#pragma once

#include <optional>

#include "common/text.h"
#include "engine/module_state.h"
#include "platform/printing/printer_list.h"

namespace vant::browser {

// Whether the control's list has a method naming the printer whose command (under any of
// its names, as the command table finds it) chooses the printer, as the method compares
// names.
bool ListChoosesPrinter(const ControlState& control, TextView printer);

// Why nothing is printed: the server's sentence and what the page may do.
Text GoneServerRefusal(const Text& unreachable);

// Before a run of the control's list (its automatic run, a click): while the server is
// gone, the PDF printer refuses every document unless the list chooses it. Nothing changes
// while the server answers.
void HoldPdfPrinterUnlessChosen(printing::PrinterList& printers, const ControlState& control);

}  // namespace vant::browser
