// Message boxes that the host also collects for the page: each box is kept for the answer
// and, when the host has a screen, shown there as the control's modal box.
#pragma once

#include <utility>
#include <vector>

#include "platform/browser/browser_answer.h"

namespace vant::browser {

class CollectedBoxes final : public MessageBoxes {
 public:
  // shown: where boxes appear on the screen; none without a display.
  explicit CollectedBoxes(MessageBoxes* shown) : shown_(shown) {}
  void Show(const Text& text, MessageIcon icon, const Text& title) override {
    boxes_.push_back({icon, title, text});
    if (shown_ != nullptr) shown_->Show(text, icon, title);
  }
  // The boxes collected since the last call.
  std::vector<ShownBox> Take() { return std::exchange(boxes_, {}); }

 private:
  MessageBoxes* shown_;
  std::vector<ShownBox> boxes_;
};

}  // namespace vant::browser
