// Message boxes that also count the stop (critical) messages, from which the command's
// exit status tells whether a run stopped.
#pragma once

#include "engine/platform.h"

namespace vant::app {

class CountingMessages final : public MessageBoxes {
 public:
  explicit CountingMessages(MessageBoxes& shown) : shown_(shown) {}
  void Show(const Text& text, MessageIcon icon, const Text& title) override {
    if (icon == MessageIcon::kCritical) ++critical_;
    shown_.Show(text, icon, title);
  }
  int Critical() const { return critical_; }

 private:
  MessageBoxes& shown_;
  int critical_ = 0;
};

}  // namespace vant::app
