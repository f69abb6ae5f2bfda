#include "platform/qt_image_device.h"

#include <QColor>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "common/failure.h"

namespace vant::qt {
namespace {

void CheckPictureSize(int widthPx, int heightPx) {
  if (widthPx < 0 || heightPx < 0 || widthPx > kMaxPictureSide || heightPx > kMaxPictureSide ||
      static_cast<long long>(widthPx) * heightPx > kMaxPicturePixels) {
    throw Failure::InvalidPropertyValue();
  }
}

QImage NewPicture(int widthPx, int heightPx, Rgb background) {
  if (widthPx == 0 || heightPx == 0) return QImage();
  QImage image(widthPx, heightPx, QImage::Format_RGB32);
  if (image.isNull()) throw Failure::InvalidPropertyValue();  // the memory is not there
  image.fill(QColor(background.red, background.green, background.blue));
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

AxisMap MapAxis(int origin, int size, int extent, int srcOrigin, int srcSize, int srcExtent,
                StretchMode mode) {
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
    if (mode == StretchMode::kHalftone) {
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

struct Channels {
  float red, green, blue;
};

void StretchHalftone(QImage& dest, const QImage& src, const AxisMap& across,
                     const AxisMap& down, int rowFirst, int rowLast) {
  const size_t cols = across.destPixel.size();
  std::vector<Channels> rows(static_cast<size_t>(rowLast - rowFirst + 1) * cols);
  for (int r = rowFirst; r <= rowLast; ++r) {
    const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(r));
    Channels* out = &rows[static_cast<size_t>(r - rowFirst) * cols];
    for (size_t c = 0; c < cols; ++c) {
      float red = 0, green = 0, blue = 0, total = 0;
      for (size_t t = across.first[c]; t < across.first[c + 1]; ++t) {
        const QRgb px = line[across.taps[t].pixel];
        const float w = across.taps[t].weight;
        red += w * static_cast<float>(qRed(px));
        green += w * static_cast<float>(qGreen(px));
        blue += w * static_cast<float>(qBlue(px));
        total += w;
      }
      out[c] = Channels{red / total, green / total, blue / total};
    }
  }
  std::vector<Channels> sums(cols);
  for (size_t k = 0; k < down.destPixel.size(); ++k) {
    std::fill(sums.begin(), sums.end(), Channels{0, 0, 0});
    float total = 0;
    for (size_t t = down.first[k]; t < down.first[k + 1]; ++t) {
      const Channels* in = &rows[static_cast<size_t>(down.taps[t].pixel - rowFirst) * cols];
      const float w = down.taps[t].weight;
      for (size_t c = 0; c < cols; ++c) {
        sums[c].red += w * in[c].red;
        sums[c].green += w * in[c].green;
        sums[c].blue += w * in[c].blue;
      }
      total += w;
    }
    auto* line = reinterpret_cast<QRgb*>(dest.scanLine(down.destPixel[k]));
    const auto level = [total](float sum) {
      return std::clamp(static_cast<int>(std::lround(sum / total)), 0, 255);
    };
    for (size_t c = 0; c < cols; ++c) {
      line[across.destPixel[c]] = qRgb(level(sums[c].red), level(sums[c].green), level(sums[c].blue));
    }
  }
}

QRgb Darkest(QRgb a, QRgb b) {
  return qRgb(std::min(qRed(a), qRed(b)), std::min(qGreen(a), qGreen(b)),
              std::min(qBlue(a), qBlue(b)));
}

void StretchBlackOnWhite(QImage& dest, const QImage& src, const AxisMap& across,
                         const AxisMap& down, int rowFirst, int rowLast) {
  const size_t cols = across.destPixel.size();
  std::vector<QRgb> rows(static_cast<size_t>(rowLast - rowFirst + 1) * cols);
  for (int r = rowFirst; r <= rowLast; ++r) {
    const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(r));
    QRgb* out = &rows[static_cast<size_t>(r - rowFirst) * cols];
    for (size_t c = 0; c < cols; ++c) {
      QRgb px = qRgb(255, 255, 255);
      for (size_t t = across.first[c]; t < across.first[c + 1]; ++t) {
        px = Darkest(px, line[across.taps[t].pixel]);
      }
      out[c] = px;
    }
  }
  for (size_t k = 0; k < down.destPixel.size(); ++k) {
    auto* line = reinterpret_cast<QRgb*>(dest.scanLine(down.destPixel[k]));
    for (size_t c = 0; c < cols; ++c) {
      QRgb px = qRgb(255, 255, 255);
      for (size_t t = down.first[k]; t < down.first[k + 1]; ++t) {
        px = Darkest(px, rows[static_cast<size_t>(down.taps[t].pixel - rowFirst) * cols + c]);
      }
      line[across.destPixel[c]] = px;
    }
  }
}

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
                   int srcX, int srcY, int srcWidth, int srcHeight, StretchMode mode) {
  if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0) return;
  if (dest.isNull() || src.isNull()) return;
  // A second handle on the source: when src is dest, writing to dest detaches it, so the
  // copy reads the pixels as they were before it began.
  QImage source = src;
  if (source.format() != QImage::Format_RGB32) source = source.convertToFormat(QImage::Format_RGB32);
  if (dest.format() != QImage::Format_RGB32) dest = dest.convertToFormat(QImage::Format_RGB32);
  const AxisMap across = MapAxis(x, width, dest.width(), srcX, srcWidth, source.width(), mode);
  const AxisMap down = MapAxis(y, height, dest.height(), srcY, srcHeight, source.height(), mode);
  if (across.destPixel.empty() || down.destPixel.empty()) return;
  const auto [lowest, highest] =
      std::minmax_element(down.taps.begin(), down.taps.end(),
                          [](const Tap& a, const Tap& b) { return a.pixel < b.pixel; });
  if (mode == StretchMode::kHalftone) {
    StretchHalftone(dest, source, across, down, lowest->pixel, highest->pixel);
  } else {
    StretchBlackOnWhite(dest, source, across, down, lowest->pixel, highest->pixel);
  }
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
  QPainter& Painter() override {
    if (!painter_) painter_.emplace(&image_);
    return *painter_;
  }

 private:
  QImage& image_;
  std::optional<QPainter> painter_;
};

QtImageDevice::QtImageDevice(int widthPx, int heightPx, double dpiX, double dpiY) {
  CheckPictureSize(widthPx, heightPx);
  image_ = NewPicture(widthPx, heightPx, Rgb{255, 255, 255});
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
  painting_->FillRect(x, y, w, h, colour);
}
void QtImageDevice::StrokeLine(double x1, double y1, double x2, double y2, const Pen& pen) {
  painting_->StrokeLine(x1, y1, x2, y2, pen);
}
void QtImageDevice::StrokeRect(double x1, double y1, double x2, double y2, const Pen& pen) {
  painting_->StrokeRect(x1, y1, x2, y2, pen);
}
void QtImageDevice::StrokeEllipse(double cx, double cy, double rx, double ry, const Pen& pen) {
  painting_->StrokeEllipse(cx, cy, rx, ry, pen);
}
void QtImageDevice::DrawText(double x, double y, TextView line, const FontSpec& font, Rgb colour) {
  painting_->DrawText(x, y, line, font, colour);
}
TextExtent QtImageDevice::MeasureText(TextView line, const FontSpec& font) {
  return painting_->MeasureText(line, font);
}

void QtImageDevice::Resize(int widthPx, int heightPx, Rgb background) {
  CheckPictureSize(widthPx, heightPx);
  if (widthPx == image_.width() && heightPx == image_.height()) return;
  EndPainting();
  QImage resized = NewPicture(widthPx, heightPx, background);
  const int keepWidth = std::min(widthPx, image_.width());
  const int keepHeight = std::min(heightPx, image_.height());
  for (int row = 0; row < keepHeight; ++row) {
    std::memcpy(resized.scanLine(row), image_.constScanLine(row),
                static_cast<size_t>(keepWidth) * sizeof(QRgb));
  }
  image_ = std::move(resized);
  painting_->SetSize(widthPx, heightPx);
}

void QtImageDevice::Clear(Rgb background) {
  EndPainting();
  if (!image_.isNull()) image_.fill(QColor(background.red, background.green, background.blue));
}

void QtImageDevice::StretchFrom(int x, int y, int width, int height, const PictureDevice& source,
                                int srcX, int srcY, int srcWidth, int srcHeight,
                                StretchMode mode) {
  const auto* other = dynamic_cast<const QtImageDevice*>(&source);
  if (other == nullptr) throw Failure::NotSupported();
  const QImage& pixels = other->Image();
  EndPainting();
  StretchPixels(image_, x, y, width, height, pixels, srcX, srcY, srcWidth, srcHeight, mode);
}

}  // namespace vant::qt
