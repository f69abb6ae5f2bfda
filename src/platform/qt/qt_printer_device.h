// The printer's paint device: QtPainterDevice over the pages of a PDF document. The
// painter is asked of the printer at every mark, so that the first mark of a page starts
// that page, in the paper size and orientation in force at that moment.
#pragma once

#include <QPainter>

#include <functional>

#include "platform/qt/dot_edges.h"
#include "platform/qt/qt_painter_device.h"

namespace vant::printing {

class QtPrinterDevice final : public qt::QtPainterDevice {
 public:
  using PageStarter = std::function<QPainter&()>;

  // startPage returns the painter of the page being painted, starting it when there is
  // none; the drawable area is widthPx by heightPx device pixels.
  QtPrinterDevice(double dpiX, double dpiY, double widthPx, double heightPx,
                  PageStarter startPage);

  // A new paper size or orientation: the printable area of the pages to come.
  void Resize(double widthPx, double heightPx) { SetSize(widthPx, heightPx); }
  // Whether the dots of the pages to come lie where the painter's origin puts them (a
  // driver's or a printer's own grid): their marks' edges are then kept inside the dots.
  void SetGridKnown(bool known) { SetEdgeInset(known ? qt::kEdgeInset : 0); }

 protected:
  QPainter& Painter() override { return startPage_(); }

 private:
  PageStarter startPage_;
};

}  // namespace vant::printing
