// The sheet a media name stands for among a destination's sizes, and what a queue's PPD
// tells about its default size and its driver's dots.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/printing/cups_media.h"
#include "platform/printing/queue_ppd.h"

namespace vant::printing {
namespace {

MediaEntry Size(int32_t width, int32_t length, int32_t strip) {
  MediaEntry e;
  e.media = ServerMedia{width, length, strip, strip, strip, strip};
  return e;
}

MediaEntry CustomRange(int32_t minW, int32_t maxW, int32_t minL, int32_t maxL, int32_t strip) {
  MediaEntry e = Size(minW, minL, strip);
  e.range = true;
  e.minWidth = minW, e.maxWidth = maxW, e.minLength = minL, e.maxLength = maxL;
  return e;
}

// A PPD queue's sizes: A4 as 595 x 842 pt with a borderless twin, a 2 x 1.25 in label, the
// 1.125 x 3.5 in one, and custom sizes from 0.5 x 0.5 in to 8 x 50 in.
std::vector<MediaEntry> Entries() {
  return {Size(20990, 29704, 0), Size(20990, 29704, 423), Size(5080, 3175, 0), Size(2858, 8890, 71),
          CustomRange(1270, 20320, 1270, 127000, 0)};
}

struct FindRow {
  int line;
  std::string name;
  std::optional<ServerMedia> found;
};

TEST(FindMedia, NamesStandForTheSheetTheQueueMeans) {
  const FindRow rows[] = {
      // A standard size is the queue's own within 1.76 mm, the one with strips.
      {__LINE__, "iso_a4_210x297mm", ServerMedia{20990, 29704, 423, 423, 423, 423}},
      {__LINE__, "A4", ServerMedia{20990, 29704, 423, 423, 423, 423}},
      // A size the queue lists exactly, by its own custom name.
      {__LINE__, "custom_28.58x88.9mm_28.58x88.9mm", ServerMedia{2858, 8890, 71, 71, 71, 71}},
      // A custom size is made at its own size, never taken as the 2 x 1.25 in stock 0.8 and
      // 1.75 mm larger; the PPD's name for it is the same size.
      {__LINE__, "custom_50x30mm_50x30mm", ServerMedia{5000, 3000, 0, 0, 0, 0}},
      {__LINE__, "Custom.50x30mm", ServerMedia{5000, 3000, 0, 0, 0, 0}},
      // A standard size the queue has not is made to size when custom sizes hold it.
      {__LINE__, "iso_a5_148x210mm", ServerMedia{14800, 21000, 0, 0, 0, 0}},
      // Nothing: outside the custom range, or no size at all.
      {__LINE__, "custom_250x30mm_250x30mm", std::nullopt},
      {__LINE__, "unknown", std::nullopt},
      {__LINE__, "", std::nullopt},
  };
  for (const FindRow& row : rows) {
    const auto media = FindMedia(Entries(), row.name);
    ASSERT_EQ(media.has_value(), row.found.has_value()) << "row at line " << row.line;
    if (!media) continue;
    EXPECT_EQ(media->server, *row.found) << "row at line " << row.line;
    EXPECT_EQ(media->keyword, row.name) << "row at line " << row.line;
    EXPECT_DOUBLE_EQ(media->sheet.widthMm, row.found->width / 100.0) << "row at line " << row.line;
    EXPECT_DOUBLE_EQ(media->sheet.leftMm, row.found->left / 100.0) << "row at line " << row.line;
  }
}

TEST(FindMedia, WithoutCustomSizesOnlyTheListedOnes) {
  const std::vector<MediaEntry> stocks{Size(5080, 3175, 0)};
  EXPECT_FALSE(FindMedia(stocks, "custom_50x30mm_50x30mm"));
  EXPECT_FALSE(FindMedia(stocks, "iso_a4_210x297mm"));
  ASSERT_TRUE(FindMedia(stocks, "custom_2x1.25in_2x1.25in"));
}

TEST(QueuePpd, TheDefaultSizeAndWhatTheFiltersRead) {
  const QueuePpd ppd = ParsePpd(
      "*PPD-Adobe: \"4.3\"\r\n"
      "*cupsFilter: \"application/vnd.cups-raster 50 rastertolabel\"\r\n"
      "*cupsFilter2: \"image/pwg-raster image/pwg-raster 100 -\"\n"
      "*DefaultPageSize: Custom.50x30mm\n"
      "*DefaultPageRegion: A4\n"
      "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n");
  EXPECT_EQ(ppd.defaultPageSize, "Custom.50x30mm");
  EXPECT_EQ(ppd.filterInputs, (std::vector<std::string>{"application/vnd.cups-raster", "image/pwg-raster"}));
  EXPECT_EQ(ppd.filterOutputs, std::vector<std::string>{"image/pwg-raster"});
  EXPECT_TRUE(ParsePpd("").filterInputs.empty());
  EXPECT_TRUE(ParsePpd("*DefaultPageSize:").defaultPageSize.empty());
}

TEST(QueuePpd, WhereTheDotsLieFollowsWhatTheDriverReads) {
  const auto reading = [](std::vector<std::string> inputs, std::vector<std::string> outputs = {}) {
    QueuePpd ppd;
    ppd.filterInputs = std::move(inputs);
    ppd.filterOutputs = std::move(outputs);
    return std::optional<QueuePpd>(ppd);
  };
  EXPECT_EQ(AnchorOf(reading({"application/vnd.cups-raster"})), GridAnchor::kPrintableCorner);
  EXPECT_EQ(AnchorOf(reading({"image/pwg-raster"})), GridAnchor::kSheetCorner);
  EXPECT_EQ(AnchorOf(reading({"application/vnd.cups-pdf"}, {"application/pdf"})), GridAnchor::kSheetCorner);
  // A filter that makes the raster from the PDF lays it as the driver it feeds would.
  EXPECT_EQ(AnchorOf(reading({"application/vnd.cups-pdf"}, {"application/vnd.cups-raster"})), GridAnchor::kPrintableCorner);
  EXPECT_EQ(AnchorOf(reading({"application/pdf"})), GridAnchor::kPageCorner);
  // A PostScript printer's PPD names no filter, or one fed PostScript.
  EXPECT_EQ(AnchorOf(reading({})), GridAnchor::kSheetLowerLeft);
  EXPECT_EQ(AnchorOf(reading({"application/vnd.cups-postscript"})), GridAnchor::kSheetLowerLeft);
  EXPECT_EQ(AnchorOf(std::nullopt), GridAnchor::kSheetCorner);
}

}  // namespace
}  // namespace vant::printing
