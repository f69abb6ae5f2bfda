// The raster reader against rasters libcups itself writes: version 3 (uncompressed, as
// Ghostscript's cups device writes it), version 2 (compressed) and PWG raster, black and
// grey, with pages and header fields read back; and damaged rasters refused by name.
#include <gtest/gtest.h>

#include <cups/raster.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cups_raster.h"

namespace vant::test::drivers {
namespace {

// A page of width x height dots whose ink is where mark(x, y) says.
struct PageSpec {
  unsigned width, height;
  unsigned bits;        // 1 or 8
  cups_cspace_t space;  // CUPS_CSPACE_K or CUPS_CSPACE_SW
  unsigned mediaPosition;
  bool (*mark)(unsigned x, unsigned y);
};

bool Bars(unsigned x, unsigned y) { return y >= 2 && (x / 3) % 2 == 0 && x < 27; }
bool Corner(unsigned x, unsigned y) { return x < 2 && y < 2; }
bool Nothing(unsigned, unsigned) { return false; }

std::string WriteWithLibcups(cups_mode_t mode, const std::vector<PageSpec>& pages) {
  const auto file = std::filesystem::temp_directory_path() / ("vant-raster-" + std::to_string(getpid()) + ".ras");
  const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) throw std::runtime_error("cannot write " + file.string());
  cups_raster_t* raster = cupsRasterOpen(fd, mode);
  for (const PageSpec& p : pages) {
    cups_page_header2_t h;
    std::memset(&h, 0, sizeof h);
    h.HWResolution[0] = h.HWResolution[1] = 300;
    h.PageSize[0] = 288, h.PageSize[1] = 432;
    h.MediaPosition = p.mediaPosition;
    h.cupsWidth = p.width, h.cupsHeight = p.height;
    h.cupsBitsPerColor = h.cupsBitsPerPixel = p.bits;
    h.cupsBytesPerLine = (p.width * p.bits + 7) / 8;
    h.cupsColorOrder = CUPS_ORDER_CHUNKED;
    h.cupsColorSpace = p.space;
    h.cupsNumColors = 1;
    h.cupsImagingBBox[0] = 2, h.cupsImagingBBox[3] = 417.1f;
    std::strcpy(h.cupsPageSizeName, "w288h432");
    cupsRasterWriteHeader2(raster, &h);
    std::vector<unsigned char> line(h.cupsBytesPerLine);
    for (unsigned y = 0; y < p.height; ++y) {
      std::fill(line.begin(), line.end(), p.space == CUPS_CSPACE_K ? 0 : 255);
      for (unsigned x = 0; x < p.width; ++x) {
        if (!p.mark(x, y)) continue;
        if (p.bits == 1) {
          line[x / 8] = static_cast<unsigned char>(line[x / 8] ^ (0x80 >> (x % 8)));
        } else {
          line[x] = p.space == CUPS_CSPACE_K ? 255 : 0;
        }
      }
      cupsRasterWritePixels(raster, line.data(), h.cupsBytesPerLine);
    }
  }
  cupsRasterClose(raster);
  close(fd);
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::filesystem::remove(file);
  return bytes.str();
}

struct Row {
  const char* what;
  cups_mode_t mode;
  unsigned bits;
  cups_cspace_t space;
};

TEST(CupsRaster, ReadsWhatLibcupsWritesPageByPage) {
  const Row rows[] = {
      {"version 3, black, one bit", CUPS_RASTER_WRITE, 1, CUPS_CSPACE_K},
      {"version 2, black, one bit", CUPS_RASTER_WRITE_COMPRESSED, 1, CUPS_CSPACE_K},
      {"version 2, grey, eight bits", CUPS_RASTER_WRITE_COMPRESSED, 8, CUPS_CSPACE_SW},
      {"PWG, grey, eight bits", CUPS_RASTER_WRITE_PWG, 8, CUPS_CSPACE_SW},
      {"PWG, black, one bit", CUPS_RASTER_WRITE_PWG, 1, CUPS_CSPACE_K},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::vector<PageSpec> specs{{61, 9, row.bits, row.space, 4, Bars}, {17, 3, row.bits, row.space, 0, Corner},
                                      {40, 200, row.bits, row.space, 1, Nothing}};
    const auto pages = ParseCupsRaster(WriteWithLibcups(row.mode, specs), row.what);
    ASSERT_EQ(pages.size(), specs.size());
    for (size_t i = 0; i < specs.size(); ++i) {
      const RasterHeader& h = pages[i].header;
      EXPECT_EQ(h.width, specs[i].width);
      EXPECT_EQ(h.height, specs[i].height);
      EXPECT_EQ(h.hwResolution[0], 300u);
      EXPECT_EQ(h.pageSize[1], 432u);
      EXPECT_EQ(h.mediaPosition, specs[i].mediaPosition);
      EXPECT_EQ(h.colorSpace, static_cast<unsigned>(row.space));
      if (row.mode != CUPS_RASTER_WRITE_PWG) {  // PWG raster keeps no imaging box or size name
        EXPECT_FLOAT_EQ(h.imagingBox[3], 417.1f);
        EXPECT_EQ(h.pageSizeName, "w288h432");
      }
      for (unsigned y = 0; y < specs[i].height; ++y) {
        for (unsigned x = 0; x < specs[i].width; ++x) {
          ASSERT_EQ(pages[i].ink.Ink(static_cast<int>(x), static_cast<int>(y)), specs[i].mark(x, y))
              << "page " << i << " dot " << x << "," << y;
        }
      }
    }
  }
}

TEST(CupsRaster, DamagedRastersAreRefusedByName) {
  const std::string whole = WriteWithLibcups(CUPS_RASTER_WRITE_COMPRESSED, {{61, 9, 1, CUPS_CSPACE_K, 0, Bars}});
  const std::string cases[] = {
      whole.substr(0, whole.size() - 3),  // a page cut short
      whole.substr(0, 900),               // a header cut short
      "RaSt" + whole.substr(4),           // version 1 is not read
      "%PDF-1.4",
  };
  for (const std::string& bytes : cases) {
    try {
      ParseCupsRaster(bytes, "job.ras");
      ADD_FAILURE() << "read " << bytes.size() << " damaged bytes";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()).find("job.ras: "), 0u) << e.what();
    }
  }
}

}  // namespace
}  // namespace vant::test::drivers
