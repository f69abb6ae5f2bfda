// The marks the benchmarks print, generated deterministically: a page is a list of
// texts, boxes, lines, circles and barcodes in millimetres on an A4 portrait sheet. The
// same marks become method lines for the control and QPainter calls for the plain Qt
// program the printing is compared with.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace vant::bench {

struct TextMark {
  double xMm = 0, yMm = 0;
  std::string text;  // UTF-8, no comma
  std::string font;  // "ＭＳ 明朝" or "ＭＳ ゴシック"
  int points = 0;
  bool italic = false, bold = false;
  int32_t colour = 0;  // red + 256 green + 65536 blue
};

// A frame (box) or a line; widths are device pixels, every stroke solid.
struct StrokeMark {
  bool box;
  double x1Mm, y1Mm, x2Mm, y2Mm;
  int widthPx;
  int32_t colour;
};

struct CircleMark {
  double xMm, yMm;
  int radiusMm;
  int widthPx;
  int32_t colour;
};

enum class Symbology { kJan13, kNw7, kCode39 };

struct BarcodeMark {
  Symbology symbology;
  double xMm, yMm;
  std::string data;
  int widthMm, heightMm;
  bool showText;
};

using Mark = std::variant<TextMark, StrokeMark, CircleMark, BarcodeMark>;
using MarkedPage = std::vector<Mark>;

inline constexpr const char* kMinchoFont = "ＭＳ 明朝";
inline constexpr const char* kGothicFont = "ＭＳ ゴシック";

// pages pages of marksPerPage marks each: two fifths texts (half in each font, sizes 8 to
// 14 pt, some bold or italic, some coloured), then boxes, lines and a few circles.
std::vector<MarkedPage> DrawingPages(int pages, int marksPerPage);

// One dense A4 page: 60 texts, 100 boxes and lines, 4 circles, 4 barcodes.
MarkedPage DensePage();

// count labels, each a JAN-13 and an NW-7 symbol, 2 across and 10 down an A4 sheet.
std::vector<MarkedPage> LabelPages(int count);

// The method line of a mark, in the printer unit millimetres.
std::string MethodLine(const Mark& mark);

// The method lines of the pages: the page set-up (A4 portrait, millimetres) first, a
// "newpage" between pages, "enddoc" last.
std::vector<std::string> PageMethodLines(const std::vector<MarkedPage>& pages);

// count setup and paging methods (paper sizes, orientations, scale modes, qualities, bins,
// colour modes, one "newpage" in twelve), ending in "enddoc".
std::vector<std::string> SetupMethodLines(int count);

// Counts of the drawing marks over the pages.
struct MarkCounts {
  int texts = 0, strokes = 0, circles = 0, barcodes = 0;
};
MarkCounts CountMarks(const std::vector<MarkedPage>& pages);

}  // namespace vant::bench
