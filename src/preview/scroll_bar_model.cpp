#include "preview/scroll_bar_model.h"

#include "common/failure.h"

namespace vant {

void ScrollBarModel::SetMax(int16_t max) {
  max_ = max;
  if (value_ < Lowest()) {
    ChangeValue(Lowest());
  } else if (value_ > Highest()) {
    ChangeValue(Highest());
  }
}

void ScrollBarModel::SetValue(int16_t value) {
  if (value < Lowest() || value > Highest()) throw Failure::InvalidPropertyValue();
  ChangeValue(value);
}

void ScrollBarModel::ChangeValue(int16_t value) {
  if (value == value_) return;
  value_ = value;
  if (onChange) onChange();
}

void ScrollBarModel::SetSmallChange(int16_t change) {
  if (change < 1) throw Failure::InvalidPropertyValue();
  smallChange_ = change;
}

void ScrollBarModel::SetLargeChange(int16_t change) {
  if (change < 1) throw Failure::InvalidPropertyValue();
  largeChange_ = change;
}

}  // namespace vant
