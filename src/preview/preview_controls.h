// Small state models of the preview window's buttons and status bar; the window's logic
// writes them and the window shows them.
#pragma once

#include <array>

#include "common/failure.h"
#include "common/text.h"
#include "preview/preview_layout.h"

namespace vant {

// A push button as the page handlers use it: only its enabled state changes.
class ButtonState {
 public:
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

 private:
  bool enabled_ = true;
};

// The five text panels of the status bar, numbered 1 to 5.
class StatusPanels {
 public:
  // A panel outside 1..5 does not exist: IndexOutOfRange.
  const vant::Text& PanelText(int panel) const { return texts_.at(Slot(panel)); }
  void SetPanelText(int panel, vant::Text text) { texts_.at(Slot(panel)) = std::move(text); }

 private:
  static size_t Slot(int panel) {
    if (panel < 1 || panel > kStatusPanelCount) throw Failure::IndexOutOfRange();
    return static_cast<size_t>(panel - 1);
  }
  std::array<vant::Text, kStatusPanelCount> texts_;
};

}  // namespace vant
