// Fonts for Qt painting: the QFont a FontSpec stands for, its metrics, and the measured
// widths of texts, cached because measuring is hot (the size-fitting loops measure one
// text at up to 2160 sizes). Also where the shipped fontconfig file lives, which maps the
// Windows font names the pages use onto the installed free faces (windows_fonts.h).
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <filesystem>
#include <list>
#include <memory>
#include <unordered_map>

#include "engine/paint_device.h"

namespace vant::qt {

QString ToQString(TextView text);
Text FromQString(const QString& text);

// The QFont for a FontSpec: family, pixel size (at least 1 pixel), italic, bold, hinting off so
// that advances scale linearly with the size.
QFont FontFromSpec(const FontSpec& wanted);

// One realised font: the QFont and its floating-point metrics. Its ascent and descent are
// read once: each reading through the metrics asks Qt's font database for the engine again.
struct RealisedFont {
  explicit RealisedFont(const FontSpec& wanted);
  QFont font;
  QFontMetricsF metrics;
  double ascent;   // pixels
  double descent;  // pixels
};

struct FontSpecHash {
  size_t operator()(const FontSpec& wanted) const noexcept;
};

// Measuring and drawing fonts. Unhinted advances are proportional to the size, so a text
// is measured once per face (name, italic, bold) at a reference size and scaled: the
// fitting loops then cost one lookup per size, and a larger size is never narrower.
// (Realising a font engine for each of 2160 sizes would be far slower, and Qt's own font
// cache degrades when thousands of engines are held.)
class FontCache {
 public:
  // The measuring size, in pixels: large enough that the scaled widths match the drawn
  // font's advances to a small fraction of a pixel.
  static constexpr int kReferencePixels = 2048;

  // Width = advance of the line, height = ascent + descent, in pixels of the wanted size.
  TextExtent Measure(TextView line, const FontSpec& wanted);
  // The font at the wanted size, for drawing. The reference stays valid until the next
  // call: the drawing fonts used last are kept, the one unused longest goes first.
  const RealisedFont& Realise(const FontSpec& wanted);

  size_t FaceCount() const { return faces_.size(); }
  size_t WidthCount() const { return widths_.size(); }

 private:
  struct WidthKey {
    FontSpec face;  // the wanted font at the reference size
    Text text;
    bool operator==(const WidthKey&) const = default;
  };
  struct WidthKeyHash {
    size_t operator()(const WidthKey& key) const noexcept;
  };
  const RealisedFont& Face(const FontSpec& face);

  std::unordered_map<FontSpec, std::unique_ptr<RealisedFont>, FontSpecHash> faces_;
  struct DrawingFont {
    std::unique_ptr<RealisedFont> font;
    std::list<FontSpec>::iterator use;  // its place in drawingUse_
  };
  std::unordered_map<FontSpec, DrawingFont, FontSpecHash> drawing_;
  std::list<FontSpec> drawingUse_;  // most recently used first
  std::unordered_map<WidthKey, double, WidthKeyHash> widths_;
};

// The name of the shipped fontconfig file.
inline constexpr const char* kFontConfigName = "vant-fonts.conf";

// The shipped fontconfig file, in the data folder (see DataDir). Throws std::runtime_error
// naming the places looked at when there is none.
std::filesystem::path ShippedFontConfig();

}  // namespace vant::qt
