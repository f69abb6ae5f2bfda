#include "ink_image.h"

#include <QImage>
#include <QString>

#include <algorithm>
#include <stdexcept>

namespace vant::test::drivers {

std::vector<InkImage::Run> InkImage::RowRuns(int y, int x0, int x1) const {
  std::vector<Run> runs;
  for (int x = x0; x <= x1; ++x) {
    if (!Ink(x, y)) continue;
    Run run{x, x};
    while (run.last + 1 <= x1 && Ink(run.last + 1, y)) ++run.last;
    runs.push_back(run);
    x = run.last;
  }
  return runs;
}

std::vector<InkImage::Run> InkImage::ColumnRuns(int x, int y0, int y1) const {
  std::vector<Run> runs;
  for (int y = y0; y <= y1; ++y) {
    if (!Ink(x, y)) continue;
    Run run{y, y};
    while (run.last + 1 <= y1 && Ink(x, run.last + 1)) ++run.last;
    runs.push_back(run);
    y = run.last;
  }
  return runs;
}

int InkImage::InkCount(int x0, int y0, int x1, int y1) const {
  int count = 0;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) count += Ink(x, y) ? 1 : 0;
  }
  return count;
}

void InkImage::SavePng(const std::filesystem::path& file, int x0, int y0, int x1, int y1, int scale) const {
  x0 = std::max(0, x0), y0 = std::max(0, y0);
  x1 = std::min(width_ - 1, x1), y1 = std::min(height_ - 1, y1);
  if (x1 < x0 || y1 < y0 || scale < 1) throw std::invalid_argument("SavePng: an empty rectangle");
  QImage image((x1 - x0 + 1) * scale, (y1 - y0 + 1) * scale, QImage::Format_Grayscale8);
  for (int y = 0; y < image.height(); ++y) {
    uchar* line = image.scanLine(y);
    for (int x = 0; x < image.width(); ++x) line[x] = Ink(x0 + x / scale, y0 + y / scale) ? 0 : 255;
  }
  if (!image.save(QString::fromStdString(file.string()), "PNG")) {
    throw std::runtime_error("cannot write " + file.string());
  }
}

std::string FirstDifference(const InkImage& a, const InkImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) {
    return "sizes " + std::to_string(a.Width()) + "x" + std::to_string(a.Height()) + " and " +
           std::to_string(b.Width()) + "x" + std::to_string(b.Height());
  }
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.Ink(x, y) != b.Ink(x, y)) return "dot " + std::to_string(x) + "," + std::to_string(y);
    }
  }
  return "same";
}

}  // namespace vant::test::drivers
