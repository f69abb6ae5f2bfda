#include "engine/printer_geometry.h"

#include "common/failure.h"
#include "common/numbers.h"
#include "engine/module_state.h"
#include "run_fixture.h"

namespace vant {
namespace {

test::PrinterSpec WithMargins(double left, double top, double right, double bottom, double dpi = 600) {
  test::PrinterSpec spec;
  spec.dpi = dpi;
  spec.marginLeftMm = left;
  spec.marginTopMm = top;
  spec.marginRightMm = right;
  spec.marginBottomMm = bottom;
  return spec;
}

class Geometry : public test::RunFixture {
 protected:
  explicit Geometry(test::PrinterSpec spec = test::PrinterSpec{}) : RunFixture({std::move(spec)}) {}
  const PrinterGeometry& Measured() {
    EXPECT_EQ(ReadPrinterGeometry(fake.platform, fake.platform.printer), 0);
    return fake.state.engine.printerGeometry;
  }
};

TEST_F(Geometry, AWholeSheetPrinterHasNoMargins) {
  const PrinterGeometry g = Measured();
  EXPECT_EQ(g, (PrinterGeometry{0, 0, 0, 0, 297, 210, 210, 297}));
}

class OfficeGeometry : public Geometry {
 protected:
  OfficeGeometry() : Geometry(WithMargins(2.5, 3.5, 4.2, 5.2)) {}
};

TEST_F(OfficeGeometry, RoundsEachStripToWholeMillimetresTiesToEven) {
  const PrinterGeometry g = Measured();
  EXPECT_EQ(g.offsetLeft, 2);   // 2.5 mm
  EXPECT_EQ(g.offsetTop, 4);    // 3.5 mm
  EXPECT_EQ(g.paperWidth, 210);
  EXPECT_EQ(g.paperHeight, 297);
  // 210 - (203.3 + 2) = 4.7 -> 5
  EXPECT_EQ(g.marginRight, 5);
  EXPECT_EQ(g.marginBottom, 5);   // 297 - (288.3 + 4) = 4.7 -> 5
  EXPECT_EQ(g.printableWidth, 210 - (5 + 2));
  EXPECT_EQ(g.printableHeight, 297 - (4 + 5));
}

TEST_F(OfficeGeometry, SetupPreviewPageSizesThePictureAndFillsThePage) {
  fake.state.engine.pageList.resize(2);
  fake.state.engine.pageList[1].shown = true;
  SetupPreviewPage(fake.platform, picture.picture, 1);
  const PageRec& p = fake.state.engine.pageList[1];
  const double perMm = 96 / 25.4;
  EXPECT_EQ(picture.picture.Width(), RoundHalfEven(203 * perMm * 2));
  EXPECT_EQ(picture.picture.Height(), RoundHalfEven(288 * perMm * 2));
  EXPECT_EQ(p.offsetLeft, RoundHalfEven(2 * perMm));
  EXPECT_EQ(p.offsetTop, RoundHalfEven(4 * perMm));  // 15 pixels: a 4 mm strip
  EXPECT_EQ(p.offsetTop, 15);
  EXPECT_EQ(p.paperWidth, RoundHalfEven(210 * perMm));
  EXPECT_EQ(p.printableWidth, RoundHalfEven(203 * perMm));
  EXPECT_EQ(p.paperSize, 9);
  EXPECT_EQ(p.orientation, 1);
  EXPECT_FALSE(p.shown);
  EXPECT_EQ(p.printerName, u"Office");
  EXPECT_NEAR(p.printerPixelFactorX, (600 / 25.4) / (2 * perMm), 1e-4);
}

test::PrinterSpec OddSheetSpec() {
  // At 254 dpi one pixel is 0.1 mm: a sheet 209.9 mm across is 2099 pixels.
  test::PrinterSpec spec = WithMargins(0, 0, 0, 0, 254);
  spec.sheetWidthMm = 209.9;
  spec.sheetHeightMm = 296.4;
  return spec;
}

class OddSheet : public Geometry {
 protected:
  OddSheet() : Geometry(OddSheetSpec()) {}
};

TEST_F(OddSheet, AFractionalSheetRoundsToTheNearestMillimetre) {
  const PrinterGeometry g = Measured();
  EXPECT_EQ(g.paperWidth, 210);
  EXPECT_EQ(g.paperHeight, 296);
  EXPECT_EQ(g.marginRight, 0);  // 210 - (209.9 + 0) = 0.1 -> 0
  EXPECT_EQ(g.printableWidth, 210);
}

TEST_F(Geometry, AFailedMeasurementKeepsTheLastOneAndSaysSo) {
  struct Broken final : public test::RecordingPrinter {
    using RecordingPrinter::RecordingPrinter;
    int32_t DeviceCaps(int) const override { throw Failure::NotSupported(); }
  } broken{test::PrinterSpec{}};
  fake.state.engine.printerGeometry.paperWidth = 123;
  EXPECT_EQ(ReadPrinterGeometry(fake.platform, broken), 1);
  EXPECT_EQ(fake.state.engine.printerGeometry.paperWidth, 123);
  EXPECT_EQ(OnlyMessage().text, u"プリンター情報が取得できません!");
  EXPECT_EQ(OnlyMessage().title, u"エラー");
}

}  // namespace
}  // namespace vant
