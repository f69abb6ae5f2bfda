// A page read back as pixels: a PDF page rasterised by pdftoppm, or a Qt picture, with the
// measurements the paper tests make on it (ink runs along a row or a column).
#pragma once

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vant::test::paper {

struct Rgb {
  uint8_t r = 255, g = 255, b = 255;
};

// An inclusive span of ink along a row or a column, in pixels.
struct InkRun {
  int first = 0;
  int last = 0;
  // Pixel first covers [first, first + 1): the middle of the run's ink.
  double Centre() const { return (first + last + 1) / 2.0; }
  int Length() const { return last - first + 1; }
};

class Raster {
 public:
  Raster(int width, int height, double dpi) : width_(width), height_(height), dpi_(dpi),
        pixels_(static_cast<size_t>(width) * static_cast<size_t>(height)) {}

  // Page (from 1) of a PDF at dpi, in colour.
  static Raster FromPdf(const std::filesystem::path& pdf, int page, int dpi);
  // A Qt picture whose pixels are dpi dots per inch.
  static Raster FromImage(const QImage& image, double dpi);

  int Width() const { return width_; }
  int Height() const { return height_; }
  double Dpi() const { return dpi_; }
  double PxPerMm() const { return dpi_ / 25.4; }
  int PxAt(double mm) const;  // the pixel holding the millimetre position

  Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, Rgb colour) { pixels_[Index(x, y)] = colour; }
  // Darker than mid-grey (luminance below 128).
  bool Ink(int x, int y) const;
  uint8_t Grey(int x, int y) const;

  // The runs of ink along row y from x0 to x1 (inclusive), or column x from y0 to y1.
  std::vector<InkRun> RowRuns(int y, int x0, int x1) const;
  std::vector<InkRun> ColumnRuns(int x, int y0, int y1) const;
  // Pixels of ink in the rectangle.
  int InkCount(int x0, int y0, int x1, int y1) const;

  // The rectangle (pixels, clipped to the page) as a greyscale PNG, for zbarimg.
  void SavePng(const std::filesystem::path& file, int x0, int y0, int x1, int y1) const;

 private:
  size_t Index(int x, int y) const;
  int width_;
  int height_;
  double dpi_;
  std::vector<Rgb> pixels_;
};

}  // namespace vant::test::paper
