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
  using PageStarter = std::function<qt::PaintTarget()>;

  // startPage returns the painter of the page being painted and the drawable area's corner
  // on it, starting the page when there is none; the drawable area is widthPx by heightPx
  // device pixels.
  QtPrinterDevice(double dpiX, double dpiY, double widthPx, double heightPx,
                  PageStarter startPage);

  // A new paper size or orientation: the printable area of the pages to come.
  void Resize(double widthPx, double heightPx) { SetSize(widthPx, heightPx); }
  // The pages to come lie on a known dot grid (a driver's or a printer's own), the painter's
  // origin on it: marks' edges are kept inside their dots, short of the dot centres of a
  // second grid otherX, otherY dots further on (0 for none). Without a known grid they lie
  // on the dot boundaries.
  void SetGrid(bool known, double otherX, double otherY) {
    const double inset = known ? qt::kEdgeInset : 0;
    SetEdgeRules({inset, otherX}, {inset, otherY});
  }

 protected:
  qt::PaintTarget Painter() override { return startPage_(); }

 private:
  PageStarter startPage_;
};

}  // namespace vant::printing
