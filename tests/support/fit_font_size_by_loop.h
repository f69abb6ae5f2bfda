// The preview text's font size found by trying every size from 1 up, as the measuring loop
// was first written: what the fast search (FitPreviewFontSize) must equal, and the baseline
// of its benchmark.
#pragma once

#include "common/numbers.h"
#include "draw/fit_font_size.h"

namespace vant::test {

inline double FitPreviewFontSizeByLoop(DrawTarget& picture, TextView text, double requestedSize) {
  const auto remembered = static_cast<double>(WholeInt16(picture.FontSize()));
  picture.SetFontSize(requestedSize);
  const auto target = static_cast<double>(WholeInt32(static_cast<double>(picture.TextWidth(text)) * 2));
  double fitted = requestedSize;
  for (int s = 1; s <= kFitSizeLimit; ++s) {
    picture.SetFontSize(s);
    if (picture.TextWidth(text) > target) {
      fitted = s - 1;
      break;
    }
  }
  picture.SetFontSize(remembered);
  return fitted;
}

}  // namespace vant::test
