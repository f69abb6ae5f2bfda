// The wheel window procedure on Qt: an event filter on the preview window that hands the
// wheel and the middle button's release to WheelWindowProc and lets every event go on to
// its receiver.
#pragma once

#include <QObject>

#include <functional>
#include <vector>

#include "preview/bas_wheel_mouse.h"

namespace vant::qt {

class QtWheelFilter final : public QObject {
 public:
  // handled runs after each message the procedure handled, so that the window can show
  // what changed.
  QtWheelFilter(WheelTarget& target, std::function<void()> handled)
      : target_(target), handled_(std::move(handled)) {}

  // Also watches widget, whose own wheel handling is not the window's: its wheel is handled
  // as over the rest of the window and then kept from it (a list would change its choice,
  // and passed on to the window the wheel would count twice).
  void TakeWheelFrom(QObject& widget);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  WheelTarget& target_;
  std::vector<const QObject*> taken_;
  std::function<void()> handled_;
};

}  // namespace vant::qt
