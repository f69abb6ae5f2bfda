// The rules of the preview's scroll bars, kept apart from any widget: the minimum is 0 and
// never changes; the maximum may lie below it, and then the values run from the maximum up
// to 0. Values, maximum and changes are 16-bit. The Qt bar only shows this model.
#pragma once

#include <cstdint>
#include <functional>

namespace vant {

class ScrollBarModel {
 public:
  static constexpr int16_t kMin = 0;

  int16_t Min() const { return kMin; }
  int16_t Max() const { return max_; }
  // A new maximum that leaves the value outside the range pulls the value to the nearest
  // end, which is a change of value.
  void SetMax(int16_t max);

  // The lower and upper end of the values the bar accepts, whichever way round the
  // maximum lies.
  int16_t Lowest() const { return max_ < kMin ? max_ : kMin; }
  int16_t Highest() const { return max_ < kMin ? kMin : max_; }

  int16_t Value() const { return value_; }
  // A value outside Lowest()..Highest() is refused with InvalidPropertyValue. A value that
  // differs from the current one runs onChange.
  void SetValue(int16_t value);

  // 1 to 32767 pixels; anything else is refused with InvalidPropertyValue.
  int16_t SmallChange() const { return smallChange_; }
  void SetSmallChange(int16_t change);
  int16_t LargeChange() const { return largeChange_; }
  void SetLargeChange(int16_t change);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // The bar's Change event.
  std::function<void()> onChange;

 private:
  void ChangeValue(int16_t value);

  int16_t max_ = 32767;
  int16_t value_ = 0;
  int16_t smallChange_ = 1;
  int16_t largeChange_ = 1;
  bool visible_ = true;
  bool enabled_ = true;
};

}  // namespace vant
