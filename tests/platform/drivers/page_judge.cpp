#include "page_judge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "common/text.h"
#include "zbar_decode.h"
#include "units.h"

namespace vant::test::drivers {
namespace {

constexpr int kQuiet = 7;  // modules on each side

int Nearest(double v) { return static_cast<int>(std::floor(v + 0.5)); }

// The allowed distance of a mark from its place: 0.1 mm and a dot.
double Allowed(const PageFrame& f) { return 0.1 + kMmPerInch / std::min(f.dpiX, f.dpiY); }

void Offset(Figures& figures, double mm) { figures.worstOffsetMm = std::max(figures.worstOffsetMm, std::fabs(mm)); }

void JudgeSymbol(const InkImage& image, const PageFrame& f, double cx, double cy, const SymbolCase& s,
                 const std::filesystem::path& work, const std::string& where, Figures& figures) {
  SCOPED_TRACE(where + ": " + s.name);
  ++figures.symbols;
  const int m = s.m;
  const int n = static_cast<int>(s.modules.size());
  // The first bar lies after the quiet zone, within a dot of the corner asked for.
  const double firstBarMm = cx + s.xMm + kQuiet * m * kMmPerInch / f.dpiX;
  const int row = Nearest(f.DotY(cy + s.yMm + s.heightMm / 2));
  const int expectedLeft = Nearest(f.DotX(firstBarMm));
  const auto runs = image.RowRuns(row, expectedLeft - 3 * m - 3, expectedLeft + n * m + 3);
  ASSERT_FALSE(runs.empty()) << "no bars at dot row " << row;
  const int left = runs.front().first;
  Offset(figures, (left - f.DotX(firstBarMm)) * kMmPerInch / f.dpiX);
  EXPECT_LE(std::fabs(left - f.DotX(firstBarMm)) * kMmPerInch / f.dpiX, Allowed(f)) << "the first bar at dot " << left;
  // Every module exactly m dots: read back dot by dot.
  Text read;
  for (int i = 0; i < n; ++i) {
    int inked = 0;
    for (int d = 0; d < m; ++d) inked += image.Ink(left + i * m + d, row) ? 1 : 0;
    read.push_back(inked == m ? u'1' : inked == 0 ? u'0' : u'?');
  }
  const bool exact = read == s.modules && !image.Ink(left - 1, row) && !image.Ink(left + n * m, row);
  EXPECT_TRUE(exact) << "modules read " << ToUtf8(read) << "\n      meant " << ToUtf8(s.modules)
                     << "\n  bar and space widths:"
                     << [&] {
                          std::ostringstream widths;
                          int last = left;
                          for (const auto& r : runs) {
                            widths << " " << (r.first - last) << "/" << r.Length();
                            last = r.last + 1;
                          }
                          return widths.str();
                        }();
  if (exact) figures.modules.insert(m);
  // The bars' top edge.
  // Within a millimetre of its top and bottom: the symbols of the row above lie further off.
  const int reach = static_cast<int>(std::ceil(f.dpiY / kMmPerInch)) + 2;
  const auto column = image.ColumnRuns(left, Nearest(f.DotY(cy + s.yMm)) - reach, Nearest(f.DotY(cy + s.yMm + s.heightMm)) + reach);
  ASSERT_FALSE(column.empty());
  Offset(figures, (column.front().first - f.DotY(cy + s.yMm)) * kMmPerInch / f.dpiY);
  EXPECT_LE(std::fabs(column.front().first - f.DotY(cy + s.yMm)) * kMmPerInch / f.dpiY, Allowed(f));
  // zbarimg reads it, modules of at least three pixels.
  const int scale = std::max(1, (3 + m - 1) / m);
  const auto png = work / ("symbol-" + std::to_string(figures.symbols) + ".png");
  image.SavePng(png, left - kQuiet * m - 10, column.front().first - 10, left + n * m + kQuiet * m + 10,
                column.front().last + 10, scale);
  const auto read_ = ZbarDecode(png, s.zbarOptions);
  EXPECT_EQ(read_, std::vector<std::string>{s.expected});
  if (read_ == std::vector<std::string>{s.expected}) ++figures.decoded;
}

// The run crossing a line's band near where it should be: along a column (a line across)
// or a row (a line down).
void JudgeBand(const InkImage& image, const PageFrame& f, bool alongRow, int at, double expectedCentre, int width,
               const std::string& what, Figures& figures) {
  const int from = Nearest(expectedCentre) - width - 6, to = Nearest(expectedCentre) + width + 6;
  const auto runs = alongRow ? image.RowRuns(at, from, to) : image.ColumnRuns(at, from, to);
  ASSERT_EQ(runs.size(), 1u) << what << ": " << runs.size() << " runs near dot " << expectedCentre;
  EXPECT_EQ(runs[0].Length(), width) << what << " is " << runs[0].Length() << " dots";
  if (runs[0].Length() == width) figures.strokes.insert(width);
  const double centre = (runs[0].first + runs[0].last + 1) / 2.0;
  const double mm = (centre - expectedCentre) * kMmPerInch / (alongRow ? f.dpiX : f.dpiY);
  Offset(figures, mm);
  EXPECT_LE(std::fabs(mm), Allowed(f)) << what << " lies " << mm << " mm off";
}

void JudgeStroke(const InkImage& image, const PageFrame& f, double cx, double cy, const StrokeCase& s,
                 const std::string& where, Figures& figures) {
  SCOPED_TRACE(where + ": " + s.name);
  // A line names the dot its coordinate falls in; its band is centred there.
  const auto x = [&](double mm) { return f.DotX(cx + mm); };
  const auto y = [&](double mm) { return f.DotY(cy + mm); };
  const int midRow = Nearest(y((s.y1 + s.y2) / 2));
  const int midColumn = Nearest(x((s.x1 + s.x2) / 2));
  if (s.box || s.vertical) {
    JudgeBand(image, f, true, midRow, x(s.x1) + 0.5, s.width, "the left side", figures);
  }
  if (s.box || !s.vertical) {
    JudgeBand(image, f, false, midColumn, y(s.y1) + 0.5, s.width, "the top side", figures);
  }
  if (s.box) {
    JudgeBand(image, f, true, midRow, x(s.x2) + 0.5, s.width, "the right side", figures);
    JudgeBand(image, f, false, midColumn, y(s.y2) + 0.5, s.width, "the bottom side", figures);
  }
}

// The page's height in points: the exact one where the raster has it (a CUPS raster).
double HeightPt(const RasterHeader& h) {
  return h.pageSizeExact[1] > 0 ? static_cast<double>(h.pageSizeExact[1]) : static_cast<double>(h.pageSize[1]);
}

}  // namespace

PageFrame FrameOf(const RasterHeader& h) {
  PageFrame f;
  f.dpiX = h.hwResolution[0];
  f.dpiY = h.hwResolution[1];
  f.originXMm = h.imagingBox[0] * kMmPerPoint;
  // The page's height as the imaging box measures it: the exact one where the raster has it.
  const double heightPt = HeightPt(h);
  f.originYMm = h.imagingBox[3] > 0 ? (heightPt - h.imagingBox[3]) * kMmPerPoint : 0;
  return f;
}

TurnedPage TurnedBack(const RasterPage& page) {
  const InkImage& r = page.ink;
  TurnedPage turned{InkImage(r.Height(), r.Width()), {}};
  for (int y = 0; y < r.Height(); ++y) {
    for (int x = 0; x < r.Width(); ++x) {
      if (r.Ink(x, y)) turned.image.Set(r.Height() - 1 - y, x, true);
    }
  }
  const PageFrame sheet = FrameOf(page.header);
  // The page's top is the sheet's left; across the page, from the sheet's bottom edge.
  const double sheetHeightMm = HeightPt(page.header) * kMmPerPoint;
  turned.frame.dpiX = sheet.dpiY;
  turned.frame.dpiY = sheet.dpiX;
  turned.frame.originXMm = sheetHeightMm - (sheet.originYMm + r.Height() * kMmPerInch / sheet.dpiY);
  turned.frame.originYMm = sheet.originXMm;
  return turned;
}

std::string Figures::Describe() const {
  std::ostringstream text;
  const auto list = [&](const std::set<int>& values) {
    std::string joined;
    for (const int v : values) joined += (joined.empty() ? "" : ",") + std::to_string(v);
    return joined.empty() ? std::string("none") : joined + " dots";
  };
  text << "modules exact " << list(modules) << "; lines exact " << list(strokes) << "; worst offset "
       << std::fixed;
  text.precision(3);
  text << worstOffsetMm << " mm; decoded " << decoded << "/" << symbols;
  return text.str();
}

void JudgePage(const InkImage& image, const PageFrame& frame, double cornerXMm, double cornerYMm,
               const DriverDocument& doc, const std::filesystem::path& work, const std::string& where,
               Figures& figures) {
  for (const SymbolCase& s : doc.symbols) JudgeSymbol(image, frame, cornerXMm, cornerYMm, s, work, where, figures);
  for (const StrokeCase& s : doc.strokes) JudgeStroke(image, frame, cornerXMm, cornerYMm, s, where, figures);
  if (doc.strokes.empty()) return;  // a document of symbols alone
  const int tx = Nearest(frame.DotX(cornerXMm + doc.textXMm)), ty = Nearest(frame.DotY(cornerYMm + doc.textYMm));
  EXPECT_GT(image.InkCount(tx, ty, tx + Nearest(15 * frame.dpiX / kMmPerInch), ty + Nearest(5 * frame.dpiY / kMmPerInch)), 0)
      << where << ": no text";
}

}  // namespace vant::test::drivers
