// CUPS's own drivers (the sample drivers of Debian's cups package): one document a queue,
// printed on the queue itself, on its twin that keeps the raster the driver reads, and on
// its twin that rasterises with poppler instead of Ghostscript. Judged on every raster at
// the driver's own resolution: each bar and space of the four symbologies exactly its
// modules x m dots and read by zbarimg, lines and outlines n dots for n dots asked, every
// mark within 0.1 mm + 1 dot of its place, the page's settings in the raster's header; and
// the device data equal to the raster. A second, landscape page on the raster twin is the
// sheet turned, its dots on the same grid.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <ostream>

#include "device_data.h"
#include "driver_document.h"
#include "driver_run.h"
#include "engine/setting_values.h"
#include "page_judge.h"
#include "units.h"

namespace vant::test::drivers {
namespace {


enum class Device { kZpl, kEpl2, kDymo, kPcl, kEscP, kPostScript };

struct DriverQueue {
  const char* queue;
  Device device;
  std::vector<std::string> setup;  // the first page's set-up methods
  unsigned mediaPosition;          // what the raster header says of the source set up
  bool sheets;                     // office sheets (the invoice's module too), not labels
};

// Named by its queue in the test list, not by its bytes.
void PrintTo(const DriverQueue& q, std::ostream* os) { *os << q.queue; }

std::vector<DriverQueue> Queues() {
  return {
      {"Zebra", Device::kZpl, {}, 0, false},
      {"Epl2", Device::kEpl2, {}, 0, false},
      {"Dymo", Device::kDymo, {}, 0, false},
      // Manual feed: the PPD's InputSlot Manual, position 2.
      {"LaserJet600", Device::kPcl, {"paperbin,4"}, 2, true},
      {"LaserJet300", Device::kPcl, {"paperbin,4"}, 2, true},
      {"Epson", Device::kEscP, {}, 0, true},
  };
}

class SampleDriver : public DriverTest, public testing::WithParamInterface<DriverQueue> {
 protected:
  // The document for the queue's default sheet, portrait or turned.
  DriverDocument Document(const printing::PrinterCapabilities& caps, int16_t orientation, bool sheets) {
    std::vector<int> modules{1, 2, 3};
    if (sheets) modules.push_back(InvoiceModule(caps.dpiX));
    return CasesOn(caps, caps.defaultMedia, orientation, modules);
  }

  // Every raster header field the settings decide.
  void ExpectHeader(const RasterHeader& h, const printing::PrinterCapabilities& caps, unsigned mediaPosition,
                    const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(h.hwResolution[0], static_cast<unsigned>(caps.dpiX));
    EXPECT_EQ(h.hwResolution[1], static_cast<unsigned>(caps.dpiY));
    EXPECT_NEAR(h.pageSize[0], caps.defaultMedia.sheet.widthMm / kMmPerPoint, 1);
    EXPECT_NEAR(h.pageSize[1], caps.defaultMedia.sheet.heightMm / kMmPerPoint, 1);
    EXPECT_EQ(h.mediaPosition, mediaPosition);
    EXPECT_EQ(h.colorSpace, 3u) << "a black-only driver's raster";
  }
};

TEST_P(SampleDriver, BarsLinesAndSettingsComeOutExactOnTheDriversOwnDots) {
  const DriverQueue& q = GetParam();
  const auto& caps = Caps(q.queue);
  const DriverDocument portrait = Document(caps, kPortrait, q.sheets);
  const DriverDocument landscape = Document(caps, kLandscape, false);
  std::vector<std::string> lines = q.setup;
  lines.insert(lines.end(), portrait.methods.begin(), portrait.methods.end());
  std::vector<std::string> withLandscape = lines;
  withLandscape.insert(withLandscape.end(), {"newpage", "orientation,2", "paperbin,7"});
  withLandscape.insert(withLandscape.end(), landscape.methods.begin(), landscape.methods.end());

  // All three at once: the server runs each queue's filters side by side.
  const auto deviceJobs = Submit(q.queue, lines);
  const auto rasterJobs = Submit(std::string(q.queue) + "-Raster", withLandscape);
  const auto popplerJobs = Submit(std::string(q.queue) + "-Poppler", lines);
  const auto device = Finished(deviceJobs);
  const auto raster = Finished(rasterJobs);
  const auto poppler = Finished(popplerJobs);
  ASSERT_EQ(device.size(), 1u);
  ASSERT_EQ(raster.size(), 2u) << "the landscape page goes as a job of its own";

  // The printable corner on the portrait page, and on the turned one.
  const printing::SheetMm up = printing::OrientedPage(caps.defaultMedia.sheet, kPortrait);
  const printing::SheetMm turned = printing::OrientedPage(caps.defaultMedia.sheet, kLandscape);
  Figures figures;

  const auto pages = ReadCupsRaster(raster[0].file);
  ASSERT_EQ(pages.size(), 1u);
  ExpectHeader(pages[0].header, caps, q.mediaPosition, "the raster");
  JudgePage(pages[0].ink, FrameOf(pages[0].header), up.leftMm, up.topMm, portrait, dir_ / "", "Ghostscript", figures);

  const auto turnedPages = ReadCupsRaster(raster[1].file);
  ASSERT_EQ(turnedPages.size(), 1u);
  ExpectHeader(turnedPages[0].header, caps, 0, "the landscape page's raster");
  const TurnedPage back = TurnedBack(turnedPages[0]);
  JudgePage(back.image, back.frame, turned.leftMm, turned.topMm, landscape, dir_ / "", "Ghostscript, landscape", figures);

  const auto popplerPages = ReadCupsRaster(poppler[0].file);
  ASSERT_EQ(popplerPages.size(), 1u);
  ExpectHeader(popplerPages[0].header, caps, q.mediaPosition, "poppler's raster");
  JudgePage(popplerPages[0].ink, FrameOf(popplerPages[0].header), up.leftMm, up.topMm, portrait, dir_ / "",
            "poppler", figures);

  // What the printer is sent is the raster, dot for dot.
  const InkImage& dots = pages[0].ink;
  const std::string data = Bytes(device[0].file);
  switch (q.device) {
    case Device::kZpl: EXPECT_EQ(ZplImage(data, dots.Width(), dots.Height()), dots); break;
    case Device::kEpl2: EXPECT_EQ(Epl2Image(data, dots.Width(), dots.Height()), dots); break;
    case Device::kDymo: EXPECT_EQ(DymoImage(data, dots.Width(), dots.Height()), dots); break;
    case Device::kPcl: {
      const PclPage pcl = PclImage(data, dots.Width(), dots.Height());
      EXPECT_EQ(pcl.image, dots) << FirstDifference(pcl.image, dots);
      EXPECT_EQ(pcl.mediaPosition, static_cast<int>(q.mediaPosition)) << "the PCL's paper source";
      break;
    }
    case Device::kEscP:
    case Device::kPostScript: EXPECT_FALSE(data.empty()); break;
  }
  std::cout << "[figures] " << q.queue << " (" << caps.dpiX << " dpi): " << figures.Describe() << std::endl;
}

std::string QueueName(const testing::TestParamInfo<DriverQueue>& param) { return param.param.queue; }
INSTANTIATE_TEST_SUITE_P(Queues, SampleDriver, testing::ValuesIn(Queues()), QueueName);

}  // namespace
}  // namespace vant::test::drivers
