// The Windows font names that business pages ask for, and the free face each prints in on
// this system: one row a font, with every spelling pages use for it. The shipped fontconfig
// file is written from this table when the program is built (fonts/make_fonts_conf.cpp),
// and `vant check` reads it to say how near the printed face comes to the font the page's
// author saw. Plain standard C++: the build tool that writes the file uses it without Qt.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vant::qt {

// A design: faces of one design stand in for each other, with other widths.
enum class FontDesign : uint8_t {
  kGothic,          // Japanese Gothic (sans-serif)
  kMincho,          // Japanese Mincho (serif); also the stand-in for brush designs
  kRoundedGothic,   // Japanese Gothic with rounded stroke ends
  kSans,            // Latin sans-serif
  kSerif,           // Latin serif
  kMono,            // Latin monospace
  kGeometricSans,   // Latin sans-serif drawn with compass and ruler
  kOcrA,            // the machine-readable OCR-A letters
  kOcrB,            // the machine-readable OCR-B letters
};

// How near a row's face comes to the named font.
enum class FaceFit : uint8_t {
  kMetric,  // the font itself, or a face made to its widths: text runs as long as on Windows
  kDesign,  // a face of the same design with widths of its own
};

inline constexpr size_t kMostSpellings = 12;

struct WindowsFont {
  std::string_view face;  // the fontconfig family the names print in
  FaceFit fit = FaceFit::kDesign;
  FontDesign design = FontDesign::kGothic;
  // The spellings as Windows and the pages write them (UTF-8); the rest of the array null
  // (plain pointers: GCC 12 cannot evaluate the static_asserts over string_views that an
  // aggregate leaves to their default). Spellings() adds the full-width forms of the Latin
  // letters in a Japanese spelling.
  std::array<const char*, kMostSpellings> names;
};

// The faces of one design, in the order they are preferred as stand-ins, and the design
// whose faces follow them in the fontconfig file, so that a missing package still leaves a
// face that has the names' letters (a rounded Gothic falls back to a Gothic, never to a
// Latin face).
inline constexpr size_t kMostDesignFaces = 6;
struct DesignFaces {
  FontDesign design;
  std::string_view name;  // the design's name in reports and tests ("gothic", ...)
  std::array<const char*, kMostDesignFaces> faces;  // the rest of the array null
  FontDesign fallback;
};

std::span<const WindowsFont> WindowsFonts();
std::span<const DesignFaces> Designs();
const DesignFaces& FacesOf(FontDesign design);

// Every spelling of the row: its names, and for a name that mixes Latin letters with
// Japanese ones, the same name with full-width letters, with an ASCII blank and with an
// ideographic space ("MS 明朝" → "ＭＳ 明朝", "ＭＳ　明朝").
std::vector<std::string> Spellings(const WindowsFont& font);

// The row of a page's font name, compared as fontconfig compares family names (ASCII
// blanks ignored, ASCII letters without regard to case); nullptr for a name not listed.
const WindowsFont* FindWindowsFont(std::string_view name);

// The design of an installed face by its family name; nothing for a face not listed in a
// design.
std::optional<FontDesign> DesignOfFace(std::string_view family);

// The stand-ins of a row in the order fontconfig is to try them: the row's face, the other
// faces of its design, then those of the design's fallback.
std::vector<std::string_view> StandIns(const WindowsFont& font);

// A family name as fontconfig compares family names: without its ASCII blanks, ASCII
// letters in lower case.
std::string FoldedFamily(std::string_view family);

}  // namespace vant::qt
