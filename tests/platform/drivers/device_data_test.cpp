// The drivers' device data decoded: each format's ways of writing a row (ZPL's hex with
// run-length letters, its repeated and zero-filled rows; EPL's inverted bytes; PCL's three
// compressions, skipped rows and paper source; the Dymo's lines and feeds) give the dots
// they stand for, and data cut short is refused.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "device_data.h"

namespace vant::test::drivers {
namespace {

using namespace std::string_literals;

// The image of rows of '#' (ink) and '.' (none).
InkImage Picture(const std::vector<std::string>& rows) {
  InkImage image(static_cast<int>(rows.at(0).size()), static_cast<int>(rows.size()));
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t x = 0; x < rows[y].size(); ++x) image.Set(static_cast<int>(x), static_cast<int>(y), rows[y][x] == '#');
  }
  return image;
}

std::string Esc(const std::string& command) { return "\x1b"s + command; }

struct Case {
  const char* what;
  InkImage (*decode)(const std::string&, int, int);
  std::string data;
  std::vector<std::string> expected;
};

InkImage Pcl(const std::string& data, int width, int height) { return PclImage(data, width, height).image; }

TEST(DeviceData, EachFormatsRowsGiveTheirDots) {
  const std::vector<std::string> picture{
      "##......########",  // C0 FF
      "##......########",  // the same again
      "................",
      "#.#.#.#.........",  // AA 00
  };
  const Case cases[] = {
      {"ZPL: hex rows, a repeated row, a row of zeros, a run-length letter", ZplImage,
       "^XA\n~DGR:CUPS.GRF,8,2,\nC0FF:,AAH0\n^XZ", picture},
      {"ZPL: a run of twenty", ZplImage, "~DGR:CUPS.GRF,12,12,\ngJF\n",
       {std::string(96, '#')}},
      {"EPL: inverted bytes, blank rows left out", Epl2Image,
       "N\nq16\nGW0,0,2,1\n\x3f\x00\nGW0,1,2,1\n\x3f\x00\nGW0,3,2,1\n\x55\xff\nP1\n"s, picture},
      {"PCL: uncompressed rows after a skip", Pcl,
       Esc("&l0O") + Esc("*r1A") + Esc("*b2W") + "\xc0\xff"s + Esc("*b2W") + "\xc0\xff"s + Esc("*b1Y") +
           Esc("*b2W") + "\xaa\x00"s + Esc("*rB"),
       picture},
      {"PCL: run-length pairs", Pcl,
       Esc("*r1A") + Esc("*b1M") + Esc("*b4W") + "\x00\xc0\x00\xff"s + Esc("*b2W") + "\x01\x00"s +
           Esc("*b4W") + "\x00\xc0\x00\xff"s,
       {"##......########", "................", "##......########"}},
      {"PCL: PackBits, literal and repeated", Pcl,
       Esc("*r1A") + Esc("*b2M") + Esc("*b3W") + "\x00\xaa\x00"s + Esc("*b2W") + "\xff\xc0",
       {"#.#.#.#.........", "##......##......"}},
      {"Dymo: lines and a feed", DymoImage,
       Esc("L") + "\x00\x04"s + Esc("D\x02") + Esc("e") + Esc("q1") + "\x16\xc0\xff" + "\x16\xc0\xff" +
           Esc("f\x01\x01"s) + "\x16" + "\xaa\x00"s + Esc("E"),
       picture},
  };
  for (const Case& c : cases) {
    const InkImage expected = Picture(c.expected);
    const InkImage read = c.decode(c.data, expected.Width(), expected.Height());
    EXPECT_EQ(read, expected) << c.what << ": " << FirstDifference(read, expected);
  }
}

TEST(DeviceData, PclSaysThePaperSourceItSelected) {
  EXPECT_EQ(PclImage(Esc("E") + Esc("&l2H") + Esc("&l0O"), 8, 1).mediaPosition, 2);
  EXPECT_EQ(PclImage(Esc("E") + Esc("&l0O"), 8, 1).mediaPosition, 0);
  // The position of graphics (ESC&a#V) is no data: what follows is read as commands.
  EXPECT_EQ(PclImage(Esc("&a360V") + Esc("*r1A") + Esc("*b1W") + "\x80", 8, 1).image, Picture({"#......."}));
}

TEST(DeviceData, DataCutShortIsRefused) {
  const std::pair<const char*, InkImage (*)(const std::string&, int, int)> cut[] = {
      {"~DGR:CUPS.GRF,4,2,\nC0FF\n", ZplImage},  // two rows promised, one sent
      {"no graphic field", ZplImage},
      {"GW0,0,4,1\n\x01", Epl2Image},
      {"\x16\x01", DymoImage},
  };
  for (const auto& [data, decode] : cut) EXPECT_THROW(decode(data, 16, 4), std::runtime_error) << data;
  EXPECT_THROW(PclImage(Esc("*r1A") + Esc("*b9W") + "\x01", 8, 1), std::runtime_error);
}

}  // namespace
}  // namespace vant::test::drivers
