// The control's buttons when no window shows them: they hold what the lifecycle handlers
// set, so that a control without a window (the headless verbs, the tests) runs the same
// handlers as the window.
#pragma once

#include "common/failure.h"
#include "control/control_view.h"

namespace vant {

class HeldButton final : public Button {
 public:
  HeldButton(int32_t left, int32_t top) : left_(left), top_(top) {}
  void SetCaption(const SharedText& caption) override { caption_ = caption; }
  SharedText Caption() const override { return caption_; }
  void SetLeft(int32_t left) override { left_ = left; }
  int32_t Left() const override { return left_; }
  int32_t Top() const override { return top_; }
  void SetWidth(int32_t width) override {
    if (width < 0) throw Failure::InvalidPropertyValue();
    width_ = width;
  }
  int32_t Width() const override { return width_; }
  void SetHeight(int32_t height) override {
    if (height < 0) throw Failure::InvalidPropertyValue();
    height_ = height;
  }
  int32_t Height() const override { return height_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }

 private:
  SharedText caption_;
  int32_t left_, top_;
  int32_t width_ = kButtonWidth, height_ = kButtonHeight;
  bool enabled_ = true;
};

class HeldButtonsView final : public ControlView {
 public:
  Button& PrintButton() override { return print; }
  Button& PreviewButton() override { return preview; }

  HeldButton print{kPrintButtonLeft, kPrintButtonTop};
  HeldButton preview{kPreviewButtonLeft, kPreviewButtonTop};
};

}  // namespace vant
