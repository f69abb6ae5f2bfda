// Painting through the picture box surface onto QImages: the marks land on exactly the
// pixels the drawing calls name.
#include <gtest/gtest.h>

#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "common/failure.h"
#include "image_probe.h"
#include "platform/qt/qt_picture_box.h"

namespace vant::qt {
namespace {

using test::CountPixels;
using test::InkBounds;
using test::InkLengths;
using test::InnerGapLengths;
using test::kBlack;
using test::kWhite;
using test::RunsAlongRow;

TEST(QtFilledBox, FillsExactlyItsPixelsBothCornersIncluded) {
  QtPictureBox box(60, 40, 96, 96);
  box.Surface().Line(10, 10, 19, 14, 0, LineKind::kFilledBox);
  const QImage& image = box.Image();
  EXPECT_EQ(InkBounds(image), QRect(QPoint(10, 10), QPoint(19, 14)));
  EXPECT_EQ(CountPixels(image, kBlack), 10 * 5);
}

TEST(QtFilledBox, ReversedCornersAndColourGiveTheSamePixels) {
  QtPictureBox box(60, 40, 96, 96);
  box.Surface().Line(19, 14, 10, 10, 0x0000FF, LineKind::kFilledBox);  // red
  EXPECT_EQ(CountPixels(box.Image(), qRgb(255, 0, 0), QRect(QPoint(10, 10), QPoint(19, 14))), 50);
  EXPECT_EQ(CountPixels(box.Image(), kWhite), 60 * 40 - 50);
}

TEST(QtFilledBox, BarcodeModulesStayWholePixelsWide) {
  // Alternating 3-pixel bars and spaces, as the bar painter lays them out.
  QtPictureBox box(100, 20, 600, 600);
  for (int x = 5; x < 65; x += 6) box.Device().FillRect(x, 2, 3, 10, Rgb{});
  const auto runs = RunsAlongRow(box.Image(), 5, 5, 63);
  for (const int length : InkLengths(runs)) EXPECT_EQ(length, 3);
  for (const int length : InnerGapLengths(runs)) EXPECT_EQ(length, 3);
  EXPECT_EQ(InkLengths(runs).size(), 10u);
}

TEST(QtFilledBox, PartsOutsideThePictureAreDropped) {
  QtPictureBox box(20, 20, 96, 96);
  box.Device().FillRect(-5, -5, 10, 10, Rgb{});
  box.Device().FillRect(15, 15, 2e9, 2e9, Rgb{});
  box.Device().FillRect(-3e9, 3, 1, 1, Rgb{});
  EXPECT_EQ(CountPixels(box.Image(), kBlack), 25 + 25);
  EXPECT_EQ(box.Image().pixel(0, 0), kBlack);
  EXPECT_EQ(box.Image().pixel(19, 19), kBlack);
}

// A horizontal line of the given style and width across a picture of the given density.
QImage StyledLine(int16_t style, int16_t width, double dpi) {
  QtPictureBox box(2000, 100, dpi, dpi);
  PictureSurface& surface = box.Surface();
  surface.SetDrawWidth(width);
  surface.SetDrawStyle(style);
  surface.Line(20, 50, 1980, 50, 0, LineKind::kLine);
  return box.Image().copy();
}

TEST(QtLineStyles, SolidStylesHaveNoGapsAtAnyWidth) {
  for (const int16_t style : {kStyleSolid, kStyleInsideSolid}) {
    for (const int16_t width : {int16_t{1}, int16_t{4}, int16_t{15}}) {
      const QImage image = StyledLine(style, width, 96);
      const auto runs = RunsAlongRow(image, 50, 20, 1980);
      EXPECT_EQ(runs.size(), 1u) << "style " << style << " width " << width;
      EXPECT_TRUE(runs.front().ink);
    }
  }
}

TEST(QtLineStyles, BrokenStylesShowGapsAtEveryWidthAndDensity) {
  for (const int16_t style : {kStyleDash, kStyleDot, kStyleDashDot, kStyleDashDotDot}) {
    for (const double dpi : {96.0, 600.0}) {
      for (const int16_t width : {int16_t{1}, int16_t{3}, int16_t{12}, int16_t{40}}) {
        const QImage image = StyledLine(style, width, dpi);
        const auto gaps = InnerGapLengths(RunsAlongRow(image, 50, 20, 1980));
        ASSERT_GE(gaps.size(), 3u) << "style " << style << " dpi " << dpi << " width " << width;
        // Visible on paper: every gap at least 0.1 mm long, and no narrower than a third
        // of the pen, so thick pens keep their pattern.
        const int shortest = *std::min_element(gaps.begin(), gaps.end());
        EXPECT_GE(shortest, std::max(0.1 / 25.4 * dpi, width / 3.0) - 1)
            << "style " << style << " dpi " << dpi << " width " << width;
      }
    }
  }
}

TEST(QtLineStyles, EachBrokenStyleHasItsOwnRhythm) {
  const auto inks = [](int16_t style) {
    auto lengths = InkLengths(RunsAlongRow(StyledLine(style, 1, 96), 50, 20, 1980));
    lengths.pop_back();  // the last may be cut short by the line's end
    return lengths;
  };
  const auto dash = inks(kStyleDash);
  const auto dot = inks(kStyleDot);
  const auto dashDot = inks(kStyleDashDot);
  const auto dashDotDot = inks(kStyleDashDotDot);
  // Dashes are all long, dots all short.
  EXPECT_GT(*std::min_element(dash.begin(), dash.end()), 3 * *std::max_element(dot.begin(), dot.end()));
  // Dash-dot alternates long and short; dash-dot-dot puts two short ones between long ones.
  for (size_t i = 0; i + 1 < dashDot.size(); ++i) {
    EXPECT_NE(dashDot[i] > 5, dashDot[i + 1] > 5) << "at " << i;
  }
  ASSERT_GE(dashDotDot.size(), 6u);
  for (size_t i = 0; i + 2 < dashDotDot.size(); i += 3) {
    EXPECT_GT(dashDotDot[i], 5);
    EXPECT_LE(dashDotDot[i + 1], 5);
    EXPECT_LE(dashDotDot[i + 2], 5);
  }
}

TEST(QtLineStyles, LineWidthIsDevicePixels) {
  for (const int16_t width : {int16_t{1}, int16_t{3}, int16_t{8}}) {
    const QImage image = StyledLine(kStyleSolid, width, 600);
    const auto column = test::RunsAlongColumn(image, 1000, 0, 99);
    ASSERT_EQ(column.size(), 3u);
    EXPECT_EQ(column[1].length, width);
  }
}

TEST(QtBoxOutline, FourSidesThroughTheCornersAndAnUntouchedInside) {
  QtPictureBox box(100, 100, 96, 96);
  box.Surface().Line(10, 20, 60, 80, 0, LineKind::kBox);
  const QImage& image = box.Image();
  EXPECT_EQ(InkBounds(image), QRect(QPoint(10, 20), QPoint(60, 80)));
  for (const QPoint corner : {QPoint(10, 20), QPoint(60, 20), QPoint(10, 80), QPoint(60, 80)}) {
    EXPECT_EQ(image.pixel(corner), kBlack) << corner.x() << "," << corner.y();
  }
  EXPECT_EQ(CountPixels(image, kWhite, QRect(QPoint(11, 21), QPoint(59, 79))), 49 * 59);
}

TEST(QtBoxOutline, ABoxFarLargerThanThePictureStillDrawsItsVisibleSides) {
  QtPictureBox box(100, 100, 96, 96);
  box.Surface().Line(50, 50, 2e9f, 2e9f, 0, LineKind::kBox);
  const QImage& image = box.Image();
  EXPECT_EQ(image.pixel(99, 50), kBlack);
  EXPECT_EQ(image.pixel(50, 99), kBlack);
  EXPECT_EQ(image.pixel(70, 70), kWhite);
}

TEST(QtCircle, PixelsAtTheRadiusAndNowhereNear) {
  QtPictureBox box(200, 200, 96, 96);
  box.Surface().Circle(100, 100, 40, 0);
  const QImage& image = box.Image();
  const auto inkNear = [&](int x, int y) {
    return CountPixels(image, kBlack, QRect(x - 1, y - 1, 3, 3)) > 0;
  };
  EXPECT_TRUE(inkNear(140, 100));
  EXPECT_TRUE(inkNear(60, 100));
  EXPECT_TRUE(inkNear(100, 140));
  EXPECT_TRUE(inkNear(100, 60));
  EXPECT_TRUE(inkNear(100 + 28, 100 + 28));  // 40 / sqrt(2)
  for (const QPoint away : {QPoint(100, 100), QPoint(135, 100), QPoint(145, 100), QPoint(100, 55)}) {
    EXPECT_FALSE(inkNear(away.x(), away.y())) << away.x() << "," << away.y();
  }
  const QRect bounds = InkBounds(image);
  EXPECT_NEAR(bounds.left(), 60, 1);
  EXPECT_NEAR(bounds.right(), 140, 1);
  EXPECT_NEAR(bounds.top(), 60, 1);
  EXPECT_NEAR(bounds.bottom(), 140, 1);
}

TEST(QtCircle, WideDashedCircleIsBrokenAndInsideSolidStaysWithinTheRadius) {
  QtPictureBox dashed(300, 300, 96, 96);
  dashed.Surface().SetDrawWidth(6);
  dashed.Surface().SetDrawStyle(kStyleDash);
  dashed.Surface().Circle(150, 150, 100, 0);
  // Walk round the circle: ink and gaps alternate.
  int changes = 0;
  bool previous = true;
  for (int degree = 0; degree < 360; ++degree) {
    const double a = degree * 3.14159265358979 / 180;
    const bool ink = dashed.Image().pixel(150 + static_cast<int>(std::lround(100 * std::cos(a))),
                                          150 + static_cast<int>(std::lround(100 * std::sin(a)))) != kWhite;
    if (degree > 0 && ink != previous) ++changes;
    previous = ink;
  }
  EXPECT_GE(changes, 6);

  QtPictureBox inside(300, 300, 96, 96);
  inside.Surface().SetDrawWidth(10);
  inside.Surface().SetDrawStyle(kStyleInsideSolid);
  inside.Surface().Circle(150, 150, 100, 0);
  const QRect bounds = InkBounds(inside.Image());
  EXPECT_GE(bounds.left(), 49);
  EXPECT_LE(bounds.right(), 251);
  EXPECT_EQ(inside.Image().pixel(55, 150), kBlack);
}

TEST(QtCircle, CirclesFarOutsideOrHugeDoNotFail) {
  QtPictureBox box(100, 100, 96, 96);
  box.Surface().Circle(-1e9f, 50, 100, 0);
  EXPECT_EQ(CountPixels(box.Image(), kWhite), 100 * 100);
  box.Surface().Circle(50, 50, 30000, 0);
  EXPECT_EQ(CountPixels(box.Image(), kWhite), 100 * 100);  // the outline passes outside
}

TEST(QtText, LineBoxTopLeftAtThePositionAndBaselineAtTheAscent) {
  QtPictureBox box(400, 200, 96, 96);
  PictureSurface& surface = box.Surface();
  surface.SetFontName(u"ＭＳ ゴシック");
  surface.SetFontSize(30);  // 40 pixels at 96 dpi
  surface.SetCurrentX(50);
  surface.SetCurrentY(60);
  surface.Print(u"HH");
  const QImage& image = box.Image();
  const QRect ink = InkBounds(image);
  ASSERT_FALSE(ink.isNull());
  const TextExtent extent = box.Device().MeasureText(u"HH", surface.Font());
  // Where the outlines of the two letters lie once the baseline is at 60 + ascent.
  const RealisedFont& font = box.Device().Fonts().Realise(surface.Font());
  QPainterPath outline;
  outline.addText(QPointF(50, 60 + font.metrics.ascent()), font.font, QStringLiteral("HH"));
  const QRectF expected = outline.boundingRect();
  EXPECT_NEAR(ink.left(), expected.left(), 1.5);
  EXPECT_NEAR(ink.right() + 1, expected.right(), 1.5);
  EXPECT_NEAR(ink.top(), expected.top(), 1.5);
  EXPECT_NEAR(ink.bottom() + 1, expected.bottom(), 1.5);
  // And all of it inside the line box that starts at the position.
  EXPECT_GE(ink.left(), 50);
  EXPECT_LE(ink.right(), 50 + extent.width);
  EXPECT_GE(ink.top(), 60);
  EXPECT_LE(ink.bottom(), 60 + extent.height);
  // The position moved to the next line.
  EXPECT_FLOAT_EQ(surface.CurrentX(), 0);
  EXPECT_NEAR(surface.CurrentY(), 60 + extent.height, 0.01);
}

TEST(QtText, ColourWithoutBackground) {
  QtPictureBox box(200, 100, 96, 96);
  box.Device().FillRect(0, 0, 200, 100, Rgb{0, 255, 0});
  box.Device().DrawText(10, 10, u"■■", FontSpec{u"ＭＳ ゴシック", 40, false, false}, Rgb{0, 0, 255});
  const QImage& image = box.Image();
  EXPECT_GT(CountPixels(image, qRgb(0, 0, 255)), 400);
  EXPECT_EQ(CountPixels(image, kWhite), 0);
  EXPECT_EQ(image.pixel(5, 5), qRgb(0, 255, 0));
}

TEST(QtText, TextOutsideThePictureOrEmptyPaintsNothing) {
  QtPictureBox box(100, 50, 96, 96);
  const FontSpec font{u"ＭＳ 明朝", 20, false, false};
  box.Device().DrawText(-1e9, 10, u"ABC", font, Rgb{});
  box.Device().DrawText(10, 2e9, u"ABC", font, Rgb{});
  box.Device().DrawText(10, 10, u"", font, Rgb{});
  EXPECT_EQ(CountPixels(box.Image(), kWhite), 100 * 50);
}

TEST(QtText, MultiLinePrintStartsFollowingLinesAtTheLeftEdge) {
  QtPictureBox box(300, 200, 96, 96);
  PictureSurface& surface = box.Surface();
  surface.SetFontName(u"ＭＳ ゴシック");
  surface.SetFontSize(15);
  surface.SetCurrentX(100);
  surface.SetCurrentY(10);
  surface.Print(u"H\r\nH");
  const double lineHeight = box.Device().MeasureText(u"H", surface.Font()).height;
  const QImage& image = box.Image();
  const QRect first = InkBounds(image.copy(0, 0, 300, static_cast<int>(10 + lineHeight)));
  const QRect second = InkBounds(image.copy(0, static_cast<int>(10 + lineHeight), 300, 100));
  EXPECT_GE(first.left(), 100);
  EXPECT_LT(second.left(), 20);
}

TEST(QtBlankPicture, DrawingOnAZeroSizedPictureIsHarmless) {
  QtPictureBox box(0, 0, 96, 96);
  PictureSurface& surface = box.Surface();
  surface.Line(0, 0, 10, 10, 0, LineKind::kLine);
  surface.Line(0, 0, 10, 10, 0, LineKind::kBox);
  surface.Line(0, 0, 10, 10, 0, LineKind::kFilledBox);
  surface.Circle(5, 5, 5, 0);
  surface.Print(u"text");
  EXPECT_TRUE(box.Image().isNull());
  surface.SetWidth(10);
  surface.SetHeight(10);
  EXPECT_EQ(CountPixels(box.Image(), kWhite), 100);
}

}  // namespace
}  // namespace vant::qt
