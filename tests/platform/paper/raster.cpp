#include "raster.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "shell_command.h"

namespace vant::test::paper {
namespace {

// Reads one header number of a binary PPM, skipping blanks and comments.
int HeaderNumber(const std::string& bytes, size_t& at) {
  while (at < bytes.size()) {
    if (bytes[at] == '#') {
      while (at < bytes.size() && bytes[at] != '\n') ++at;
    } else if (std::isspace(static_cast<unsigned char>(bytes[at]))) {
      ++at;
    } else {
      break;
    }
  }
  size_t end = at;
  while (end < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[end]))) ++end;
  if (end == at) throw std::runtime_error("PPM header without a number");
  const int value = std::stoi(bytes.substr(at, end - at));
  at = end;
  return value;
}

}  // namespace

Raster Raster::FromPdf(const std::filesystem::path& pdf, int page, int dpi) {
  const auto stem = std::filesystem::path(pdf).replace_extension("").string() + "-r" +
                    std::to_string(dpi) + "-p" + std::to_string(page);
  RunShell("pdftoppm -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " +
           std::to_string(page) + " -singlefile " + ShellQuoted(pdf.string()) + " " +
           ShellQuoted(stem));
  const std::filesystem::path file = stem + ".ppm";
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("pdftoppm wrote no " + file.string());
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.rfind("P6", 0) != 0) throw std::runtime_error(file.string() + " is not a colour PPM");
  size_t at = 2;
  const int width = HeaderNumber(bytes, at);
  const int height = HeaderNumber(bytes, at);
  const int maxValue = HeaderNumber(bytes, at);
  if (maxValue != 255) throw std::runtime_error(file.string() + ": not 8-bit");
  ++at;  // the single blank after the header
  const size_t needed = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
  if (bytes.size() < at + needed) throw std::runtime_error(file.string() + " is cut short");
  Raster raster(width, height, dpi);
  for (size_t i = 0; i < raster.pixels_.size(); ++i) {
    raster.pixels_[i] = Rgb{static_cast<uint8_t>(bytes[at + 3 * i]), static_cast<uint8_t>(bytes[at + 3 * i + 1]),
                            static_cast<uint8_t>(bytes[at + 3 * i + 2])};
  }
  std::filesystem::remove(file);
  return raster;
}

Raster Raster::FromImage(const QImage& image, double dpi) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  Raster raster(rgb.width(), rgb.height(), dpi);
  for (int y = 0; y < rgb.height(); ++y) {
    const uchar* line = rgb.constScanLine(y);
    for (int x = 0; x < rgb.width(); ++x) {
      raster.Set(x, y, Rgb{line[3 * x], line[3 * x + 1], line[3 * x + 2]});
    }
  }
  return raster;
}

size_t Raster::Index(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") outside " +
                            std::to_string(width_) + "x" + std::to_string(height_));
  }
  return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
}

int Raster::PxAt(double mm) const { return static_cast<int>(std::floor(mm * PxPerMm())); }

uint8_t Raster::Grey(int x, int y) const {
  const Rgb p = At(x, y);
  return static_cast<uint8_t>((299 * p.r + 587 * p.g + 114 * p.b) / 1000);
}

bool Raster::Ink(int x, int y) const { return Grey(x, y) < 128; }

std::vector<InkRun> Raster::RowRuns(int y, int x0, int x1) const {
  std::vector<InkRun> runs;
  for (int x = x0; x <= x1; ++x) {
    if (!Ink(x, y)) continue;
    if (!runs.empty() && runs.back().last == x - 1) {
      runs.back().last = x;
    } else {
      runs.push_back({x, x});
    }
  }
  return runs;
}

std::vector<InkRun> Raster::ColumnRuns(int x, int y0, int y1) const {
  std::vector<InkRun> runs;
  for (int y = y0; y <= y1; ++y) {
    if (!Ink(x, y)) continue;
    if (!runs.empty() && runs.back().last == y - 1) {
      runs.back().last = y;
    } else {
      runs.push_back({y, y});
    }
  }
  return runs;
}

int Raster::InkCount(int x0, int y0, int x1, int y1) const {
  int count = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) count += Ink(x, y) ? 1 : 0;
  return count;
}

void Raster::SavePng(const std::filesystem::path& file, int x0, int y0, int x1, int y1) const {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, width_ - 1);
  y1 = std::min(y1, height_ - 1);
  QImage image(x1 - x0 + 1, y1 - y0 + 1, QImage::Format_Grayscale8);
  for (int y = y0; y <= y1; ++y) {
    uchar* line = image.scanLine(y - y0);
    for (int x = x0; x <= x1; ++x) line[x - x0] = Grey(x, y);
  }
  if (!image.save(QString::fromStdString(file.string()), "PNG")) {
    throw std::runtime_error("cannot write " + file.string());
  }
}

}  // namespace vant::test::paper
