// The wheel window procedure on Qt: an event filter on the preview window that hands the
// wheel and the middle button's release to WheelWindowProc and lets every event go on to
// its receiver. The wheel with Ctrl held steps through the zoom list instead, as
// Ctrl+Plus and Ctrl+Minus do.
#pragma once

#include <QObject>

#include <functional>
#include <vector>

#include "preview/bas_wheel_mouse.h"

namespace vant::qt {

class QtWheelFilter final : public QObject {
 public:
  // handled runs after each message the procedure handled, so that the window can show
  // what changed; zoom runs for each notch of the wheel turned with Ctrl held, with true
  // when it was turned away from the user (to see the page larger).
  QtWheelFilter(WheelTarget& target, std::function<void()> handled, std::function<void(bool)> zoom)
      : target_(target), handled_(std::move(handled)), zoom_(std::move(zoom)) {}

  // Also watches widget, whose own wheel handling is not the window's: its wheel is handled
  // as over the rest of the window and then kept from it (a list would change its choice,
  // and passed on to the window the wheel would count twice).
  void TakeWheelFrom(QObject& widget);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  WheelTarget& target_;
  std::vector<const QObject*> taken_;
  std::function<void()> handled_;
  std::function<void(bool)> zoom_;
  int zoomDistance_ = 0;  // the Ctrl+wheel turn not yet a whole notch, in eighths of a degree
};

}  // namespace vant::qt
