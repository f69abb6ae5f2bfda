// QR Code (Japanese text in Kanji mode), GS1-128, Code 128 and ITF-14 read back with
// zbarimg from the PDF printer's pages at 300 and 600 dpi and from the preview page; at
// 600 dpi every bar, space and QR module is whole device dots, judged dot by dot; the
// customer barcode's bars at Japan Post's pitch and heights.
#include <gtest/gtest.h>

#include <QImage>

#include "paper_run.h"
#include "preview_page.h"
#include "raster.h"

namespace vant::test::paper {
namespace {

struct SymbolBand {
  int number;
  std::string method;
  double topMm;
  double heightMm;     // of the band cut out round the symbol
  std::string zbarOptions;
  std::string expected;
  int moduleDots;      // at 600 dpi, worked by hand from the asked size (0: QR, measured)
  int modules;         // linear: modules with both quiet zones
};

// Linear symbols: m is the smallest whole number of dots with n x m >= the width asked:
//   Code 128 "Vant3-128 abc" (13 characters in set B, 11 each, start, check, stop 13): 13 x 11
//     + 11 + 11 + 13 = 178 modules + 20 quiet = 198; 70 mm = 1653.5 dots -> m = 9 (1782).
//   GS1-128 (01)04912345678904(10)AB12: start C, FNC1, 7 pairs 01 04 91 23 45 67 89, 04 10,
//     code B, A B 1 2 (set B), check, stop: (1 + 1 + 9 + 1 + 4 + 1) x 11 + 13 = 200 + 20 = 220
//     modules; 80 mm = 1889.8 dots -> m = 9 (1980).
//   ITF-14 1491234567890 + 1: 14 digits, 7 pairs of 18 modules, start 4, stop 5 (wide 3:1)
//     = 126 + 9 = 135 + 20 = 155; 60 mm = 1417.3 dots -> m = 10 (1550).
const SymbolBand kBands[] = {
    {1, "prnqr,25.4,10,請求書 山田太郎様 12345円,25,m", 10, 35, "-Sdisable -Sqrcode.enable",
     "請求書 山田太郎様 12345円", 0, 0},
    {2, "prncode128,25.4,50,Vant3-128 abc,70,15,true", 50, 25, "-Sdisable -Scode128.enable", "Vant3-128 abc", 9,
     198},
    {3, "prngs1128,25.4,80,(01)0491234567890(10)AB12,80,15,true", 80, 25, "-Sdisable -Scode128.enable",
     "010491234567890410AB12", 9, 220},
    {4, "prnitf,25.4,110,1491234567890,60,15,true", 110, 25, "-Sdisable -Si25.enable", "14912345678901", 10, 155},
    {5, "prngs1128,25.4,140,(91)912345123456789012345678901234567890123,90,15,false", 140, 25,
     "-Sdisable -Scode128.enable", "91912345123456789012345678901234567890123", 0, 0},
};

std::vector<std::string> SymbolPage() {
  std::vector<std::string> page = {"scalemode,mm"};
  for (const SymbolBand& b : kBands) page.push_back(b.method);
  page.push_back("prncustomer,25.4,200,263-00233-30-8-403,10");
  return page;
}

class SymbolsOnPaper : public PaperTest {
 protected:
  void ExpectBandsRead(const Raster& raster, const std::string& where) {
    for (const SymbolBand& b : kBands) {
      const auto png = dir_ / ("band-" + std::to_string(b.number) + ".png");
      raster.SavePng(png, raster.PxAt(15), raster.PxAt(b.topMm - 5), raster.PxAt(125), raster.PxAt(b.topMm + b.heightMm));
      EXPECT_EQ(ZbarDecode(png, b.zbarOptions), std::vector<std::string>{b.expected}) << where << ": band " << b.number;
    }
  }
};

TEST_F(SymbolsOnPaper, EachSymbolReadsBackFromThePdfPrinter) {
  const auto pdf = PrintOnPdf(SymbolPage(), dir_ / "symbols.pdf");
  ExpectBandsRead(Raster::FromPdf(pdf, 1, 300), "PDF 300 dpi");
  ExpectBandsRead(Raster::FromPdf(pdf, 1, 600), "PDF 600 dpi");
}

TEST_F(SymbolsOnPaper, EachSymbolReadsBackFromThePreviewPage) {
  const QImage page = DrawnPreviewPage(*this, *list_, platform_, u"Vant3 PDF", SymbolPage());
  ExpectBandsRead(Raster::FromImage(page, kPreviewDpi), "preview at 200 %");
}

// At 600 dpi, from the bars' left edge at 25.4 mm = dot 600 after the quiet zone: every bar
// and space a multiple of m dots, the symbol exactly as many modules as encoded.
TEST_F(SymbolsOnPaper, LinearModulesAreWholeDotsOnA600DpiPdf) {
  const auto pdf = PrintOnPdf(SymbolPage(), dir_ / "crisp.pdf");
  const Raster raster = Raster::FromPdf(pdf, 1, 600);
  for (const SymbolBand& b : kBands) {
    if (b.moduleDots == 0) continue;
    SCOPED_TRACE("band " + std::to_string(b.number));
    const int m = b.moduleDots;
    const int y = raster.PxAt(b.topMm + 5);
    const auto runs = raster.RowRuns(y, 600, 600 + b.modules * m);
    ASSERT_GE(runs.size(), 2u);
    EXPECT_EQ(runs.front().first, 600 + 10 * m) << "the first bar after 10 quiet modules";
    EXPECT_EQ(runs.back().last, 600 + (b.modules - 10) * m - 1) << "the last bar before 10 quiet modules";
    for (size_t i = 0; i < runs.size(); ++i) {
      EXPECT_EQ(runs[i].Length() % m, 0) << "bar " << i << " is " << runs[i].Length() << " dots";
      if (i > 0) {
        EXPECT_EQ((runs[i].first - runs[i - 1].last - 1) % m, 0) << "space before bar " << i;
      }
    }
    for (int x = 600; x < 600 + b.modules * m; ++x) {
      const int grey = raster.Grey(x, y);
      ASSERT_TRUE(grey < 40 || grey > 215) << "grey " << grey << " at dot " << x;
    }
    std::cout << "[figures] band " << b.number << ": " << m << " dots a module at 600 dpi, " << runs.size()
              << " bars" << std::endl;
  }
}

// The QR Code's corner is at 25.4 mm, 10 mm = dots (600, 236.2 -> 236); 25 mm = 590.6 dots
// for n modules gives m = ceil(590.6 / n). Its finder pattern's top row is one run of 7 m
// dots, and every run of every row starts and ends on the module grid.
TEST_F(SymbolsOnPaper, QrModulesAreWholeDotsInBothDirectionsOnA600DpiPdf) {
  const auto pdf = PrintOnPdf(SymbolPage(), dir_ / "qr.pdf");
  const Raster raster = Raster::FromPdf(pdf, 1, 600);
  const int left = 600, top = 236;
  const auto finder = raster.RowRuns(top, left - 10, left + 400);
  ASSERT_FALSE(finder.empty());
  EXPECT_EQ(finder.front().first, left);
  ASSERT_EQ(finder.front().Length() % 7, 0);
  const int m = finder.front().Length() / 7;
  const auto column = raster.ColumnRuns(left, top - 10, top + 400);
  ASSERT_FALSE(column.empty());
  EXPECT_EQ(column.front().first, top);
  EXPECT_EQ(column.front().Length(), 7 * m) << "the finder pattern is m dots a module down too";
  const auto topRow = raster.RowRuns(top, left, left + 700);
  const int n = (topRow.back().last + 1 - left) / m;
  EXPECT_EQ((topRow.back().last + 1 - left) % m, 0);
  EXPECT_EQ((n - 21) % 4, 0) << n << " modules";
  EXPECT_EQ(m, static_cast<int>(std::ceil(25 / 25.4 * 600 / n)));
  for (int r = 0; r < n; ++r) {
    const int y = top + r * m + m / 2;
    for (const InkRun& run : raster.RowRuns(y, left - 5, left + n * m + 5)) {
      ASSERT_EQ((run.first - left) % m, 0) << "row " << r;
      ASSERT_EQ((run.last + 1 - left) % m, 0) << "row " << r;
    }
  }
  std::cout << "[figures] QR: " << n << " modules, " << m << " dots a module at 600 dpi" << std::endl;
}

// 10 points at 600 dpi: bars 0.6 mm = 14 dots at a pitch of 28, thirds of 1.2 mm = 28 dots;
// long bars 84 dots, ascenders and descenders 56, timing bars 28 (Japan Post's example
// 263-0023 3-30-8-403 begins with the start bars long, descender).
TEST_F(SymbolsOnPaper, TheCustomerBarcodesPitchAndHeights) {
  const auto pdf = PrintOnPdf(SymbolPage(), dir_ / "customer.pdf");
  const Raster raster = Raster::FromPdf(pdf, 1, 600);
  const int top = raster.PxAt(200);
  const auto bars = raster.RowRuns(top + 42, 590, 600 + 67 * 28);
  ASSERT_EQ(bars.size(), 67u) << "every bar crosses the middle third";
  for (size_t i = 0; i < bars.size(); ++i) {
    EXPECT_EQ(bars[i].first, 600 + 28 * static_cast<int>(i)) << "bar " << i;
    EXPECT_EQ(bars[i].Length(), 14) << "bar " << i;
  }
  const int heights[] = {84, 56, 84, 56, 56};  // start: long, descender; 2: long, descender, ascender
  for (size_t i = 0; i < std::size(heights); ++i) {
    const auto column = raster.ColumnRuns(bars[i].first + 7, top - 10, top + 100);
    ASSERT_EQ(column.size(), 1u) << "bar " << i;
    EXPECT_EQ(column[0].Length(), heights[i]) << "bar " << i;
  }
}

}  // namespace
}  // namespace vant::test::paper
