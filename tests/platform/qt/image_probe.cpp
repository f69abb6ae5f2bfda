#include "image_probe.h"

namespace vant::test {

int CountPixels(const QImage& image, QRgb colour, QRect area) {
  if (area.isNull()) area = image.rect();
  area = area.intersected(image.rect());
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixel(x, y) == colour) ++count;
    }
  }
  return count;
}

QRect InkBounds(const QImage& image, QRgb background) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != background) bounds = bounds.united(QRect(x, y, 1, 1));
    }
  }
  return bounds;
}

namespace {

template <typename PixelAt>
std::vector<Run> Runs(int from, int to, QRgb background, PixelAt pixelAt) {
  std::vector<Run> runs;
  for (int i = from; i <= to; ++i) {
    const bool ink = pixelAt(i) != background;
    if (runs.empty() || runs.back().ink != ink) {
      runs.push_back(Run{ink, 1});
    } else {
      ++runs.back().length;
    }
  }
  return runs;
}

}  // namespace

std::vector<Run> RunsAlongRow(const QImage& image, int y, int x0, int x1, QRgb background) {
  return Runs(x0, x1, background, [&](int x) { return image.pixel(x, y); });
}

std::vector<Run> RunsAlongColumn(const QImage& image, int x, int y0, int y1, QRgb background) {
  return Runs(y0, y1, background, [&](int y) { return image.pixel(x, y); });
}

std::vector<int> InkLengths(const std::vector<Run>& runs) {
  std::vector<int> lengths;
  for (const Run& run : runs) {
    if (run.ink) lengths.push_back(run.length);
  }
  return lengths;
}

std::vector<int> InnerGapLengths(const std::vector<Run>& runs) {
  std::vector<int> lengths;
  for (size_t i = 1; i + 1 < runs.size(); ++i) {
    if (!runs[i].ink) lengths.push_back(runs[i].length);
  }
  return lengths;
}

QImage Filled(int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

}  // namespace vant::test
