// Picture pixels, the device pixels behind them, and the largest picture. A picture box
// measures in the pixels of a 96 dpi screen; on a screen with a device pixel ratio r its
// image holds r device pixels for each of them, so that what reaches the screen has one
// image pixel per device pixel.
#pragma once

namespace vant::qt {

// The largest picture, in pixels along a side and in all: beyond that a size is refused
// rather than exhausting memory (an A0 sheet at twice the screen density still fits).
inline constexpr int kMaxPictureSide = 32767;
inline constexpr long long kMaxPicturePixels = 1LL << 27;

// The device pixel edge of a picture pixel edge: e x r rounded, a half going up, as Qt's own
// raster engine rounds the aliased fills of a scaled painter. Two pictures that meet at an
// edge meet at the same device pixel.
int DeviceEdge(double edge, double ratio);

// A run of `size` picture pixels from pixel `origin` (leftwards or upwards when size is
// negative, as the block copy counts them) in device pixels: the device origin pixel and a
// device size of the same sign. A zero size stays zero.
struct DeviceRun {
  int origin;
  int size;
};
DeviceRun DeviceRunOf(int origin, int size, double ratio);

// The ratio a picture of width x height picture pixels can carry: the one asked, or less
// where its device pixels would pass the picture limits (the sizes a page can ask for
// include sheets of a square metre). A ratio that is not a positive finite number is
// refused with InvalidPropertyValue.
double FittingRatio(int width, int height, double ratio);

}  // namespace vant::qt
