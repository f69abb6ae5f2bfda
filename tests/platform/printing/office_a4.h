// The A4 sheet of the tests' office printer as the print server reports it: 20990 x 29704
// hundredths of a millimetre, strips left/right 4.23, top 6.35, bottom 8.47 mm.
#pragma once

#include "platform/printing/printer_capabilities.h"

namespace vant::test {

inline printing::PrinterMedia OfficeA4() {
  return printing::PrinterMedia{"iso_a4_210x297mm", {209.90, 297.04, 4.23, 6.35, 4.23, 8.47}, {}};
}

}  // namespace vant::test
