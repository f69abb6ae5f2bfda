// The place and size of a child control of the preview window that is not a picture box:
// the viewport picBase, the hidden canvas picZoom and the two scroll bars. Lengths are
// screen pixels in the window's coordinates.
#pragma once

#include <functional>

namespace vant {

class Pane {
 public:
  Pane(float left, float top, float width, float height) noexcept
      : left_(left), top_(top), width_(width), height_(height) {}

  float Left() const { return left_; }
  void SetLeft(float left);
  float Top() const { return top_; }
  void SetTop(float top);

  // Sizes are whole pixels, rounded half to even; a negative or non-finite size is
  // refused with InvalidPropertyValue, a size beyond 32 bits with Overflow. A change of
  // size runs onResize.
  float Width() const { return width_; }
  void SetWidth(float width);
  float Height() const { return height_; }
  void SetHeight(float height);

  // The inner size; these controls have no border, so it is the outer one.
  float ScaleWidth() const { return width_; }
  float ScaleHeight() const { return height_; }

  // The control's Resize event.
  std::function<void()> onResize;

 private:
  float left_, top_, width_, height_;
};

}  // namespace vant
