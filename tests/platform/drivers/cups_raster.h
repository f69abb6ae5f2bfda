// A small reader of the raster a CUPS driver receives: CUPS Raster version 3 (uncompressed,
// as Ghostscript's cups device and the sample drivers' twins give it) and version 2 (the
// compressed form, and PWG raster, which a driverless printer is sent), in either byte
// order. Each page: the header fields the tests judge, and its dots as ink.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ink_image.h"

namespace vant::test::drivers {

struct RasterHeader {
  std::string mediaType;        // MediaType
  unsigned hwResolution[2] = {0, 0};
  unsigned manualFeed = 0;
  unsigned mediaPosition = 0;   // the paper source's position (InputSlot)
  unsigned orientation = 0;
  unsigned pageSize[2] = {0, 0};  // points
  float pageSizeExact[2] = {0, 0};  // cupsPageSize, points (0 in PWG raster)
  unsigned width = 0;           // cupsWidth, dots
  unsigned height = 0;          // cupsHeight
  unsigned bitsPerColor = 0;
  unsigned bitsPerPixel = 0;
  unsigned bytesPerLine = 0;
  unsigned colorOrder = 0;
  unsigned colorSpace = 0;      // cupsColorSpace: 3 black, 18 sGray, 19 sRGB ...
  float imagingBox[4] = {0, 0, 0, 0};  // cupsImagingBBox, points: left, bottom, right, top
  std::string pageSizeName;
};

struct RasterPage {
  RasterHeader header;
  InkImage ink;
};

// Every page of the file; throws naming the file and what is wrong with it.
std::vector<RasterPage> ReadCupsRaster(const std::filesystem::path& file);
// The same from bytes (tests of the reader itself).
std::vector<RasterPage> ParseCupsRaster(const std::string& bytes, const std::string& what);

}  // namespace vant::test::drivers
