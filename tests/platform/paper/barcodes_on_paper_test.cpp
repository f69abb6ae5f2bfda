// Barcodes read back with zbarimg from the pages that reached the office queue and the PDF
// printer (at 300 and 600 dpi) and from a preview page drawn by DrawPage at double density;
// on a 600 dpi PDF page every module is a whole number of device dots.
#include <gtest/gtest.h>

#include <QImage>

#include "barcode_page.h"
#include "paper_run.h"
#include "preview_page.h"
#include "raster.h"

namespace vant::test::paper {
namespace {

class BarcodesOnPaper : public PaperTest {
 protected:
  // Each band cut out of the page (the printable corner at ox, oy mm) and decoded alone.
  void ExpectBandsRead(const Raster& raster, double ox, double oy, const std::string& where,
                       bool onlyWithText = false) {
    int band = 0;
    for (const auto& b : BarcodeBands()) {
      if (onlyWithText && !b.withText) continue;
      const auto png = dir_ / ("band-" + std::to_string(++band) + ".png");
      raster.SavePng(png, raster.PxAt(ox + kBandLeftMm - 5), raster.PxAt(oy + b.topMm - 3),
                     raster.PxAt(ox + kBandLeftMm + kBandWidthMm), raster.PxAt(oy + b.topMm + kBandHeightMm - 3));
      EXPECT_EQ(ZbarDecode(png, b.zbarOptions), std::vector<std::string>{b.expected})
          << where << ": " << b.method;
    }
  }
};

TEST_F(BarcodesOnPaper, EverySymbologyReadsBackFromTheOfficeQueue) {
  const auto pdf = PrintOnOffice(BarcodePage());
  ExpectBandsRead(Raster::FromPdf(pdf, 1, 300), kOfficeLeftMm, kOfficeTopMm, "Office 300 dpi");
  ExpectBandsRead(Raster::FromPdf(pdf, 1, 600), kOfficeLeftMm, kOfficeTopMm, "Office 600 dpi");
}

TEST_F(BarcodesOnPaper, EverySymbologyReadsBackFromThePdfPrinter) {
  const auto pdf = PrintOnPdf(BarcodePage(), dir_ / "barcodes.pdf");
  ExpectBandsRead(Raster::FromPdf(pdf, 1, 300), 0, 0, "PDF 300 dpi");
  ExpectBandsRead(Raster::FromPdf(pdf, 1, 600), 0, 0, "PDF 600 dpi");
}

TEST_F(BarcodesOnPaper, EverySymbologyReadsBackFromTheDrawnPreviewPage) {
  const QImage page = DrawnPreviewPage(*this, *list_, platform_, u"Vant3 PDF", BarcodePage());
  // (The symbols without text: see the next test.)
  ExpectBandsRead(Raster::FromImage(page, kPreviewDpi), 0, 0, "preview at 200 %", /*onlyWithText=*/true);
  // The whole page as the preview shows it, too: every symbol on one picture.
  const auto png = dir_ / "preview.png";
  ASSERT_TRUE(page.save(QString::fromStdString(png.string()), "PNG"));
  const auto symbols = ZbarDecode(png, "-Sdisable -Sean13.enable");
  EXPECT_EQ(symbols, std::vector<std::string>{"4901234567894"});
}

// A symbol without text is shown in the preview as tall as its bars and reads back, as it
// does on paper. The copy keeps the scratch box's aspect: the symbol came out wider than
// asked (whole 13-dot modules: 112 x 13 = 1456 dots for the 60 mm = 1417.3 dots asked), so
// the 15 mm bars show 1417.3 / 1456 as tall.
TEST_F(BarcodesOnPaper, ASymbolWithoutTextIsShownWholeInThePreview) {
  const QImage page = DrawnPreviewPage(*this, *list_, platform_, u"Vant3 PDF",
                                       {"scalemode,mm", "prnnw7,25.4,100,a1234b,60,15,false,true"});
  const Raster preview = Raster::FromImage(page, kPreviewDpi);
  // The start character's first bar, one column into it.
  const auto rows = preview.RowRuns(preview.PxAt(100) + 1, preview.PxAt(kBandLeftMm), preview.PxAt(kBandLeftMm + 20));
  ASSERT_FALSE(rows.empty()) << "no bars at the symbol's top";
  const auto bar = preview.ColumnRuns(rows.front().first, preview.PxAt(95), preview.PxAt(125));
  ASSERT_EQ(bar.size(), 1u);
  const double kept = (60 / 25.4 * 600) / (112 * 13);
  EXPECT_NEAR(bar[0].Length(), 15 * preview.PxPerMm() * kept, 2);
  const auto png = dir_ / "nw7.png";
  preview.SavePng(png, preview.PxAt(20), preview.PxAt(97), preview.PxAt(115), preview.PxAt(125));
  EXPECT_EQ(ZbarDecode(png, "-Sdisable -Scodabar.enable"), std::vector<std::string>{"A12345B"});
}

// On the PDF printer at 600 dpi, the JAN-13 asked 50 mm wide (1181.1 dots for 109 modules)
// has modules of 11 dots: its bars begin at a whole dot and every bar and space is a
// multiple of 11 dots, with no grey edge between them.
TEST_F(BarcodesOnPaper, ModulesAreWholeDevicePixelsOnA600DpiPdf) {
  const auto pdf = PrintOnPdf({"scalemode,mm", "prnjan13,25.4,10,490123456789,50,15,false"}, dir_ / "crisp.pdf");
  const Raster raster = Raster::FromPdf(pdf, 1, 600);
  constexpr int kModule = 11;
  const int y = raster.PxAt(10 + 7);
  const int left = 600 + 7 * kModule;  // after the quiet zone of 7 modules
  const int right = left + 95 * kModule - 1;
  for (int x = left - 5; x <= right + 5; ++x) {
    const int grey = raster.Grey(x, y);
    ASSERT_TRUE(grey < 40 || grey > 215) << "grey " << grey << " at dot " << x;
  }
  const auto runs = raster.RowRuns(y, left - 20, right + 20);
  ASSERT_EQ(runs.size(), 30u);  // 95 modules of JAN-13 hold 30 bars
  EXPECT_EQ(runs.front().first, left);
  EXPECT_EQ(runs.back().last, right);
  for (size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].Length() % kModule, 0) << "bar " << i << " is " << runs[i].Length() << " dots";
    if (i > 0) {
      EXPECT_EQ((runs[i].first - runs[i - 1].last - 1) % kModule, 0) << "space before bar " << i;
    }
  }
}

}  // namespace
}  // namespace vant::test::paper
