// The printer list of the private print server (tests/cups), refused outside it.
#pragma once

#include <memory>
#include <stdexcept>

#include "cups_test_queues.h"
#include "platform/printing/printer_list.h"

namespace vant::printing {

inline std::unique_ptr<PrinterList> PrivateServerPrinters() {
  vant::test::cups::RequirePrivateServer();
  return PrinterList::FromCups();
}

// The printer of the list with this device name.
inline PagePrinter& PrinterNamed(PrinterList& list, const Text& name) {
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Page(i).DeviceName() == name) return list.Page(i);
  }
  throw std::runtime_error("no printer " + ToUtf8(name));
}

}  // namespace vant::printing
