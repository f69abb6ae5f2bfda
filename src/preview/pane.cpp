#include "preview/pane.h"

#include <cmath>

#include "common/failure.h"
#include "common/numbers.h"

namespace vant {
namespace {

float WholeSize(float value) {
  if (!std::isfinite(value) || value < 0) throw Failure::InvalidPropertyValue();
  return static_cast<float>(WholeInt32(value));
}

float Position(float value) {
  if (!std::isfinite(value)) throw Failure::InvalidPropertyValue();
  return value;
}

}  // namespace

void Pane::SetLeft(float left) { left_ = Position(left); }

void Pane::SetTop(float top) { top_ = Position(top); }

void Pane::SetWidth(float width) {
  const float whole = WholeSize(width);
  if (whole == width_) return;
  width_ = whole;
  if (onResize) onResize();
}

void Pane::SetHeight(float height) {
  const float whole = WholeSize(height);
  if (whole == height_) return;
  height_ = whole;
  if (onResize) onResize();
}

}  // namespace vant
