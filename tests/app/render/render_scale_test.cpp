// `vant render --scale R`: the page image for a screen of R device pixels per pixel, as the
// preview window draws it there, at ratios 1, 1.5 and 2. The image is R times the size
// the preview computes, the engine's own replay at that ratio, and sharp: a thin line
// keeps whole device pixels, text edges have at most one grey pixel between ink and paper,
// and bar edges lie where the ratio puts them, each symbol still readable.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "barcode/jan8.h"
#include "render_fixture.h"
#include "shell_command.h"

namespace vant::test {
namespace {

// One page, in millimetres on the PDF printer (no margins): a hairline, a line of text with
// upright strokes and a JAN-8 symbol whose modules are 25 printer dots (85 mm across 81
// modules, quiet zones included, at 600 dpi).
const std::vector<std::string> kSharpnessPage = {
    "papersize,a4",
    "scalemode,mm",
    "prnline,20,40,150,40,1,solid,0",
    "prntext,20,60,IHIHIHI,ＭＳ ゴシック,24,false,false,0",
    "prnjan8,20,120,4912345,85,20,false",
    "enddoc",
};

// Millimetres to the page picture's pixels: twice the 96 dpi screen.
double PicturePixels(double mm) { return static_cast<float>(mm * 96 / 25.4) * 2; }

int Device(double pixels, double ratio) { return static_cast<int>(std::floor(pixels * ratio + 0.5)); }

constexpr QRgb kBlackPixel = 0xFF000000;

bool Paper(QRgb px) { return qGray(px) >= 250; }
bool Ink(QRgb px) { return qGray(px) <= 60; }

// The greatest number of grey pixels (neither ink nor paper) standing between paper and
// ink, or ink and paper, along the rows y0..y1 from x0 to x1.
int GreyBetweenInkAndPaper(const QImage& image, QRect area) {
  int worst = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    int lastPaper = -1, lastInk = -1;
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb px = image.pixel(x, y);
      if (Paper(px)) {
        if (lastInk > lastPaper) worst = std::max(worst, x - lastInk - 1);
        lastPaper = x;
      } else if (Ink(px)) {
        if (lastPaper > lastInk) worst = std::max(worst, x - lastPaper - 1);
        lastInk = x;
      }
    }
  }
  return worst;
}

// The rows of the text's upright strokes: the middle half of its ink.
QRect StrokeRows(const QImage& image, QRect around) {
  QRect ink;
  for (int y = around.top(); y <= around.bottom(); ++y) {
    for (int x = around.left(); x <= around.right(); ++x) {
      if (!Paper(image.pixel(x, y))) ink = ink.united(QRect(x, y, 1, 1));
    }
  }
  return QRect(ink.left() - 2, ink.top() + ink.height() / 4, ink.width() + 4, ink.height() / 2);
}

class RenderScale : public RenderCommand, public ::testing::WithParamInterface<double> {
 protected:
  QImage RenderAt(const fs::path& page, const std::string& zoom) {
    std::ostringstream scale;
    scale << GetParam();
    const VantResult result = Render(page, {"--zoom", zoom, "--scale", scale.str()});
    EXPECT_TRUE(result.exited && result.status == 0) << result.Describe();
    return Written();
  }
};

TEST_P(RenderScale, TheImageIsTheRatioTimesTheSizeAndTheEnginesReplayAtIt) {
  const double r = GetParam();
  const fs::path page = WritePage(kTwoPages);
  for (const int percent : {100, 200, 300}) {
    SCOPED_TRACE(percent);
    const QImage written = RenderAt(page, std::to_string(percent));
    Expected expected(page);
    const QImage logical = PageImageAtFactor(expected.Engine(), 1, ZoomFactor(percent));
    EXPECT_EQ(written.size(), QSize(Device(logical.width(), r), Device(logical.height(), r)));
    EXPECT_TRUE(SameImage(written, PageImageAtFactor(expected.Engine(), 1, ZoomFactor(percent), r)));
  }
}

TEST_P(RenderScale, AHairlineKeepsWholeDevicePixels) {
  const double r = GetParam();
  const fs::path page = WritePage(kSharpnessPage);
  // At 200 % the picture's pixels are the image's: the line is one picture pixel, the
  // device pixels the ratio gives it, all of them black, and nothing grey beside it.
  const QImage full = RenderAt(page, "200");
  const int column = Device(PicturePixels(100), r);
  const int row = Device(std::floor(PicturePixels(40)), r);
  std::vector<int> dark;
  for (int y = row - 4; y <= row + 8; ++y) {
    if (!Paper(full.pixel(column, y))) dark.push_back(y);
  }
  const int thickness = Device(std::floor(PicturePixels(40)) + 1, r) - row;
  ASSERT_EQ(dark.size(), static_cast<size_t>(thickness));
  for (const int y : dark) EXPECT_EQ(full.pixel(column, y), kBlackPixel) << y;
  // At 100 % half of that: at ratio 2 exactly one device pixel, black.
  if (r == 2) {
    const QImage half = RenderAt(page, "100");
    int rows = 0;
    for (int y = row / 2 - 4; y <= row / 2 + 4; ++y) {
      if (!Paper(half.pixel(column / 2, y))) {
        ++rows;
        EXPECT_EQ(half.pixel(column / 2, y), kBlackPixel) << y;
      }
    }
    EXPECT_EQ(rows, 1);
  }
}

TEST_P(RenderScale, TextEdgesHaveAtMostOneGreyPixel) {
  const double r = GetParam();
  const fs::path page = WritePage(kSharpnessPage);
  const QRect around(Device(PicturePixels(19), r), Device(PicturePixels(59), r),
                     Device(PicturePixels(60), r), Device(PicturePixels(12), r));
  for (const int percent : {200, 100}) {
    SCOPED_TRACE(percent);
    const QImage image = RenderAt(page, std::to_string(percent));
    const double f = ZoomFactor(percent);
    const QRect text = StrokeRows(image, QRect(around.topLeft() * f, around.size() * f));
    ASSERT_GT(text.height(), 4);
    EXPECT_LE(GreyBetweenInkAndPaper(image, text), 1);
    if (percent == 200) {
      // The check sees blur: the same text drawn coarse and stretched smoothly to the
      // ratio, as an image of the screen's logical size would reach it, fails it.
      std::ostringstream one;
      one << 1;
      const VantResult coarse = Render(page, {"--zoom", "200", "--scale", one.str()});
      ASSERT_TRUE(coarse.exited && coarse.status == 0) << coarse.Describe();
      if (r == 2) {
        const QImage blurred = Written().scaled(image.size(), Qt::IgnoreAspectRatio,
                                                Qt::SmoothTransformation);
        EXPECT_GT(GreyBetweenInkAndPaper(blurred, text), 1);
      }
    }
  }
}

TEST_P(RenderScale, BarEdgesLieWhereTheRatioPutsThemAndTheSymbolReads) {
  const double r = GetParam();
  const fs::path page = WritePage(kSharpnessPage);
  const QImage image = RenderAt(page, "200");
  // The symbol's width in picture pixels, spread over its 81 modules from the whole pixel
  // nearest to 20 mm, where the copy from the scratch picture puts it.
  const double x = std::round(PicturePixels(20));
  const double width = std::round(PicturePixels(85));
  const EncodedSymbol symbol = EncodeJan8(u"4912345", true);
  const ModuleString& modules = symbol.modules;
  ASSERT_EQ(modules.size(), kJan8Modules);
  std::vector<std::pair<double, double>> bars;  // device pixels, exact
  for (size_t i = 0; i < modules.size(); ++i) {
    if (modules[i] != kBarModule || (i > 0 && modules[i - 1] == kBarModule)) continue;
    size_t end = i;
    while (end < modules.size() && modules[end] == kBarModule) ++end;
    const auto edge = [&](size_t module) {
      return (x + static_cast<double>(kQuietModules + module) * width / 81) * r;
    };
    bars.emplace_back(edge(i), edge(end));
  }
  ASSERT_EQ(bars.size(), 22U);
  const int row = Device(PicturePixels(125), r);
  std::vector<std::pair<int, int>> found;  // [left, right) of each dark run along the row
  for (int px = 0; px < image.width(); ++px) {
    if (Paper(image.pixel(px, row))) continue;
    if (found.empty() || found.back().second != px) found.emplace_back(px, px);
    found.back().second = px + 1;
  }
  ASSERT_EQ(found.size(), bars.size());
  // The shrink from the scratch picture gives a device pixel to a bar that covers part of
  // it (up to one more on either side); the copy's origin lands on a whole device pixel and
  // the scratch picture's module edges on whole device pixels of its own (half of one each,
  // the latter shrunk with the copy).
  const double shrink = width / (81 * 25);
  const double tolerance = 1 + 0.5 + 0.5 * shrink;
  for (size_t b = 0; b < bars.size(); ++b) {
    SCOPED_TRACE(b);
    EXPECT_NEAR(found[b].first, bars[b].first, tolerance);
    EXPECT_NEAR(found[b].second, bars[b].second, tolerance);
    for (int px = found[b].first; px < found[b].second; ++px) EXPECT_EQ(image.pixel(px, row), kBlackPixel);
  }
  // Readable by an independent decoder, whole, at every ratio. (The decoder may also say on
  // its standard output that the machine has no message bus: only lines of digits count.)
  std::vector<std::string> decoded;
  for (const std::string& line :
       Lines(RunShell("zbarimg --raw -q " + ShellQuoted(Png().string()) + " 2>/dev/null"))) {
    if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos) decoded.push_back(line);
  }
  EXPECT_EQ(decoded, std::vector<std::string>{ToUtf8(symbol.text)});
}

// Shrunk to a zoom below 200 %, the copy of the page picture is averaged, but not the bars:
// inside the symbol every device pixel is black or white, the bars are all there and the
// symbol reads, as at 200 % on a screen of one device pixel a pixel.
TEST_P(RenderScale, BarsAndSpacesStayBlackAndWhiteWhenTheCopyShrinks) {
  const double r = GetParam();
  const fs::path page = WritePage(kSharpnessPage);
  for (const int percent : {100, 150}) {
    SCOPED_TRACE(percent);
    const QImage image = RenderAt(page, std::to_string(percent));
    const double f = ZoomFactor(percent) * r;
    // The symbol with its quiet zones, 85 mm from 20 mm, less a millimetre at its top and
    // bottom (20 mm from 120 mm).
    const QRect symbol(QPoint(static_cast<int>(PicturePixels(20) * f), static_cast<int>(PicturePixels(121) * f)),
                       QPoint(static_cast<int>(PicturePixels(105) * f), static_cast<int>(PicturePixels(139) * f)));
    int grey = 0, ink = 0;
    for (int y = symbol.top(); y <= symbol.bottom(); ++y) {
      for (int x = symbol.left(); x <= symbol.right(); ++x) {
        const QRgb px = image.pixel(x, y);
        grey += px != kBlackPixel && px != 0xFFFFFFFF ? 1 : 0;
        ink += px == kBlackPixel ? 1 : 0;
      }
    }
    EXPECT_EQ(grey, 0) << "of " << symbol.width() * symbol.height();
    EXPECT_GT(ink * 3, symbol.width() * symbol.height()) << "of " << symbol.width() * symbol.height();
    int bars = 0;
    const int row = symbol.center().y();
    for (int x = symbol.left(); x <= symbol.right(); ++x) {
      bars += image.pixel(x, row) == kBlackPixel && image.pixel(x - 1, row) != kBlackPixel ? 1 : 0;
    }
    EXPECT_EQ(bars, 22);
    std::vector<std::string> decoded;
    for (const std::string& line :
         Lines(RunShell("zbarimg --raw -q " + ShellQuoted(Png().string()) + " 2>/dev/null"))) {
      if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos) decoded.push_back(line);
    }
    EXPECT_EQ(decoded, std::vector<std::string>{ToUtf8(EncodeJan8(u"4912345", true).text)});
  }
}

INSTANTIATE_TEST_SUITE_P(Ratios, RenderScale, ::testing::Values(1.0, 1.5, 2.0),
                         [](const ::testing::TestParamInfo<double>& ratio) {
                           return "x" + std::to_string(static_cast<int>(ratio.param * 100));
                         });

}  // namespace
}  // namespace vant::test
