// A printer's page settings as data: one row per setting holds all that is said of it
// elsewhere by its id — the setup command's keywords and stop text, the Japanese name a
// refusal, the status bar and `vant check` give it, the values' rows (names, IPP values),
// the IPP attribute a print job carries for it and how, the code a printer starts with,
// and its name in `vant check`'s JSON. The printers hold the settings (and what each
// printer takes of them) as arrays indexed by the id, and everything that reads them all —
// the print server's capability reader, the job writer, the recording printer, the check
// report — loops over these rows.
//
// Adding a setting: its values in setting_values.h, its keywords in setup_keywords.cpp, a
// row here, and its command's row in command_table.h. A setting whose job value is none of
// the kinds below needs its own reading in cups_capabilities.cpp and writing in
// printer_surface.cpp (JobValueOf).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "common/text.h"
#include "engine/setting_values.h"
#include "engine/setup_keywords.h"

namespace vant {

// In the order `vant check` reports them.
enum class PrinterSetting : uint8_t { kPaperSize, kOrientation, kPaperBin, kPrintQuality, kColorMode };
inline constexpr std::size_t kPrinterSettingCount = 5;

// The codes of every setting, indexed by the setting.
using PrinterSettingCodes = std::array<int16_t, kPrinterSettingCount>;

constexpr std::size_t IndexOf(PrinterSetting setting) { return static_cast<std::size_t>(setting); }

// How a setting's value reaches a print job.
enum class JobValueKind {
  kMedia,         // the sheet itself: media-col's media-size (PrinterMedia::server)
  kEnum,          // the value row's IPP enum (orientation-requested, print-quality)
  kKeyword,       // the value row's first IPP keyword (print-color-mode)
  kQueueKeyword,  // the keyword the queue itself names for the code (media-source)
};

struct PrinterSettingRow {
  PrinterSetting id;
  std::span<const KeywordRow> keywords;  // the setup command's argument forms
  std::u16string_view stopMessage;       // an argument no keyword accepts: the run stops with it
  TextView name;                         // "用紙サイズ", as a refusal and `vant check` name it
  std::span<const SettingValue> values;  // the values' rows; empty for the paper (papers.h)
  std::string_view jobAttribute;         // the IPP attribute of a print job
  JobValueKind jobValue;
  // Sent inside media-col beside the sheet's media-size: the only place a server honours
  // it for a queue with a driver of its own.
  bool inMediaCol;
  // Sent only when the printer takes the value (a printer that takes no print quality
  // prints at its own); the others are always sent.
  bool sentWhenTaken;
  std::string_view jsonName;  // the key in `vant check --json`'s page
  // The code a printer starts with, unless its print server names its own default (when the
  // row reads one): the first of these the printer takes, else the last.
  std::array<int16_t, 2> startCodes;
  bool readsServerDefault;  // the attribute's "-default" names the printer's default
};

// In the order of the ids.
std::span<const PrinterSettingRow> PrinterSettingRows();
const PrinterSettingRow& RowOf(PrinterSetting setting);

}  // namespace vant
