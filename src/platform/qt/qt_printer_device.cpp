#include "platform/qt/qt_printer_device.h"

#include <stdexcept>
#include <utility>

namespace vant::printing {

QtPrinterDevice::QtPrinterDevice(double dpiX, double dpiY, double widthPx, double heightPx,
                                 PageStarter startPage)
    : QtPainterDevice(dpiX, dpiY, widthPx, heightPx), startPage_(std::move(startPage)) {
  if (!startPage_) throw std::invalid_argument("QtPrinterDevice needs a page starter");
}

}  // namespace vant::printing
