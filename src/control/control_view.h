// The control's surface as the lifecycle handlers drive it: its two push buttons.
#pragma once

#include <cstdint>

#include "common/shared_text.h"

namespace vant {

// A push button; sizes and places in the control's unit, pixels. A value the button
// refuses (a negative size) raises a Failure.
class Button {
 public:
  virtual ~Button() = default;
  // A button without a window of its own keeps the caption shared, not copied: every
  // control of a thread shows the same one.
  virtual void SetCaption(const SharedText& caption) = 0;
  virtual SharedText Caption() const = 0;
  virtual void SetLeft(int32_t left) = 0;
  virtual int32_t Left() const = 0;
  virtual int32_t Top() const = 0;
  virtual void SetWidth(int32_t width) = 0;
  virtual int32_t Width() const = 0;
  virtual void SetHeight(int32_t height) = 0;
  virtual int32_t Height() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual Button& PrintButton() = 0;    // cmdprint
  virtual Button& PreviewButton() = 0;  // cmdPreview
};

// Designed places, pixels at 96 dots per inch (twips / 15).
inline constexpr int32_t kPrintButtonLeft = 8, kPrintButtonTop = 8;
inline constexpr int32_t kPreviewButtonLeft = 128, kPreviewButtonTop = 8;
inline constexpr int32_t kButtonWidth = 108, kButtonHeight = 33;

}  // namespace vant
