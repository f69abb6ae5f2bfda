// Symbols that start at half a device pixel: in twips on the 600 dpi PDF printer every x
// that is 6 more than a multiple of 12 (1134 twips, 2 cm) is k + 0.5 dots. Each module must
// still be exactly m dots wide, read back from the page, and every symbology must decode.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "barcode/code39.h"
#include "barcode/jan13.h"
#include "barcode/jan8.h"
#include "barcode/nw7.h"
#include "common/numbers.h"
#include "paper_run.h"
#include "raster.h"

namespace vant::test::paper {
namespace {

// Dots of the 600 dpi page for a length in twips (1/1440 inch), exactly.
constexpr double Dots(int twips) { return twips * 600.0 / 1440.0; }
constexpr int kModule = 2;       // dots: an even width, where half-dot corners went wrong
constexpr int kBarHeight = 200;  // dots
constexpr int kQuiet = 7;        // modules on each side

struct HalfDotSymbol {
  const char* command;
  int yTwips;        // the top of the bars: k + 0.5 dots
  ModuleString modules;
  std::string zbarOptions;
  std::string expected;
};

// Twips asking for 1.5 dots a module: the painter settles on 2.
int WidthTwips(const ModuleString& modules) {
  const double dots = 1.5 * static_cast<double>(modules.size() + 2 * kQuiet);
  return static_cast<int>(std::ceil(dots * 1440.0 / 600.0));
}

class HalfDotBarcodes : public PaperTest {};

TEST_F(HalfDotBarcodes, EveryModuleIsWholeDotsAndEverySymbologyDecodes) {
  constexpr int kXTwips = 1134;  // 472.5 dots
  const HalfDotSymbol symbols[] = {
      {"prnjan13", 1134, Jan13Modules(u"4901234567894"), "-Sdisable -Sean13.enable", "4901234567894"},
      {"prnjan8", 3534, Jan8Modules(u"49012347"), "-Sdisable -Sean8.enable", "49012347"},
      {"prnnw7", 5934, EncodeNw7(u"a1234b", false).modules, "-Sdisable -Scodabar.enable", "A1234B"},
      {"prncode39", 8334, EncodeCode39(u"abc", false).modules, "-Sdisable -Scode39.enable", "ABC"},
  };
  const std::string data[] = {"490123456789", "4901234", "a1234b", "abc"};
  std::vector<std::string> lines;  // the printer starts in twips
  for (size_t i = 0; i < std::size(symbols); ++i) {
    const auto& s = symbols[i];
    ASSERT_FALSE(s.modules.empty()) << s.command;
    lines.push_back(std::string(s.command) + "," + std::to_string(kXTwips) + "," + std::to_string(s.yTwips) +
                    "," + data[i] + "," + std::to_string(WidthTwips(s.modules)) + "," +
                    std::to_string(kBarHeight * 1440 / 600) + ",false,false");
  }
  const auto pdf = PrintOnPdf(lines, dir_ / "half-dot.pdf");
  const Raster raster = Raster::FromPdf(pdf, 1, 600);

  // The corner rounded once, half to even: 472.5 dots is dot 472.
  const int left = static_cast<int>(RoundHalfEven(Dots(kXTwips))) + kQuiet * kModule;
  for (const auto& s : symbols) {
    SCOPED_TRACE(s.command);
    const int top = static_cast<int>(RoundHalfEven(Dots(s.yTwips)));
    ASSERT_EQ(std::fmod(Dots(s.yTwips), 1.0), 0.5);
    const int row = top + kBarHeight / 2;
    // Module i covers dots left + 2i and left + 2i + 1, no more, no less.
    Text read;
    for (size_t i = 0; i < s.modules.size(); ++i) {
      const int x = left + kModule * static_cast<int>(i);
      const bool a = raster.Ink(x, row), b = raster.Ink(x + 1, row);
      read.push_back(a && b ? u'1' : !a && !b ? u'0' : u'?');
    }
    EXPECT_EQ(ToUtf8(read), ToUtf8(s.modules));
    const int end = left + kModule * static_cast<int>(s.modules.size());
    EXPECT_FALSE(raster.Ink(left - 1, row));
    EXPECT_FALSE(raster.Ink(end, row));
    // The first bar is as high as asked, from the rounded top.
    const auto bar = raster.ColumnRuns(left, top - 20, top + kBarHeight + 20);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].first, top);
    EXPECT_EQ(bar[0].Length(), kBarHeight);

    const auto png = dir_ / (std::string(s.command) + ".png");
    raster.SavePng(png, left - 60, top - 40, end + 60, top + kBarHeight + 40);
    EXPECT_EQ(ZbarDecode(png, s.zbarOptions), std::vector<std::string>{s.expected});
  }
}

}  // namespace
}  // namespace vant::test::paper
