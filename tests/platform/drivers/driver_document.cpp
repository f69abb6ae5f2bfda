#include "driver_document.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "barcode/code39.h"
#include "barcode/jan13.h"
#include "barcode/jan8.h"
#include "barcode/nw7.h"
#include "barcode/paint_bars.h"
#include "common/text.h"
#include "units.h"

namespace vant::test::drivers {
namespace {

constexpr double kBarsMm = 7;      // bar height
constexpr double kRowGapMm = 3.3;  // between rows of symbols
constexpr double kColumnGapMm = 2.7;
constexpr double kMarginMm = 1.13;  // from the printable corner

struct Symbology {
  const char* command;
  const char* data;
  ModuleString modules;
  const char* zbarOptions;
  const char* expected;
};

std::vector<Symbology> Symbologies() {
  return {
      {"prnjan13", "490123456789", Jan13Modules(u"4901234567894"), "-Sdisable -Sean13.enable", "4901234567894"},
      {"prnjan8", "4901234", Jan8Modules(u"49012347"), "-Sdisable -Sean8.enable", "49012347"},
      {"prnnw7", "a1234b", EncodeNw7(u"a1234b", false).modules, "-Sdisable -Scodabar.enable", "A1234B"},
      {"prncode39", "abc", EncodeCode39(u"abc", false).modules, "-Sdisable -Scode39.enable", "ABC"},
  };
}

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", v);
  return text;
}

// Lays boxes of the given size left to right, row by row.
class Flow {
 public:
  Flow(double widthMm, double heightMm, double top) : width_(widthMm), height_(heightMm), y_(top) {}
  // The corner for the next item, or a throw when the area is full.
  std::pair<double, double> Place(double w, double h, double gap) {
    if (x_ + w > width_ - kMarginMm) {
      x_ = kMarginMm + 0.41 * (++row_ % 3), y_ += rowHeight_, rowHeight_ = 0;
    }
    if (x_ + w > width_ - kMarginMm || y_ + h > height_ - kMarginMm) {
      throw std::runtime_error("the cases do not fit in " + Number(width_) + " x " + Number(height_) + " mm");
    }
    const std::pair<double, double> at{x_, y_};
    x_ += w + gap;
    rowHeight_ = std::max(rowHeight_, h + gap);
    return at;
  }
  double Bottom() const { return y_ + rowHeight_; }
  // The next item starts a row of its own.
  void NewRow() { x_ = width_; }

 private:
  double width_, height_;
  double x_ = kMarginMm, y_;
  double rowHeight_ = 0;
  int row_ = 0;
};

}  // namespace

int InvoiceModule(double dpi) {
  return ModuleWidthFor(40 / kMmPerInch * dpi, static_cast<int32_t>(kJan13Modules + 2 * kQuietModules));
}

DriverDocument CasesFor(double dpi, double widthMm, double heightMm, const std::vector<int>& modules,
                        bool symbolsOnly) {
  DriverDocument doc;
  doc.methods.push_back("scalemode,mm");
  Flow flow(widthMm, heightMm, kMarginMm);
  int index = 0;
  for (const int m : modules) {
    for (const Symbology& s : Symbologies()) {
      const auto n = static_cast<int32_t>(s.modules.size() + 2 * kQuietModules);
      // The width asked: whole millimetres (the argument is a whole number) that give m.
      const double widthAsked = std::floor(n * m * kMmPerInch / dpi);
      if (ModuleWidthFor(widthAsked / kMmPerInch * dpi, n) != m) {
        throw std::runtime_error(std::string(s.command) + ": no whole width gives " + std::to_string(m) + " dots");
      }
      SymbolCase c;
      c.name = std::string(s.command) + ", " + std::to_string(m) + " dots";
      c.m = m;
      c.modules = s.modules;
      c.heightMm = kBarsMm;
      c.zbarOptions = s.zbarOptions;
      c.expected = s.expected;
      // Each origin a different fraction of a dot.
      const auto [x, y] = flow.Place(n * m * kMmPerInch / dpi + 0.37 * (index % 4), kBarsMm, kColumnGapMm);
      c.xMm = x + 0.37 * (index % 4);
      c.yMm = y + 0.17 * (index % 3);
      ++index;
      doc.methods.push_back(std::string(s.command) + "," + Number(c.xMm) + "," + Number(c.yMm) + "," + s.data + "," +
                            std::to_string(static_cast<int>(widthAsked)) + "," + Number(kBarsMm) + ",false,false");
      // The method carries the position to the hundredth: the case says what it asked.
      c.xMm = std::stod(Number(c.xMm));
      c.yMm = std::stod(Number(c.yMm));
      doc.symbols.push_back(c);
    }
  }
  if (symbolsOnly) return doc;
  // Lines across and down, and box outlines, 1 to 6 dots wide.
  Flow strokes(widthMm, heightMm, flow.Bottom() + kRowGapMm);
  for (int kind = 0; kind < 3; ++kind) {
    for (int n = 1; n <= 6; ++n) {
      StrokeCase s;
      s.width = n;
      s.box = kind == 2;
      s.vertical = kind == 1;
      const double length = kind == 2 ? 6 : 9;
      const double thickness = kind == 2 ? 6 : 1.5;
      const auto [x, y] = strokes.Place(s.vertical ? thickness : length, s.vertical ? length : thickness, 1.9);
      s.x1 = std::stod(Number(x + 0.23 * n)), s.y1 = std::stod(Number(y + 0.11 * n));
      s.x2 = s.vertical ? s.x1 : std::stod(Number(s.x1 + length - 1));
      s.y2 = s.vertical || s.box ? std::stod(Number(s.y1 + length - 1)) : s.y1;
      if (s.box) s.x2 = std::stod(Number(s.x1 + length - 1));
      s.name = std::string(s.box ? "prnbox" : "prnline") + (s.vertical ? " down" : s.box ? "" : " across") + ", " +
               std::to_string(n) + " dots";
      doc.methods.push_back(std::string(s.box ? "prnbox," : "prnline,") + Number(s.x1) + "," + Number(s.y1) + "," +
                            Number(s.x2) + "," + Number(s.y2) + "," + std::to_string(n) + ",solid,0");
      doc.strokes.push_back(s);
    }
    strokes.NewRow();
  }
  const auto [tx, ty] = strokes.Place(20, 5, 1);
  doc.textXMm = tx, doc.textYMm = ty;
  doc.methods.push_back("prntext," + Number(tx) + "," + Number(ty) + ",Vant3,ＭＳ ゴシック,10,false,false,0");
  return doc;
}

DriverDocument CasesOn(const printing::PrinterCapabilities& caps, const printing::PrinterMedia& media,
                       int16_t orientation, const std::vector<int>& modules, bool symbolsOnly) {
  const printing::SheetMm page = printing::OrientedPage(media.sheet, orientation);
  return CasesFor(caps.dpiX, page.widthMm - page.leftMm - page.rightMm, page.heightMm - page.topMm - page.bottomMm,
                  modules, symbolsOnly);
}

}  // namespace vant::test::drivers
