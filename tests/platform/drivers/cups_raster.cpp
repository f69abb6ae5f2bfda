#include "cups_raster.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vant::test::drivers {
namespace {

constexpr size_t kHeaderSize = 1796;

class Reader {
 public:
  Reader(const std::string& bytes, std::string what) : bytes_(bytes), what_(std::move(what)) {}

  bool AtEnd() const { return at_ >= bytes_.size(); }
  const char* Take(size_t n) {
    if (bytes_.size() - at_ < n) Fail("ends inside a page");
    const char* p = bytes_.data() + at_;
    at_ += n;
    return p;
  }
  [[noreturn]] void Fail(const std::string& why) const {
    throw std::runtime_error(what_ + ": " + why + " (at byte " + std::to_string(at_) + ")");
  }

 private:
  const std::string& bytes_;
  std::string what_;
  size_t at_ = 0;
};

unsigned Unsigned(const char* header, size_t offset, bool swap) {
  unsigned char b[4];
  std::memcpy(b, header + offset, 4);
  return swap ? (unsigned{b[0]} << 24 | unsigned{b[1]} << 16 | unsigned{b[2]} << 8 | b[3])
              : (unsigned{b[3]} << 24 | unsigned{b[2]} << 16 | unsigned{b[1]} << 8 | b[0]);
}

float Float(const char* header, size_t offset, bool swap) {
  const unsigned bits = Unsigned(header, offset, swap);
  float f = 0;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

std::string HeaderText(const char* header, size_t offset) {
  const char* start = header + offset;
  return std::string(start, strnlen(start, 64));
}

RasterHeader ParseHeader(const char* h, bool swap) {
  RasterHeader r;
  r.mediaType = HeaderText(h, 128);
  r.hwResolution[0] = Unsigned(h, 276, swap), r.hwResolution[1] = Unsigned(h, 280, swap);
  r.manualFeed = Unsigned(h, 320, swap);
  r.mediaPosition = Unsigned(h, 324, swap);
  r.orientation = Unsigned(h, 344, swap);
  r.pageSize[0] = Unsigned(h, 352, swap), r.pageSize[1] = Unsigned(h, 356, swap);
  r.width = Unsigned(h, 372, swap);
  r.height = Unsigned(h, 376, swap);
  r.bitsPerColor = Unsigned(h, 384, swap);
  r.bitsPerPixel = Unsigned(h, 388, swap);
  r.bytesPerLine = Unsigned(h, 392, swap);
  r.colorOrder = Unsigned(h, 396, swap);
  r.colorSpace = Unsigned(h, 400, swap);
  r.pageSizeExact[0] = Float(h, 428, swap), r.pageSizeExact[1] = Float(h, 432, swap);
  for (size_t i = 0; i < 4; ++i) r.imagingBox[i] = Float(h, 436 + 4 * i, swap);
  r.pageSizeName = HeaderText(h, 1732);
  return r;
}

// Whether a pixel (at bit or byte offset) is ink in the page's colour space.
bool PixelInk(const RasterHeader& h, const unsigned char* line, unsigned x) {
  switch (h.bitsPerPixel) {
    case 1: {
      const bool set = ((line[x / 8] >> (7 - x % 8)) & 1) != 0;
      // Black (3) counts ink up; white (0) and sGray (18) count light up.
      return h.colorSpace == 3 ? set : !set;
    }
    case 8:
      return h.colorSpace == 3 ? line[x] >= 128 : line[x] < 128;
    case 24: {
      const unsigned char* p = line + 3 * static_cast<size_t>(x);
      return (299 * p[0] + 587 * p[1] + 114 * p[2]) / 1000 < 128;
    }
    default:
      throw std::runtime_error("a raster of " + std::to_string(h.bitsPerPixel) + " bits a pixel");
  }
}

void CheckLayout(const RasterHeader& h, Reader& in) {
  if (h.colorOrder != 0) in.Fail("only chunky pixels are read");
  if (h.width == 0 || h.height == 0 || h.width > 100000 || h.height > 100000) in.Fail("a page of no size");
  if (h.bytesPerLine != (h.width * h.bitsPerPixel + 7) / 8) in.Fail("bytes per line do not fit the width");
  if (h.colorSpace != 0 && h.colorSpace != 1 && h.colorSpace != 3 && h.colorSpace != 18 && h.colorSpace != 19) {
    in.Fail("colour space " + std::to_string(h.colorSpace));
  }
}

// Version 2 lines: a repeat count, then runs of one pixel repeated or literal pixels.
std::string CompressedLine(Reader& in, const RasterHeader& h) {
  const size_t pixelBytes = std::max(1u, h.bitsPerPixel / 8);
  const bool whiteIsZero = !(h.colorSpace == 3);
  std::string line;
  line.reserve(h.bytesPerLine);
  while (line.size() < h.bytesPerLine) {
    const auto control = static_cast<unsigned char>(*in.Take(1));
    const size_t left = h.bytesPerLine - line.size();
    if (control == 128) {
      line.append(left, whiteIsZero ? '\xff' : '\0');  // the rest of the line blank
    } else if (control & 128) {
      const size_t count = std::min<size_t>((257 - control) * pixelBytes, left);
      line.append(in.Take(count), count);
    } else {
      const size_t count = std::min<size_t>((control + 1) * pixelBytes, left);
      const std::string pixel(in.Take(pixelBytes), pixelBytes);
      for (size_t n = 0; n < count; n += pixelBytes) line.append(pixel, 0, std::min(pixelBytes, count - n));
    }
  }
  return line;
}

}  // namespace

std::vector<RasterPage> ParseCupsRaster(const std::string& bytes, const std::string& what) {
  Reader in(bytes, what);
  const std::string sync(in.Take(4), 4);
  bool swap = false, compressed = false;
  if (sync == "RaS3" || sync == "3SaR") {
    swap = sync == "RaS3";
  } else if (sync == "RaS2" || sync == "2SaR") {
    swap = sync == "RaS2", compressed = true;
  } else {
    in.Fail("no CUPS raster version 2 or 3 (sync \"" + sync + "\")");
  }
  std::vector<RasterPage> pages;
  while (!in.AtEnd()) {
    RasterPage page;
    page.header = ParseHeader(in.Take(kHeaderSize), swap);
    const RasterHeader& h = page.header;
    CheckLayout(h, in);
    page.ink = InkImage(static_cast<int>(h.width), static_cast<int>(h.height));
    for (unsigned y = 0; y < h.height;) {
      unsigned repeat = 1;
      std::string line;
      if (compressed) {
        repeat = static_cast<unsigned char>(*in.Take(1)) + 1u;
        line = CompressedLine(in, h);
      } else {
        line.assign(in.Take(h.bytesPerLine), h.bytesPerLine);
      }
      const auto* data = reinterpret_cast<const unsigned char*>(line.data());
      for (unsigned r = 0; r < repeat && y < h.height; ++r, ++y) {
        for (unsigned x = 0; x < h.width; ++x) {
          if (PixelInk(h, data, x)) page.ink.Set(static_cast<int>(x), static_cast<int>(y), true);
        }
      }
    }
    pages.push_back(std::move(page));
  }
  return pages;
}

std::vector<RasterPage> ReadCupsRaster(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return ParseCupsRaster(bytes.str(), file.string());
}

}  // namespace vant::test::drivers
