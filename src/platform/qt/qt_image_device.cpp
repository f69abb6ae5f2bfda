#include "platform/qt/qt_image_device.h"

#include <QColor>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "common/failure.h"
#include "platform/qt/device_pixels.h"

namespace vant::qt {
namespace {

void CheckPictureSize(int widthPx, int heightPx) {
  if (widthPx < 0 || heightPx < 0 || widthPx > kMaxPictureSide || heightPx > kMaxPictureSide ||
      static_cast<long long>(widthPx) * heightPx > kMaxPicturePixels) {
    throw Failure::InvalidPropertyValue();
  }
}

// widthPx x heightPx picture pixels at the ratio.
QImage NewPicture(int widthPx, int heightPx, double ratio, Rgb background) {
  const int deviceWidth = DeviceEdge(widthPx, ratio);
  const int deviceHeight = DeviceEdge(heightPx, ratio);
  if (deviceWidth == 0 || deviceHeight == 0) return QImage();
  QImage image(deviceWidth, deviceHeight, QImage::Format_RGB32);
  if (image.isNull()) throw Failure::InvalidPropertyValue();  // the memory is not there
  image.fill(QColor(background.red, background.green, background.blue));
  image.setDevicePixelRatio(ratio);
  return image;
}

// One source pixel's part in a destination pixel.
struct Tap {
  int pixel;
  float weight;
};

// Which source pixels make each destination pixel along one axis.
struct AxisMap {
  std::vector<int> destPixel;   // destination coordinate of each kept output position
  std::vector<size_t> first;    // taps of position k: [first[k], first[k + 1])
  std::vector<Tap> taps;
};

// Positions along a rectangle's side, counted from its origin pixel in the side's
// direction: position j of a side (origin, size) is pixel origin + j (size > 0) or
// origin - j (size < 0). Returns the positions [lo, hi) that fall inside [0, extent).
void InsidePositions(long long origin, long long size, long long extent, long long& lo,
                     long long& hi) {
  const long long count = size < 0 ? -size : size;
  if (size > 0) {
    lo = std::max(0LL, -origin);
    hi = std::min(count, extent - origin);
  } else {
    lo = std::max(0LL, origin - extent + 1);
    hi = std::min(count, origin + 1);
  }
}

// How a destination pixel is made: as the mode says, or from the one source pixel under its
// centre whatever the mode.
enum class Sampling { kByMode, kNearest };

AxisMap MapAxis(int origin, int size, int extent, int srcOrigin, int srcSize, int srcExtent,
                StretchMode mode, Sampling sampling = Sampling::kByMode) {
  AxisMap map;
  const long long n = std::llabs(static_cast<long long>(size));
  const long long m = std::llabs(static_cast<long long>(srcSize));
  const long long dstep = size < 0 ? -1 : 1, sstep = srcSize < 0 ? -1 : 1;
  long long ilo = 0, ihi = 0, jlo = 0, jhi = 0;
  InsidePositions(origin, size, extent, ilo, ihi);
  InsidePositions(srcOrigin, srcSize, srcExtent, jlo, jhi);
  if (ilo >= ihi || jlo >= jhi) return map;
  // Products of positions and sizes stay below 2^63: exact in long double's 64-bit
  // mantissa, so the boundaries below are exact.
  using Wide = long double;
  const Wide ratio = static_cast<Wide>(m) / static_cast<Wide>(n);
  const auto addTap = [&](long long j, Wide weight) {
    map.taps.push_back(Tap{static_cast<int>(srcOrigin + j * sstep), static_cast<float>(weight)});
  };
  for (long long i = ilo; i < ihi; ++i) {
    const size_t before = map.taps.size();
    if (sampling == Sampling::kNearest) {
      // The source position under the pixel's centre, as when growing below.
      const auto j = static_cast<long long>(
          std::floor((2 * static_cast<Wide>(i) + 1) * m / (2 * static_cast<Wide>(n))));
      if (j >= jlo && j < jhi) addTap(j, 1);
    } else if (mode == StretchMode::kHalftone) {
      // The destination pixel covers source positions [i * ratio, (i + 1) * ratio).
      const Wide a = std::max(static_cast<Wide>(i) * ratio, static_cast<Wide>(jlo));
      const Wide b = std::min(static_cast<Wide>(i + 1) * ratio, static_cast<Wide>(jhi));
      if (a < b) {
        const auto jFirst = static_cast<long long>(std::floor(a));
        const auto jEnd = static_cast<long long>(std::ceil(b));
        for (long long j = jFirst; j < jEnd; ++j) {
          const Wide weight = std::min(static_cast<Wide>(j + 1), b) - std::max(static_cast<Wide>(j), a);
          if (weight > 1e-9L) addTap(j, weight);
        }
      }
    } else if (m > n) {
      // Shrinking: the source positions whose centres lie in the destination pixel,
      // (2j + 1) n in [2 i m, 2 (i + 1) m); every source position belongs to exactly one.
      const Wide twoN = 2 * static_cast<Wide>(n);
      auto j = static_cast<long long>(std::ceil((2 * static_cast<Wide>(i) * m - n) / twoN));
      while (j > 0 && (2 * static_cast<Wide>(j - 1) + 1) * n >= 2 * static_cast<Wide>(i) * m) --j;
      while ((2 * static_cast<Wide>(j) + 1) * n < 2 * static_cast<Wide>(i) * m) ++j;
      for (j = std::max(j, jlo); j < jhi; ++j) {
        if ((2 * static_cast<Wide>(j) + 1) * n >= 2 * static_cast<Wide>(i + 1) * m) break;
        addTap(j, 1);
      }
    } else {
      // Growing or the same size: the source position under the pixel's centre.
      const auto j = static_cast<long long>(
          std::floor((2 * static_cast<Wide>(i) + 1) * m / (2 * static_cast<Wide>(n))));
      if (j >= jlo && j < jhi) addTap(j, 1);
    }
    if (map.taps.size() == before) continue;
    map.first.push_back(before);
    map.destPixel.push_back(static_cast<int>(origin + i * dstep));
  }
  map.first.push_back(map.taps.size());
  return map;
}

// The source columns that any destination column reads: [first, last].
std::pair<int, int> ColumnSpan(const AxisMap& across) {
  const auto [lowest, highest] =
      std::minmax_element(across.taps.begin(), across.taps.end(),
                          [](const Tap& a, const Tap& b) { return a.pixel < b.pixel; });
  return {lowest->pixel, highest->pixel};
}

// Both passes go down first: each destination row combines its source rows over the whole
// column span (contiguous, so the compiler vectorises it), then each destination pixel
// combines its columns of that one row.
void StretchHalftone(QImage& dest, const QImage& src, const AxisMap& across, const AxisMap& down) {
  const auto [colFirst, colLast] = ColumnSpan(across);
  const auto span = static_cast<size_t>(colLast - colFirst + 1);
  const size_t cols = across.destPixel.size();
  std::vector<float> acrossTotal(cols, 0);
  for (size_t c = 0; c < cols; ++c) {
    for (size_t t = across.first[c]; t < across.first[c + 1]; ++t) acrossTotal[c] += across.taps[t].weight;
  }
  std::vector<float> red(span), green(span), blue(span);
  for (size_t k = 0; k < down.destPixel.size(); ++k) {
    std::fill(red.begin(), red.end(), 0.0f);
    std::fill(green.begin(), green.end(), 0.0f);
    std::fill(blue.begin(), blue.end(), 0.0f);
    float downTotal = 0;
    for (size_t t = down.first[k]; t < down.first[k + 1]; ++t) {
      const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(down.taps[t].pixel)) + colFirst;
      const float w = down.taps[t].weight;
      for (size_t x = 0; x < span; ++x) {
        const QRgb px = line[x];
        red[x] += w * static_cast<float>((px >> 16) & 0xFF);
        green[x] += w * static_cast<float>((px >> 8) & 0xFF);
        blue[x] += w * static_cast<float>(px & 0xFF);
      }
      downTotal += w;
    }
    auto* out = reinterpret_cast<QRgb*>(dest.scanLine(down.destPixel[k]));
    for (size_t c = 0; c < cols; ++c) {
      float r = 0, g = 0, b = 0;
      for (size_t t = across.first[c]; t < across.first[c + 1]; ++t) {
        const auto x = static_cast<size_t>(across.taps[t].pixel - colFirst);
        const float w = across.taps[t].weight;
        r += w * red[x];
        g += w * green[x];
        b += w * blue[x];
      }
      const float scale = 1.0f / (downTotal * acrossTotal[c]);
      const auto level = [scale](float sum) {
        return std::clamp(static_cast<int>(sum * scale + 0.5f), 0, 255);
      };
      out[across.destPixel[c]] = qRgb(level(r), level(g), level(b));
    }
  }
}

void StretchBlackOnWhite(QImage& dest, const QImage& src, const AxisMap& across,
                         const AxisMap& down) {
  const auto [colFirst, colLast] = ColumnSpan(across);
  // The darkest per channel is the smallest of each byte of the packed pixels.
  const size_t bytes = static_cast<size_t>(colLast - colFirst + 1) * sizeof(QRgb);
  std::vector<uint8_t> darkest(bytes);
  const size_t cols = across.destPixel.size();
  for (size_t k = 0; k < down.destPixel.size(); ++k) {
    std::fill(darkest.begin(), darkest.end(), uint8_t{0xFF});
    for (size_t t = down.first[k]; t < down.first[k + 1]; ++t) {
      const uchar* line = src.constScanLine(down.taps[t].pixel) + static_cast<size_t>(colFirst) * sizeof(QRgb);
      for (size_t i = 0; i < bytes; ++i) darkest[i] = std::min(darkest[i], line[i]);
    }
    auto* out = reinterpret_cast<QRgb*>(dest.scanLine(down.destPixel[k]));
    for (size_t c = 0; c < cols; ++c) {
      std::array<uint8_t, sizeof(QRgb)> px{0xFF, 0xFF, 0xFF, 0xFF};
      for (size_t t = across.first[c]; t < across.first[c + 1]; ++t) {
        const uint8_t* from = &darkest[static_cast<size_t>(across.taps[t].pixel - colFirst) * sizeof(QRgb)];
        for (size_t i = 0; i < px.size(); ++i) px[i] = std::min(px[i], from[i]);
      }
      QRgb packed;
      std::memcpy(&packed, px.data(), sizeof packed);
      out[across.destPixel[c]] = packed | 0xFF000000u;
    }
  }
}

// Puts back, over a copy made as the mode says, the pixels under the centres of the
// destination pixels that fall on the dotted areas of the source.
void TakeNearestOnDottedAreas(QImage& dest, const QImage& src, const AxisMap& across, const AxisMap& down,
                              const std::vector<QRect>& dottedAreas) {
  std::vector<const QRect*> onRow;
  for (size_t k = 0; k < down.destPixel.size(); ++k) {
    const int sourceRow = down.taps[down.first[k]].pixel;
    onRow.clear();
    for (const QRect& area : dottedAreas) {
      if (sourceRow >= area.top() && sourceRow <= area.bottom()) onRow.push_back(&area);
    }
    if (onRow.empty()) continue;
    const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(sourceRow));
    auto* out = reinterpret_cast<QRgb*>(dest.scanLine(down.destPixel[k]));
    for (size_t c = 0; c < across.destPixel.size(); ++c) {
      const int sourceColumn = across.taps[across.first[c]].pixel;
      for (const QRect* area : onRow) {
        if (sourceColumn >= area->left() && sourceColumn <= area->right()) {
          out[across.destPixel[c]] = line[sourceColumn] | 0xFF000000u;
          break;
        }
      }
    }
  }
}

// The part of a picture widthPx x heightPx that a copy's rectangle covers; a run of negative
// size covers origin + size + 1 .. origin. Wide enough for any int origin and size.
QRect PictureArea(int x, int width, int y, int height, int widthPx, int heightPx) {
  const auto covered = [](long long origin, long long size, long long extent) {
    const long long first = size < 0 ? origin + size + 1 : origin;
    const long long end = size < 0 ? origin + 1 : origin + size;
    return std::pair<int, int>(static_cast<int>(std::clamp(first, 0LL, extent)),
                               static_cast<int>(std::clamp(end, 0LL, extent)));
  };
  const auto [left, right] = covered(x, width, widthPx);
  const auto [top, bottom] = covered(y, height, heightPx);
  return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

// The picture pixel a stroke's coordinate names. The painter centres a stroke on that
// pixel; on one device pixel per picture pixel the rasteriser rounds the stroke onto it by
// itself, but with more device pixels a fractional coordinate would put the stroke across
// two picture pixels' device pixels, and a copy shrunk by whole picture pixels would blur it.
double OnPixel(double coordinate) { return std::floor(coordinate + 0.5); }

}  // namespace

double ScreenDpiX() {
  const QScreen* screen = qGuiApp != nullptr ? QGuiApplication::primaryScreen() : nullptr;
  return screen != nullptr ? screen->logicalDotsPerInchX() : kScreenDpi;
}

double ScreenDpiY() {
  const QScreen* screen = qGuiApp != nullptr ? QGuiApplication::primaryScreen() : nullptr;
  return screen != nullptr ? screen->logicalDotsPerInchY() : kScreenDpi;
}

void StretchPixels(QImage& dest, int x, int y, int width, int height, const QImage& src,
                   int srcX, int srcY, int srcWidth, int srcHeight, StretchMode mode,
                   const std::vector<QRect>& dottedAreas) {
  if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0) return;
  if (dest.isNull() || src.isNull()) return;
  // A second handle on the source: when src is dest, writing to dest detaches it, so the
  // copy reads the pixels as they were before it began.
  QImage source = src;
  if (source.format() != QImage::Format_RGB32) source = source.convertToFormat(QImage::Format_RGB32);
  if (dest.format() != QImage::Format_RGB32) dest = dest.convertToFormat(QImage::Format_RGB32);
  // Averaging only matters when pixels are combined: a copy that shrinks along neither
  // axis takes the pixel under each destination pixel's centre, which is a third of the
  // work at the preview's 300 %.
  if (std::llabs(static_cast<long long>(srcWidth)) <= std::llabs(static_cast<long long>(width)) &&
      std::llabs(static_cast<long long>(srcHeight)) <= std::llabs(static_cast<long long>(height))) {
    mode = StretchMode::kBlackOnWhite;
  }
  const AxisMap across = MapAxis(x, width, dest.width(), srcX, srcWidth, source.width(), mode);
  const AxisMap down = MapAxis(y, height, dest.height(), srcY, srcHeight, source.height(), mode);
  if (across.destPixel.empty() || down.destPixel.empty()) return;
  if (mode == StretchMode::kHalftone) {
    StretchHalftone(dest, source, across, down);
  } else {
    StretchBlackOnWhite(dest, source, across, down);
  }
  if (dottedAreas.empty()) return;
  const AxisMap nearestAcross =
      MapAxis(x, width, dest.width(), srcX, srcWidth, source.width(), mode, Sampling::kNearest);
  const AxisMap nearestDown =
      MapAxis(y, height, dest.height(), srcY, srcHeight, source.height(), mode, Sampling::kNearest);
  if (nearestAcross.destPixel.empty() || nearestDown.destPixel.empty()) return;
  // A pixel just outside an area whose average would take in a bar at its edge (a symbol
  // without quiet zones) is taken to the nearest too: the areas grow by the source pixels
  // half a destination pixel spans, and one for the rounding.
  const auto reach = [](int srcSize, int size) {
    return static_cast<int>(std::ceil(std::fabs(static_cast<double>(srcSize) / size) / 2)) + 1;
  };
  const int reachAcross = reach(srcWidth, width), reachDown = reach(srcHeight, height);
  std::vector<QRect> grown;
  for (const QRect& area : dottedAreas) {
    if (!area.isEmpty()) grown.push_back(area.adjusted(-reachAcross, -reachDown, reachAcross, reachDown));
  }
  TakeNearestOnDottedAreas(dest, source, nearestAcross, nearestDown, grown);
}

// The painter side of the device: a QtPainterDevice whose painter works on the image,
// begun on first use and ended before the pixels are touched directly.
class QtImageDevice::Painting final : public QtPainterDevice {
 public:
  Painting(QImage& image, double dpiX, double dpiY)
      : QtPainterDevice(dpiX, dpiY, image.width(), image.height()), image_(image) {}
  using QtPainterDevice::SetSize;
  void End() { painter_.reset(); }

 protected:
  PaintTarget Painter() override {
    if (!painter_) painter_.emplace(&image_);
    return {*painter_, QPointF(0, 0)};
  }

 private:
  QImage& image_;
  std::optional<QPainter> painter_;
};

QtImageDevice::QtImageDevice(int widthPx, int heightPx, double dpiX, double dpiY, double ratio) {
  CheckPictureSize(widthPx, heightPx);
  wantedRatio_ = ratio;
  ratio_ = FittingRatio(widthPx, heightPx, ratio);
  image_ = NewPicture(widthPx, heightPx, ratio_, Rgb{255, 255, 255});
  painting_ = std::make_unique<Painting>(image_, dpiX, dpiY);
  painting_->SetSize(widthPx, heightPx);
}

QtImageDevice::~QtImageDevice() = default;

void QtImageDevice::EndPainting() const { painting_->End(); }

double QtImageDevice::DpiX() const { return painting_->DpiX(); }
double QtImageDevice::DpiY() const { return painting_->DpiY(); }
double QtImageDevice::WidthPx() const { return painting_->WidthPx(); }
double QtImageDevice::HeightPx() const { return painting_->HeightPx(); }
FontCache& QtImageDevice::Fonts() { return painting_->Fonts(); }

const QImage& QtImageDevice::Image() const {
  EndPainting();
  return image_;
}

void QtImageDevice::FillRect(double x, double y, double w, double h, Rgb colour) {
  uniform_.reset();
  painting_->FillRect(x, y, w, h, colour);
}
void QtImageDevice::StrokeLine(double x1, double y1, double x2, double y2, const Pen& pen) {
  uniform_.reset();
  painting_->StrokeLine(OnPixel(x1), OnPixel(y1), OnPixel(x2), OnPixel(y2), pen);
}
void QtImageDevice::StrokeRect(double x1, double y1, double x2, double y2, const Pen& pen) {
  uniform_.reset();
  painting_->StrokeRect(OnPixel(x1), OnPixel(y1), OnPixel(x2), OnPixel(y2), pen);
}
void QtImageDevice::StrokeEllipse(double cx, double cy, double rx, double ry, const Pen& pen) {
  uniform_.reset();
  painting_->StrokeEllipse(OnPixel(cx), OnPixel(cy), rx, ry, pen);
}
void QtImageDevice::DrawText(double x, double y, TextView line, const FontSpec& font, Rgb colour) {
  uniform_.reset();
  painting_->DrawText(x, y, line, font, colour);
}
TextExtent QtImageDevice::MeasureText(TextView line, const FontSpec& font) {
  return painting_->MeasureText(line, font);
}

void QtImageDevice::Resize(int widthPx, int heightPx, Rgb background) {
  Rebuild(widthPx, heightPx, wantedRatio_, background);
}

void QtImageDevice::SetDevicePixelRatio(double ratio) {
  // The size stays, so no area is new and the background colour is never used.
  Rebuild(static_cast<int>(WidthPx()), static_cast<int>(HeightPx()), ratio, Rgb{255, 255, 255});
}

void QtImageDevice::Rebuild(int widthPx, int heightPx, double wantedRatio, Rgb background) {
  CheckPictureSize(widthPx, heightPx);
  const double ratio = FittingRatio(widthPx, heightPx, wantedRatio);
  const int oldWidth = static_cast<int>(WidthPx());
  const int oldHeight = static_cast<int>(HeightPx());
  wantedRatio_ = wantedRatio;
  if (widthPx == oldWidth && heightPx == oldHeight && ratio == ratio_) return;
  EndPainting();
  QImage rebuilt = NewPicture(widthPx, heightPx, ratio, background);
  const int keepWidth = std::min(widthPx, oldWidth);
  const int keepHeight = std::min(heightPx, oldHeight);
  if (!rebuilt.isNull() && !image_.isNull() && keepWidth > 0 && keepHeight > 0) {
    if (ratio == ratio_) {
      const int rows = std::min({DeviceEdge(keepHeight, ratio), rebuilt.height(), image_.height()});
      const int columns = std::min({DeviceEdge(keepWidth, ratio), rebuilt.width(), image_.width()});
      for (int row = 0; row < rows; ++row) {
        std::memcpy(rebuilt.scanLine(row), image_.constScanLine(row),
                    static_cast<size_t>(columns) * sizeof(QRgb));
      }
    } else {
      // The kept part at the new density: thin lines survive a shrink.
      StretchPixels(rebuilt, 0, 0, DeviceEdge(keepWidth, ratio), DeviceEdge(keepHeight, ratio),
                    image_, 0, 0, DeviceEdge(keepWidth, ratio_), DeviceEdge(keepHeight, ratio_),
                    StretchMode::kBlackOnWhite);
    }
  }
  image_ = std::move(rebuilt);
  ratio_ = ratio;
  painting_->SetSize(widthPx, heightPx);
  if (uniform_ != qRgb(background.red, background.green, background.blue)) uniform_.reset();
}

void QtImageDevice::Clear(Rgb background) {
  dotted_.clear();
  const QRgb colour = qRgb(background.red, background.green, background.blue);
  if (uniform_ == colour) return;
  EndPainting();
  if (!image_.isNull()) image_.fill(QColor(background.red, background.green, background.blue));
  uniform_ = colour;
}

void QtImageDevice::StretchFrom(int x, int y, int width, int height, const PictureDevice& source,
                                int srcX, int srcY, int srcWidth, int srcHeight,
                                StretchMode mode) {
  const auto* other = dynamic_cast<const QtImageDevice*>(&source);
  if (other == nullptr) throw Failure::NotSupported();
  const QImage& pixels = other->Image();
  EndPainting();
  uniform_.reset();
  const DeviceRun across = DeviceRunOf(x, width, ratio_);
  const DeviceRun down = DeviceRunOf(y, height, ratio_);
  const DeviceRun srcAcross = DeviceRunOf(srcX, srcWidth, other->ratio_);
  const DeviceRun srcDown = DeviceRunOf(srcY, srcHeight, other->ratio_);
  StretchPixels(image_, across.origin, down.origin, across.size, down.size, pixels,
                srcAcross.origin, srcDown.origin, srcAcross.size, srcDown.size, mode, other->DottedAreas());
  dotted_.push_back(PictureArea(x, width, y, height, static_cast<int>(WidthPx()), static_cast<int>(HeightPx())));
}

std::vector<QRect> QtImageDevice::DottedAreas() const {
  std::vector<QRect> areas;
  for (const QRect& area : dotted_) {
    areas.push_back(QRect(QPoint(DeviceEdge(area.left(), ratio_), DeviceEdge(area.top(), ratio_)),
                          QPoint(DeviceEdge(area.left() + area.width(), ratio_) - 1,
                                 DeviceEdge(area.top() + area.height(), ratio_) - 1)));
  }
  return areas;
}

}  // namespace vant::qt
