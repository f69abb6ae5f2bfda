// Looking at the pixels that a test painted.
#pragma once

#include <QImage>
#include <QRect>

#include <vector>

namespace vant::test {

inline constexpr QRgb kWhite = 0xFFFFFFFF;
inline constexpr QRgb kBlack = 0xFF000000;

// Pixels of exactly this colour inside area (the whole image when area is null).
int CountPixels(const QImage& image, QRgb colour, QRect area = QRect());
// The smallest rectangle holding every pixel that is not the background; null if none.
QRect InkBounds(const QImage& image, QRgb background = kWhite);

// Alternating stretches along a row from x0 to x1 inclusive: ink (not background) or gap.
struct Run {
  bool ink;
  int length;
};
std::vector<Run> RunsAlongRow(const QImage& image, int y, int x0, int x1, QRgb background = kWhite);
std::vector<Run> RunsAlongColumn(const QImage& image, int x, int y0, int y1, QRgb background = kWhite);
// Lengths of the ink runs, or of the gaps between ink runs (leading and trailing gaps left out).
std::vector<int> InkLengths(const std::vector<Run>& runs);
std::vector<int> InnerGapLengths(const std::vector<Run>& runs);

// A w x h RGB32 image filled with colour.
QImage Filled(int w, int h, QRgb colour);

}  // namespace vant::test
