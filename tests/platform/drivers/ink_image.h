// A page as dots of ink or none, at the device's own resolution: what a driver received
// (a CUPS or PWG raster) or what it sent (ZPL, EPL, PCL, Dymo device data), to be compared
// and measured alike.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vant::test::drivers {

class InkImage {
 public:
  InkImage() = default;
  InkImage(int width, int height)
      : width_(width), height_(height), ink_(static_cast<size_t>(width) * static_cast<size_t>(height), 0) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Outside the image is no ink.
  bool Ink(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ && ink_[Index(x, y)] != 0;
  }
  void Set(int x, int y, bool ink) { ink_[Index(x, y)] = ink ? 1 : 0; }

  // The runs of ink along row y between x0 and x1 (inclusive): [first, last] pairs.
  struct Run {
    int first = 0;
    int last = 0;
    int Length() const { return last - first + 1; }
  };
  std::vector<Run> RowRuns(int y, int x0, int x1) const;
  std::vector<Run> ColumnRuns(int x, int y0, int y1) const;
  int InkCount(int x0, int y0, int x1, int y1) const;

  // The rectangle (clipped to the image) as a greyscale PNG, each dot scale x scale pixels,
  // with a white margin of margin dots around it (for zbarimg).
  void SavePng(const std::filesystem::path& file, int x0, int y0, int x1, int y1, int scale) const;

  bool operator==(const InkImage&) const = default;

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x); }

  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> ink_;
};

// Where two images differ first ("same" when they do not), for a failure message.
std::string FirstDifference(const InkImage& a, const InkImage& b);

}  // namespace vant::test::drivers
