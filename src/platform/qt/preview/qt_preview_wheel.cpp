#include "platform/qt/preview/qt_preview_wheel.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <exception>

namespace vant::qt {
namespace {

// The vertical wheel distance as a 16-bit message carries it.
int16_t WheelDistance(const QWheelEvent& wheel) {
  return static_cast<int16_t>(std::clamp(wheel.angleDelta().y(), -32768, 32767));
}

// One notch of a common wheel; finer wheels and touchpads send parts of it.
constexpr int kWheelNotch = 120;

}  // namespace

void QtWheelFilter::TakeWheelFrom(QObject& widget) {
  taken_.push_back(&widget);
  widget.installEventFilter(this);
}

bool QtWheelFilter::eventFilter(QObject* watched, QEvent* event) {
  const bool taken = std::find(taken_.begin(), taken_.end(), watched) != taken_.end();
  try {
    if (event->type() == QEvent::Wheel &&
        static_cast<const QWheelEvent&>(*event).modifiers().testFlag(Qt::ControlModifier)) {
      // Zooming, not scrolling: the scroll procedure does not see it.
      const int turn = static_cast<const QWheelEvent&>(*event).angleDelta().y();
      if ((turn > 0) != (zoomDistance_ > 0)) zoomDistance_ = 0;  // turned the other way
      zoomDistance_ = std::clamp(zoomDistance_ + turn, -32768, 32767);
      while (std::abs(zoomDistance_) >= kWheelNotch) {
        const bool closer = zoomDistance_ > 0;
        zoomDistance_ -= closer ? kWheelNotch : -kWheelNotch;
        if (zoom_) zoom_(closer);
      }
      event->accept();
      return true;
    }
    if (event->type() == QEvent::Wheel) {
      const auto& wheel = static_cast<const QWheelEvent&>(*event);
      // A sideways turn is another message, which the window does not handle.
      if (wheel.angleDelta().y() != 0) {
        WheelWindowProc(target_, kWmMouseWheel, WheelWParam(WheelDistance(wheel)),
                        [] { return 0; });
        if (handled_) handled_();
      }
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<const QMouseEvent&>(*event).button() == Qt::MiddleButton) {
      WheelWindowProc(target_, kWmMButtonUp, 0, [] { return 0; });
      if (handled_) handled_();
    }
  } catch (const std::exception& failure) {
    // Nothing may escape into Qt's event loop.
    std::fprintf(stderr, "vant: preview wheel: %s\n", failure.what());
  }
  if (taken && event->type() == QEvent::Wheel) {
    event->accept();
    return true;
  }
  return QObject::eventFilter(watched, event);  // every other event goes on
}

}  // namespace vant::qt
