// The preview's page beside the paper: the shape page built and drawn as the preview does
// and the same list printed on the office queue, both measured at 192 pixels an inch, put
// every mark in the same place within a couple of preview pixels.
#include <gtest/gtest.h>

#include "paper_run.h"
#include "preview_page.h"
#include "raster.h"
#include "shape_marks.h"

namespace vant::test::paper {
namespace {

constexpr double kTwoPreviewPixelsMm = 2 * 25.4 / kPreviewDpi;

class PreviewMatchesPaper : public PaperTest {};

TEST_F(PreviewMatchesPaper, ShapesLieWhereTheOfficeQueuePrintedThem) {
  const auto pdf = PrintOnOffice(ShapePage());
  const Raster paper = Raster::FromPdf(pdf, 1, static_cast<int>(kPreviewDpi));
  const QImage image = DrawnPreviewPage(*this, *list_, platform_, u"Office", ShapePage());
  const Raster preview = Raster::FromImage(image, kPreviewDpi);
  // The printable area of the office queue's A4 in whole millimetres: 201 x 282.
  EXPECT_EQ(preview.Width(), 1519);
  EXPECT_EQ(preview.Height(), 2132);

  const ShapeMarks p = MeasureShapes(paper, kOfficeLeftMm, kOfficeTopMm);
  const ShapeMarks s = MeasureShapes(preview, 0, 0);
  const double tol = kTwoPreviewPixelsMm;
  EXPECT_NEAR(s.boxLeft, p.boxLeft, tol);
  EXPECT_NEAR(s.boxRight, p.boxRight, tol);
  EXPECT_NEAR(s.boxTop, p.boxTop, tol);
  EXPECT_NEAR(s.boxBottom, p.boxBottom, tol);
  EXPECT_NEAR(s.boxEdgeThickness, p.boxEdgeThickness, tol);
  EXPECT_NEAR(s.lineStart, p.lineStart, tol);
  EXPECT_NEAR(s.lineEnd, p.lineEnd, tol);
  EXPECT_NEAR(s.lineY, p.lineY, tol);
  EXPECT_NEAR(s.columnTop, p.columnTop, tol);
  EXPECT_NEAR(s.columnBottom, p.columnBottom, tol);
  EXPECT_NEAR(s.columnX, p.columnX, tol);
  EXPECT_NEAR(s.circleX, p.circleX, tol);
  EXPECT_NEAR(s.circleY, p.circleY, tol);
  EXPECT_NEAR(s.circleRadiusAcross, p.circleRadiusAcross, tol);
  EXPECT_NEAR(s.circleRadiusDown, p.circleRadiusDown, tol);
  EXPECT_NEAR(s.insideOuter, p.insideOuter, tol);
  EXPECT_NEAR(s.insideInner, p.insideInner, tol);

  // The text's ink starts at the same corner (its size is fitted to the preview).
  const auto inkCorner = [](const Raster& r, double ox, double oy, double& left, double& top) {
    const int x0 = r.PxAt(ox + 99), x1 = r.PxAt(ox + 140), y0 = r.PxAt(oy + 199), y1 = r.PxAt(oy + 210);
    int minX = x1, minY = y1;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (r.Ink(x, y)) {
          minX = std::min(minX, x);
          minY = std::min(minY, y);
        }
    left = minX / r.PxPerMm() - ox;
    top = minY / r.PxPerMm() - oy;
  };
  double paperLeft = 0, paperTop = 0, previewLeft = 0, previewTop = 0;
  inkCorner(paper, kOfficeLeftMm, kOfficeTopMm, paperLeft, paperTop);
  inkCorner(preview, 0, 0, previewLeft, previewTop);
  EXPECT_NEAR(previewLeft, paperLeft, tol);
  EXPECT_NEAR(previewTop, paperTop, tol);
}

}  // namespace
}  // namespace vant::test::paper
