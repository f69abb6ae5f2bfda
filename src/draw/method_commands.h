// The whole command table: the setup and paging commands of the engine, then the commands
// that put marks on a page: text, shapes and barcodes, each with its argument reader, what
// it draws on paper, what it records for the preview and how a preview page replays it.
// Whoever starts a run hands it to RunMethods.
#pragma once

#include <optional>

#include "barcode/symbologies.h"
#include "engine/command_table.h"

namespace vant {

CommandTable MethodCommands();

// The symbology a barcode command's row draws; nothing for any other row.
std::optional<Symbology> SymbologyOf(const CommandRow& row);

}  // namespace vant
