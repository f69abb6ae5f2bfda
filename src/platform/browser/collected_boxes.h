// Message boxes that the host also collects for the page: each box is kept for the answer
// and, when the host has a screen, shown there as the control's modal box. The page's copy
// names no folder of the user's (PrivatePaths); the screen shows the box as it is.
#pragma once

#include <utility>
#include <vector>

#include "platform/browser/browser_answer.h"
#include "platform/browser/private_paths.h"

namespace vant::browser {

class CollectedBoxes final : public MessageBoxes {
 public:
  // shown: where boxes appear on the screen; none without a display.
  explicit CollectedBoxes(MessageBoxes* shown, PrivatePaths paths = {}) : shown_(shown), paths_(std::move(paths)) {}
  void Show(const Text& text, MessageIcon icon, const Text& title) override {
    boxes_.push_back({icon, ForPage(title), ForPage(text)});
    if (shown_ != nullptr) shown_->Show(text, icon, title);
  }
  // The boxes collected since the last call.
  std::vector<ShownBox> Take() { return std::exchange(boxes_, {}); }
  // Any other text for the page (a refusal naming a failure), as the boxes are collected.
  Text ForPage(const Text& text) const { return paths_.Hidden(text); }

 private:
  MessageBoxes* shown_;
  PrivatePaths paths_;
  std::vector<ShownBox> boxes_;
};

}  // namespace vant::browser
