#include "platform/qt/device_pixels.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "common/failure.h"

namespace vant::qt {
namespace {

bool DeviceSizeFits(int width, int height, double ratio) {
  const long long w = DeviceEdge(width, ratio);
  const long long h = DeviceEdge(height, ratio);
  return w <= kMaxPictureSide && h <= kMaxPictureSide && w * h <= kMaxPicturePixels;
}

}  // namespace

int DeviceEdge(double edge, double ratio) {
  // An edge beyond the int range lies far outside every picture (a side is at most 32767
  // pixels): it is held at the range's end, still outside.
  const double device = std::floor(edge * ratio + 0.5);
  return static_cast<int>(std::clamp(device, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

DeviceRun DeviceRunOf(int origin, int size, double ratio) {
  if (size >= 0) {
    const int first = DeviceEdge(origin, ratio);
    return {first, DeviceEdge(static_cast<double>(origin) + size, ratio) - first};
  }
  // Pixels origin, origin - 1, ..., origin + size + 1: the span [origin + size + 1,
  // origin + 1), walked from its right or bottom device pixel.
  const int end = DeviceEdge(static_cast<double>(origin) + 1, ratio);
  const int start = DeviceEdge(static_cast<double>(origin) + size + 1, ratio);
  return {end - 1, start - end};
}

double FittingRatio(int width, int height, double ratio) {
  // The caller has checked the picture size itself, so ratio 1 always fits.
  if (!std::isfinite(ratio) || ratio <= 0) throw Failure::InvalidPropertyValue();
  if (width <= 0 || height <= 0 || DeviceSizeFits(width, height, ratio)) return ratio;
  double fitting = std::min({ratio, kMaxPictureSide / static_cast<double>(std::max(width, height)),
                             std::sqrt(static_cast<double>(kMaxPicturePixels) /
                                       (static_cast<double>(width) * height))});
  // Rounding may still put a side one pixel over: one pixel less along the longer side.
  const double step = 1.0 / std::max(width, height);
  while (fitting > step && !DeviceSizeFits(width, height, fitting)) fitting -= step;
  return fitting;
}

}  // namespace vant::qt
