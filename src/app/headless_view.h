// The control's buttons when no window is shown: they hold what the lifecycle handlers set,
// so that the headless verbs run the same handlers as the window.
#pragma once

#include "common/failure.h"
#include "control/control_view.h"

namespace vant::app {

class HeldButton final : public Button {
 public:
  HeldButton(int32_t left, int32_t top) : left_(left), top_(top) {}
  void SetCaption(const Text& caption) override { caption_ = caption; }
  Text Caption() const override { return caption_; }
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
  Text caption_;
  int32_t left_, top_;
  int32_t width_ = kButtonWidth, height_ = kButtonHeight;
  bool enabled_ = true;
};

class HeadlessView final : public ControlView {
 public:
  Button& PrintButton() override { return print_; }
  Button& PreviewButton() override { return preview_; }

 private:
  HeldButton print_{kPrintButtonLeft, kPrintButtonTop};
  HeldButton preview_{kPreviewButtonLeft, kPreviewButtonTop};
};

}  // namespace vant::app
