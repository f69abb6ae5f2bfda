// Fonts for Qt painting: the QFont a FontSpec stands for, its metrics, and the measured
// widths of texts, cached because measuring is hot (the size-fitting loops measure one
// text at up to 2160 sizes). Also where the shipped fontconfig file lives, which maps the
// Japanese Windows font names the pages use onto the installed IPA fonts.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <unordered_map>

#include "engine/paint_device.h"

namespace vant::qt {

QString ToQString(TextView text);
Text FromQString(const QString& text);

// The QFont for a spec: family, pixel size (at least 1 pixel), italic, bold, hinting off so
// that advances scale linearly with the size.
QFont FontFromSpec(const FontSpec& spec);

// One realised font: the QFont and its floating-point metrics.
struct RealisedFont {
  explicit RealisedFont(const FontSpec& spec);
  QFont font;
  QFontMetricsF metrics;
};

struct FontSpecHash {
  size_t operator()(const FontSpec& spec) const noexcept;
};

class FontCache {
 public:
  const RealisedFont& Realise(const FontSpec& spec);
  // Width = advance of the line, height = ascent + descent, in pixels.
  TextExtent Measure(TextView line, const FontSpec& spec);
  size_t FontCount() const { return fonts_.size(); }
  size_t WidthCount() const { return widths_.size(); }

 private:
  struct WidthKey {
    FontSpec font;
    Text text;
    bool operator==(const WidthKey&) const = default;
  };
  struct WidthKeyHash {
    size_t operator()(const WidthKey& key) const noexcept;
  };

  std::unordered_map<FontSpec, std::unique_ptr<RealisedFont>, FontSpecHash> fonts_;
  std::unordered_map<WidthKey, double, WidthKeyHash> widths_;
};

// The name of the shipped fontconfig file.
inline constexpr const char* kFontConfigName = "vant-fonts.conf";

// The shipped fontconfig file: next to an installed program (<prefix>/share/vant3), in the
// build tree, or in the configured install prefix, the first that exists. Throws
// std::runtime_error naming the places looked at when there is none.
std::filesystem::path ShippedFontConfig();

}  // namespace vant::qt
