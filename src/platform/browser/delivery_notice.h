// What the clerk is told on the desktop after a page printed: where each document went (the
// PDF file and its folder, or the printer and the job). The page's own outcome and the
// control's message boxes are unchanged by it.
#pragma once

#include <optional>
#include <vector>

#include "platform/desktop/desktop_notice.h"
#include "platform/printing/printer_output.h"

namespace vant::browser {

// The notice for the documents one request delivered; nothing when there are none. The
// action shows the last PDF file written in its folder.
std::optional<desktop::DesktopNotice> DeliveryNotice(const std::vector<printing::DeliveredDocument>& delivered);

}  // namespace vant::browser
