#include "barcode/font_fitting.h"

namespace vant {

int FirstTooWideSize(DrawTarget& target, TextView text, double limit) {
  const auto tooWide = [&](int size) {
    target.SetFontSize(size);
    return static_cast<double>(target.TextWidth(text)) > limit;
  };
  if (!tooWide(kLargestFittedSize)) return 0;
  // The answer lies in [low, high]; high is known to be too wide.
  int low = 1;
  int high = kLargestFittedSize;
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (tooWide(middle)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

}  // namespace vant
