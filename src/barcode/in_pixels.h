// Symbols are laid out in whole device pixels with a one-pixel pen, whatever unit and pen
// the page has set: one place that switches the target over and back.
#pragma once

#include <cstdint>
#include <type_traits>

#include "engine/draw_target.h"

namespace vant {

// Runs paint(unit) with the target in pixels and pen width 1, unit being the scale mode the
// caller's coordinates are in; returns what paint returns. ScaleMode and DrawWidth come back
// as they were, also when the painting throws (the failure then goes on to the caller).
template <class Paint>
auto InPixels(DrawTarget& target, Paint&& paint) -> std::invoke_result_t<Paint&, int16_t> {
  const int16_t savedMode = target.ScaleMode();
  const int16_t savedWidth = target.DrawWidth();
  const auto restore = [&] {
    target.SetScaleMode(savedMode);
    target.SetDrawWidth(savedWidth);
  };
  try {
    target.SetScaleMode(kScalePixels);
    target.SetDrawWidth(1);
    if constexpr (std::is_void_v<std::invoke_result_t<Paint&, int16_t>>) {
      paint(savedMode);
      restore();
    } else {
      auto result = paint(savedMode);
      restore();
      return result;
    }
  } catch (...) {
    restore();
    throw;
  }
}

}  // namespace vant
