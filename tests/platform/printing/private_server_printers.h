// The printer list of the private print server (tests/cups), refused outside it.
#pragma once

#include <memory>

#include "cups_test_queues.h"
#include "platform/printer_list.h"

namespace vant::printing {

inline std::unique_ptr<PrinterList> PrivateServerPrinters() {
  vant::test::cups::RequirePrivateServer();
  return PrinterList::FromCups();
}

}  // namespace vant::printing
