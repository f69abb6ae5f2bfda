#include "platform/qt/qt_fonts.h"

#include "platform/qt/data_dir.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace vant::qt {
namespace {

// Beyond this many cached widths the cache starts afresh, so that a long list of distinct
// texts cannot grow it without bound (each entry holds its text and font name).
constexpr size_t kMaxCachedWidths = 200000;
// Drawing fonts kept at once: a page uses a handful of sizes.
// A form uses a few dozen fonts (names, sizes, bold); realising one costs a font engine
// load, so enough are kept that a document never realises the same one twice.
constexpr size_t kMaxDrawingFonts = 256;

size_t CombineHash(size_t seed, size_t value) {
  return seed ^ (value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
}

// Qt sums advances in 26.6 fixed point: past 2^25 pixels the sum wraps. A long line is
// measured in pieces of this many UTF-16 units, which stay far below that at the reference
// size (a piece of glyphs 4 em wide is 2^25 pixels).
constexpr size_t kMeasuredPiece = 4096;

// The advance of the line in pieces, none ending inside a surrogate pair; kerning across a
// piece's end is not counted.
double HorizontalAdvance(const QFontMetricsF& metrics, TextView line) {
  double width = 0;
  while (!line.empty()) {
    size_t piece = std::min(line.size(), kMeasuredPiece);
    if (piece < line.size() && QChar::isHighSurrogate(line[piece - 1])) --piece;
    width += metrics.horizontalAdvance(ToQString(line.substr(0, piece)));
    line.remove_prefix(piece);
  }
  return width;
}

}  // namespace

QString ToQString(TextView text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

Text FromQString(const QString& text) {
  return Text(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
}

QFont FontFromSpec(const FontSpec& wanted) {
  QFont font;
  // The name is one family, even with a comma in it (a family string would be split there).
  font.setFamilies(QStringList{ToQString(wanted.name)});
  font.setPixelSize(wanted.pixelHeight < 1 ? 1 : wanted.pixelHeight);
  font.setItalic(wanted.italic);
  font.setBold(wanted.bold);
  // Unhinted outlines advance in proportion to the size: a larger size is never narrower,
  // which the size-fitting loops rely on.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(true);
  return font;
}

RealisedFont::RealisedFont(const FontSpec& wanted)
    : font(FontFromSpec(wanted)), metrics(font), ascent(metrics.ascent()), descent(metrics.descent()) {}

size_t FontSpecHash::operator()(const FontSpec& wanted) const noexcept {
  size_t h = std::hash<Text>{}(wanted.name);
  h = CombineHash(h, std::hash<int>{}(wanted.pixelHeight));
  return CombineHash(h, (wanted.italic ? 1u : 0u) | (wanted.bold ? 2u : 0u));
}

size_t FontCache::WidthKeyHash::operator()(const WidthKey& key) const noexcept {
  return CombineHash(FontSpecHash{}(key.face), std::hash<Text>{}(key.text));
}

const RealisedFont& FontCache::Face(const FontSpec& face) {
  auto found = faces_.find(face);
  if (found == faces_.end()) found = faces_.emplace(face, std::make_unique<RealisedFont>(face)).first;
  return *found->second;
}

const RealisedFont& FontCache::Realise(const FontSpec& wanted) {
  auto found = drawing_.find(wanted);
  if (found != drawing_.end()) {
    drawingUse_.splice(drawingUse_.begin(), drawingUse_, found->second.use);
    return *found->second.font;
  }
  if (drawing_.size() >= kMaxDrawingFonts) {
    drawing_.erase(drawingUse_.back());
    drawingUse_.pop_back();
  }
  drawingUse_.push_front(wanted);
  found = drawing_.emplace(wanted, DrawingFont{std::make_unique<RealisedFont>(wanted), drawingUse_.begin()}).first;
  return *found->second.font;
}

TextExtent FontCache::Measure(TextView line, const FontSpec& wanted) {
  FontSpec face = wanted;
  face.pixelHeight = kReferencePixels;
  const RealisedFont& reference = Face(face);
  const double scale = std::max(1, wanted.pixelHeight) / static_cast<double>(kReferencePixels);
  const double height = (reference.ascent + reference.descent) * scale;
  if (line.empty()) return TextExtent{0, height};
  WidthKey key{std::move(face), Text(line)};
  auto found = widths_.find(key);
  if (found == widths_.end()) {
    if (widths_.size() >= kMaxCachedWidths) widths_.clear();
    const double width = HorizontalAdvance(reference.metrics, line);
    found = widths_.emplace(std::move(key), width).first;
  }
  return TextExtent{found->second * scale, height};
}

std::filesystem::path ShippedFontConfig() { return DataDir(kFontConfigName) / kFontConfigName; }

}  // namespace vant::qt
