// What one printer offers, read once from its print server (or fixed, for the built-in
// PDF printer): resolution, the sheets it takes for each paper size code with their
// unprintable strips, and the codes it takes for the other settings. Also the page
// geometry those sheets give in an orientation, in millimetres and in device pixels.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "common/text.h"
#include "engine/papers.h"
#include "engine/printer_setting.h"
#include "engine/setting_values.h"

namespace vant::printing {

// A sheet as the print server measures it: hundredths of a millimetre, its width across the
// way it is fed, with the unprintable strip at each edge. A job asks for the sheet by these
// figures (media-col), which every kind of queue applies.
struct ServerMedia {
  int32_t width = 0;
  int32_t length = 0;
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const ServerMedia&) const = default;
};

// Where the printer's dot grid starts on a page (device_grid.h): at the corner of the page
// as it is (a PDF file, a printer that takes the PDF), at the sheet's top-left corner (a
// driverless printer's PWG raster), at its lower-left corner (a PostScript printer, whose
// page space starts there) or at the printable area's corner (a driver fed the print
// server's raster).
enum class GridAnchor { kPageCorner, kSheetCorner, kSheetLowerLeft, kPrintableCorner };

// A sheet's size and the unprintable strip at each of its edges, millimetres: a printer's
// sheet as it is fed (PrinterMedia), or the page it gives in an orientation (OrientedPage).
struct SheetMm {
  double widthMm = 0;
  double heightMm = 0;
  double leftMm = 0;
  double topMm = 0;
  double rightMm = 0;
  double bottomMm = 0;
};

// One sheet as the printer takes it, portrait.
struct PrinterMedia {
  std::string keyword;  // the printer's own media keyword ("iso_a4_210x297mm")
  SheetMm sheet;        // the portrait sheet and its strips
  // The sheet as the print server listed it, not turned: what a job asks for. Kept beside
  // the millimetres, not derived from them, as they cannot give it back: a paper wider than
  // high turns its sheet in millimetres only (MediaLaidAs), the PPD's exact sheet
  // (ExactSheet) has the PPD's points, which the server rounds half up (JIS B5's 729 pt,
  // 25717.5 hundredths, it lists as 25718; 257.175 mm rounds to 25717), and the PDF
  // printer's sheets have none (it sends no job).
  ServerMedia server;
  bool custom = false;  // made at its own size within the printer's custom range
};

// What a printer takes for one of its page settings: each code, with the printer's own
// keyword for it where a job names the value by the queue's keyword (a paper bin's
// media-source; empty otherwise), and the code it starts with. A default that is not among
// the codes taken is reported by the printer but never sent to the server.
struct SettingChoices {
  std::map<int16_t, std::string> codes;
  int16_t defaultCode = 0;
  bool operator==(const SettingChoices&) const = default;
};

// Every setting's choices with no code taken, each starting at its row's first start code.
std::array<SettingChoices, kPrinterSettingCount> StartingChoices();

// The code a printer that takes these codes starts with for the row's setting: the first of
// the row's start codes it takes, else the last.
int16_t StartCode(const PrinterSettingRow& row, const SettingChoices& choices);

// What a printer that takes every value of every setting takes (the built-in PDF printer):
// a paper bin with its first media-source keyword, each setting at its row's first start code.
std::array<SettingChoices, kPrinterSettingCount> EveryChoice();

struct PrinterCapabilities {
  Text name;  // the device name
  // The print server's description of the printer (printer-info, `lpadmin -D`), which
  // administrators set to the name Windows gives it; empty when none.
  Text description;
  double dpiX = 600;
  double dpiY = 600;
  // The paper size codes (1 to 41) the printer takes, each with the sheet it prints on.
  std::map<int16_t, PrinterMedia> papers;
  // The printer's default sheet and its code (256 when no code stands for it).
  PrinterMedia defaultMedia;
  int16_t defaultPaper = kPaperUser;
  // The other settings, indexed by the setting (engine/printer_setting.h). The paper size's
  // entry stands unused: its codes are the sheets above, its default defaultPaper.
  std::array<SettingChoices, kPrinterSettingCount> settings = StartingChoices();

  SettingChoices& Choices(PrinterSetting setting) { return settings[IndexOf(setting)]; }
  const SettingChoices& Choices(PrinterSetting setting) const { return settings[IndexOf(setting)]; }
};

// The sheet as it lies on the page in an orientation. A landscape page is the portrait sheet
// turned a quarter turn counter-clockwise, as the server turns it for orientation-requested
// 4: the sheet's left strip becomes the page's top, its bottom strip the page's left.
SheetMm OrientedPage(const SheetMm& sheet, int16_t orientation);

// A print server names sheets smaller side first; a paper whose sheet is wider than high
// (ledger, envelope B6, US fanfold) takes the server's sheet turned as a landscape page is,
// its strips with it. Any other media comes back as it is.
PrinterMedia MediaLaidAs(const PaperSheet& sheet, PrinterMedia media);

// The device figures of a page in whole device pixels (rounded half to even).
struct DevicePage {
  int32_t physicalWidth = 0;
  int32_t physicalHeight = 0;
  int32_t offsetX = 0;  // unprintable strip at the left
  int32_t offsetY = 0;  // unprintable strip at the top
  int32_t horzRes = 0;  // printable width
  int32_t vertRes = 0;  // printable height
};
DevicePage DevicePixels(const SheetMm& page, double dpiX, double dpiY);

}  // namespace vant::printing
