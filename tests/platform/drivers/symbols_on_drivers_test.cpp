// QR Code, Code 128, GS1-128 and ITF-14 through CUPS's own drivers at 203 (Zebra), 300
// (Dymo) and 600 dpi (LaserJet): on the raster each driver reads, every module read back
// dot by dot (a bar or space exactly m dots, a QR module exactly m x m) against the
// modules the encoder made, m the smallest whole number of dots with n x m >= the size
// asked, and every symbol decoded by zbarimg.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

#include "driver_run.h"
#include "engine/setting_values.h"
#include "page_judge.h"
#include "platform/symbols/zint_encoder.h"
#include "units.h"

namespace vant::test::drivers {
namespace {

struct SymbolOnLabel {
  int number;
  std::string method;  // millimetres from the printable corner
  EncodedKind kind;
  Text encoded;        // the data the encoder is handed
  double xMm, yMm, sizeMm, heightMm;
  std::string zbarOptions;
  std::string expected;
};

// Within the Dymo's 57 mm label; linear symbols 154 or 155 modules with their quiet zones of
// 10, asked 38 mm: m = 2 at 203 dpi (303.7 dots), 3 at 300 (448.8), 6 at 600 (897.6).
const SymbolOnLabel kSymbols[] = {
    {1, "prnqr,3,3,請求書 山田太郎様 12345円,20,m", EncodedKind::kQr, u"請求書 山田太郎様 12345円", 3, 3, 20, 0,
     "-Sdisable -Sqrcode.enable", "請求書 山田太郎様 12345円"},
    {2, "prncode128,3,30,Vant3 abc,38,10,false", EncodedKind::kCode128, u"Vant3 abc", 3, 30, 38, 10,
     "-Sdisable -Scode128.enable", "Vant3 abc"},
    {3, "prngs1128,3,45,(01)0491234567890,38,10,false", EncodedKind::kGs1_128, u"(01)04912345678904", 3, 45, 38, 10,
     "-Sdisable -Scode128.enable", "0104912345678904"},
    {4, "prnitf,3,60,1491234567890,38,10,false", EncodedKind::kItf, u"14912345678901", 3, 60, 38, 10,
     "-Sdisable -Si25.enable", "14912345678901"},
};

int ModuleDots(double sizeMm, double dpi, int n) {
  const double wanted = static_cast<float>(sizeMm / kMmPerInch * dpi);
  int m = std::max(1, static_cast<int>(std::ceil(wanted / n)));
  while (m > 1 && static_cast<double>(n) * (m - 1) >= wanted) --m;
  return m;
}

int Nearest(double v) { return static_cast<int>(std::lround(v)); }

class SymbolDriver : public DriverTest, public testing::WithParamInterface<const char*> {};

TEST_P(SymbolDriver, EveryModuleIsWholeDotsAndEverySymbolDecodes) {
  const std::string queue = GetParam();
  const auto& caps = Caps(queue);
  std::vector<std::string> lines = {"scalemode,mm"};
  for (const SymbolOnLabel& s : kSymbols) lines.push_back(s.method);
  const auto raster = Finished(Submit(queue + "-Raster", lines));
  ASSERT_EQ(raster.size(), 1u);
  const auto pages = ReadCupsRaster(raster[0].file);
  ASSERT_EQ(pages.size(), 1u);
  const InkImage& ink = pages[0].ink;
  const PageFrame frame = FrameOf(pages[0].header);
  const printing::SheetMm up = printing::OrientedPage(caps.defaultMedia.sheet, kPortrait);
  const symbols::ZintEncoder encoder;
  std::string seen;
  for (const SymbolOnLabel& s : kSymbols) {
    SCOPED_TRACE(queue + ", symbol " + std::to_string(s.number));
    const SymbolModules modules = encoder.Encode(s.kind, s.encoded, QrLevel::kM);
    ASSERT_FALSE(modules.Refused());
    const bool qr = s.kind == EncodedKind::kQr;
    const int n = qr ? modules.columns : modules.columns + 20;
    const int m = ModuleDots(s.sizeMm, caps.dpiX, n);
    const int quiet = qr ? 0 : 10 * m;
    // The corner as painted: rounded to a whole dot, within a dot of the frame's figure.
    const int ex = Nearest(frame.DotX(up.leftMm + s.xMm)) + quiet;
    const int ey = Nearest(frame.DotY(up.topMm + s.yMm));
    const auto firstRow = ink.RowRuns(ey + m / 2, ex - 3, ex + 3 * m);
    ASSERT_FALSE(firstRow.empty()) << "nothing at dot " << ex << ", " << ey;
    const int left = firstRow.front().first;
    const auto firstColumn = ink.ColumnRuns(left + m / 2, ey - 3, ey + 3 * m);
    ASSERT_FALSE(firstColumn.empty());
    const int top = firstColumn.front().first;
    EXPECT_LE(std::abs(left - ex), 1);
    EXPECT_LE(std::abs(top - ey), 1);
    // Dot by dot: every dot of a module inked for a dark module, none for a light one.
    int wrong = 0;
    const int rows = qr ? modules.rows : 1;
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < modules.columns; ++c) {
        const bool dark = modules.Dark(r, c);
        const int dotRows = qr ? m : Nearest(s.heightMm / kMmPerInch * caps.dpiY) - 2;
        for (int dy = 0; dy < dotRows; ++dy) {
          for (int dx = 0; dx < m; ++dx) wrong += ink.Ink(left + c * m + dx, top + r * m + dy) != dark ? 1 : 0;
        }
      }
    }
    EXPECT_EQ(wrong, 0) << "dots unlike their module, m = " << m;
    // Nothing just outside the symbol's left and right edges.
    EXPECT_FALSE(ink.Ink(left - 1, top + m / 2));
    EXPECT_FALSE(ink.Ink(left + modules.columns * m, top + m / 2));
    const int height = qr ? modules.rows * m : Nearest(s.heightMm / kMmPerInch * caps.dpiY);
    const int scale = std::max(1, (3 + m - 1) / m);
    const auto png = dir_ / ("symbol-" + std::to_string(s.number) + ".png");
    ink.SavePng(png, left - 10 * m - 4 * m, top - 4 * m, left + modules.columns * m + 14 * m, top + height + 4 * m,
                scale);
    const auto decoded = ZbarDecode(png, s.zbarOptions);
    EXPECT_EQ(decoded, std::vector<std::string>{s.expected});
    seen += " #" + std::to_string(s.number) + " m=" + std::to_string(m) + (wrong == 0 ? " exact" : " NOT exact") +
            (decoded == std::vector<std::string>{s.expected} ? " decoded;" : " not decoded;");
  }
  std::cout << "[figures] " << queue << " (" << caps.dpiX << " dpi):" << seen << std::endl;
}

INSTANTIATE_TEST_SUITE_P(Queues, SymbolDriver, testing::Values("Zebra", "Dymo", "LaserJet600"),
                         [](const testing::TestParamInfo<const char*>& p) { return std::string(p.param); });

}  // namespace
}  // namespace vant::test::drivers
