#include "draw/fit_font_size.h"

#include <algorithm>
#include <cmath>

#include "common/numbers.h"

namespace vant {
namespace {

struct FitSetup {
  double remembered;  // the picture's size before, as a whole number
  double target;      // twice the width at the requested size, whole
};

FitSetup Begin(DrawTarget& picture, TextView text, double requestedSize) {
  FitSetup setup;
  setup.remembered = static_cast<double>(WholeInt16(picture.FontSize()));
  picture.SetFontSize(requestedSize);
  setup.target = static_cast<double>(WholeInt32(static_cast<double>(picture.TextWidth(text)) * 2));
  return setup;
}

bool TooWide(DrawTarget& picture, TextView text, int size, double target) {
  picture.SetFontSize(size);
  return picture.TextWidth(text) > target;
}

}  // namespace

double FitPreviewFontSize(DrawTarget& picture, TextView text, double requestedSize) {
  const FitSetup setup = Begin(picture, text, requestedSize);
  // Text widths never shrink as the size grows, so the first size that is too wide can be
  // found by search instead of by trying all 2160. Widths grow about in proportion to the
  // size, so the first guess is twice the requested size; from there the bracket doubles
  // outwards and is then halved, which takes a handful of measurements.
  const auto tooWide = [&](int s) { return TooWide(picture, text, s, setup.target); };
  double fitted = requestedSize;
  if (tooWide(kFitSizeLimit)) {
    const double guess = std::isfinite(requestedSize) ? 2 * requestedSize : kFitSizeLimit;
    int probe = static_cast<int>(std::clamp(std::floor(guess), 1.0, double{kFitSizeLimit}));
    int low = 0;                 // the largest size known not too wide (0: none tried)
    int high = kFitSizeLimit;    // the smallest size known too wide
    int step = 1;
    if (tooWide(probe)) {
      high = probe;
      while (high > 1) {
        const int next = std::max(1, high - step);
        if (!tooWide(next)) {
          low = next;
          break;
        }
        high = next;
        step *= 2;
      }
    } else {
      low = probe;
      while (true) {
        const int next = std::min(kFitSizeLimit, low + step);
        if (tooWide(next)) {
          high = next;
          break;
        }
        low = next;
        step *= 2;
      }
    }
    while (high - low > 1) {
      const int mid = low + (high - low) / 2;
      if (tooWide(mid)) {
        high = mid;
      } else {
        low = mid;
      }
    }
    fitted = high - 1;
  }
  picture.SetFontSize(setup.remembered);
  return fitted;
}

}  // namespace vant
