// The other ways an office prints, judged as the sample drivers are: a PostScript printer
// (its PostScript turned into dots by Ghostscript, as the printer's own interpreter does),
// a driverless IPP Everywhere printer behind a queue made by "lpadmin -m everywhere", and
// a central print server reached over TCP; each page with its own settings. And label
// queues whose default is a size of their own: listed, measured and printed at that size.
#include <gtest/gtest.h>

#include <cups/cups.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "common/text.h"
#include "driver_document.h"
#include "driver_run.h"
#include "engine/papers.h"
#include "engine/setting_values.h"
#include "page_judge.h"
#include "shell_command.h"
#include "units.h"

namespace vant::test::drivers {
namespace {

constexpr unsigned kBlack = 3, kGrey = 18, kRgb = 19;  // cupsColorSpace

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

void ExpectSheet(const RasterHeader& h, const printing::PrinterMedia& media, const std::string& where) {
  EXPECT_NEAR(h.pageSize[0], media.sheet.widthMm / kMmPerPoint, 1) << where;
  EXPECT_NEAR(h.pageSize[1], media.sheet.heightMm / kMmPerPoint, 1) << where;
}

TEST_F(DriverTest, APostScriptPrinterTakesTheManualFeedAndDrawsEveryMarkExact) {
  const auto& caps = Caps("PostScript");
  const printing::PrinterMedia& a4 = caps.papers.at(9);
  const DriverDocument doc = CasesOn(caps, a4, kPortrait, {1, 2, 3, InvoiceModule(caps.dpiX)});
  const auto jobs = Finished(Submit("PostScript", Joined({"papersize,9", "paperbin,4"}, doc.methods)));
  ASSERT_EQ(jobs.size(), 1u);
  const std::string postscript = Bytes(jobs[0].file);
  // The PPD's code for the manual feed, where the printer reads it.
  EXPECT_NE(postscript.find("/ManualFeed true"), std::string::npos);
  const RasterPage page = RenderPostScript(jobs[0].file, static_cast<int>(caps.dpiX), dir_ / "");
  Figures figures;
  JudgePage(page.ink, PageFrame{0, 0, caps.dpiX, caps.dpiY}, a4.sheet.leftMm, a4.sheet.topMm, doc, dir_ / "",
            "PostScript", figures);
  std::cout << "[figures] PostScript (" << caps.dpiX << " dpi): " << figures.Describe() << std::endl;
}

TEST_F(DriverTest, ADriverlessPrinterGetsEachPagesSourceColourAndOrientation) {
  // (ippeveprinter as a colour printer has an automatic, a main and a photo tray.)
  const auto& caps = Caps("Everywhere");
  ASSERT_TRUE(caps.Choices(PrinterSetting::kColorMode).codes.contains(kColour)) << "ippeveprinter was started as a colour printer";
  const printing::PrinterMedia& a4 = caps.papers.at(9);
  const std::vector<int> modules{1, 2, 3, InvoiceModule(caps.dpiX)};
  const DriverDocument portrait = CasesOn(caps, a4, kPortrait, modules);
  const DriverDocument landscape = CasesOn(caps, a4, kLandscape, {2});
  const size_t before = EverywhereDocuments().size();
  // Page 1 grey from the cassette (the printer's main tray); page 2 turned, in colour, from
  // the source the printer chooses.
  auto lines = Joined({"papersize,9", "paperbin,12", "colormode,1"}, portrait.methods);
  lines = Joined(lines, {"newpage", "orientation,2", "paperbin,7", "colormode,2"});
  const auto jobs = Finished(Submit("Everywhere", Joined(lines, landscape.methods)));
  ASSERT_EQ(jobs.size(), 2u);
  const auto documents = EverywhereDocuments();
  ASSERT_EQ(documents.size(), before + 2) << "the printer keeps each document it is sent";

  Figures figures;
  const auto first = ReadCupsRaster(documents[before]);
  ASSERT_EQ(first.size(), 1u);
  const RasterHeader& h1 = first[0].header;
  EXPECT_EQ(h1.hwResolution[0], static_cast<unsigned>(caps.dpiX));
  ExpectSheet(h1, a4, "page 1");
  EXPECT_EQ(h1.mediaPosition, 1u) << "the cassette: the printer's main tray";
  EXPECT_TRUE(h1.colorSpace == kGrey || h1.colorSpace == kBlack) << h1.colorSpace;
  JudgePage(first[0].ink, FrameOf(h1), a4.sheet.leftMm, a4.sheet.topMm, portrait, dir_ / "", "PWG raster", figures);

  const auto second = ReadCupsRaster(documents[before + 1]);
  ASSERT_EQ(second.size(), 1u);
  const RasterHeader& h2 = second[0].header;
  ExpectSheet(h2, a4, "page 2");
  EXPECT_EQ(h2.mediaPosition, 0u) << "the printer's own choice";
  EXPECT_EQ(h2.colorSpace, kRgb);
  const TurnedPage back = TurnedBack(second[0]);
  const printing::SheetMm turned = printing::OrientedPage(a4.sheet, kLandscape);
  JudgePage(back.image, back.frame, turned.leftMm, turned.topMm, landscape, dir_ / "", "PWG raster, landscape", figures);
  std::cout << "[figures] Everywhere (" << caps.dpiX << " dpi): " << figures.Describe() << std::endl;
}

// The tests' process talks to the drivers' server over its TCP port, as an office's
// computers talk to their central print server, before the printers are read.
class OverTcp {
 public:
  OverTcp() {
    std::ifstream port(DriversDir() / "tcp-port");
    std::string number;
    if (!(port >> number)) throw std::runtime_error("the drivers' server wrote no tcp-port");
    server_ = "127.0.0.1:" + number;
    // libcups's server for this process; CUPS_SERVER still names the private socket, which
    // the fixture checks so that no test prints on the machine's own printers.
    cupsSetServer(server_.c_str());
  }

 protected:
  std::string server_;
};

class CentralServer : public OverTcp, public DriverTest {};

TEST_F(CentralServer, ASharedQueueOnAnotherServerPrintsEachPageExact) {
  ASSERT_EQ(std::string(cupsServer()) + ":" + std::to_string(ippPort()), server_);
  const auto& caps = Caps("Central");
  const printing::PrinterMedia& a4 = caps.papers.at(9);
  const DriverDocument portrait = CasesOn(caps, a4, kPortrait, {1, 2, 3, InvoiceModule(caps.dpiX)});
  const DriverDocument landscape = CasesOn(caps, a4, kLandscape, {2});
  auto lines = Joined({"papersize,9", "paperbin,4"}, portrait.methods);
  lines = Joined(lines, {"newpage", "orientation,2", "paperbin,7"});
  const auto jobs = Finished(Submit("Central", Joined(lines, landscape.methods)));
  ASSERT_EQ(jobs.size(), 2u);

  Figures figures;
  const auto first = ReadCupsRaster(jobs[0].file);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].header.mediaPosition, 2u) << "the manual feed";
  EXPECT_EQ(first[0].header.hwResolution[0], 600u);
  ExpectSheet(first[0].header, a4, "page 1");
  JudgePage(first[0].ink, FrameOf(first[0].header), a4.sheet.leftMm, a4.sheet.topMm, portrait, dir_ / "", "central",
            figures);
  const auto second = ReadCupsRaster(jobs[1].file);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0].header.mediaPosition, 0u);
  const TurnedPage back = TurnedBack(second[0]);
  const printing::SheetMm turned = printing::OrientedPage(a4.sheet, kLandscape);
  JudgePage(back.image, back.frame, turned.leftMm, turned.topMm, landscape, dir_ / "", "central, landscape", figures);
  std::cout << "[figures] Central over TCP (" << caps.dpiX << " dpi): " << figures.Describe() << std::endl;
}

// A label queue whose default is a size of its own.
class CustomDefault : public DriverTest {
 protected:
  // The queue's default is widthMm x heightMm: its symbols printed on the queue (and then
  // the extra lines, a page of their own) come out on a label of that size, exact. The
  // jobs' files, the label's first.
  std::vector<queues::FinishedJob> PrintsAtItsSize(const std::string& queue, double widthMm, double heightMm,
                                                   const std::vector<std::string>& after) {
    const auto& caps = Caps(queue);
    EXPECT_EQ(caps.defaultPaper, kPaperUser);
    EXPECT_NEAR(caps.defaultMedia.sheet.widthMm, widthMm, 0.01);
    EXPECT_NEAR(caps.defaultMedia.sheet.heightMm, heightMm, 0.01);
    const DriverDocument label = CasesOn(caps, caps.defaultMedia, kPortrait, {1}, /*symbolsOnly=*/true);
    auto jobs = Finished(Submit(queue, Joined(label.methods, after)));
    if (jobs.empty()) throw std::runtime_error(queue + " printed no job");
    const auto pages = ReadCupsRaster(jobs[0].file);
    if (pages.size() != 1) throw std::runtime_error(queue + "'s label is not one page");
    const RasterHeader& h = pages[0].header;
    EXPECT_NEAR(h.pageSize[0], widthMm / kMmPerPoint, 1);
    EXPECT_NEAR(h.pageSize[1], heightMm / kMmPerPoint, 1);
    const printing::SheetMm& sheet = caps.defaultMedia.sheet;
    EXPECT_NEAR(h.width, (widthMm - sheet.leftMm - sheet.rightMm) / 25.4 * caps.dpiX, 1);
    Figures figures;
    JudgePage(pages[0].ink, FrameOf(h), sheet.leftMm, sheet.topMm, label, dir_ / "", queue, figures);
    std::cout << "[figures] " << queue << ", " << widthMm << " x " << heightMm << " mm (" << caps.dpiX
              << " dpi): " << figures.Describe() << std::endl;
    return jobs;
  }
};

// The PPD's default is its own custom size (lpadmin -o PageSize=Custom.50x30mm): the server
// says its default is "unknown".
TEST_F(CustomDefault, APpdCustomSizeIsListedMeasuredAndPrintedAtThatSize) {
  // The label, then an A4 sheet: a paper code still picks its sheet on this queue.
  const auto jobs = PrintsAtItsSize("Labels-Raster", 50, 30, {"newpage", "papersize,9", "prnbox,10,10,50,50,2,solid,0"});
  ASSERT_EQ(jobs.size(), 2u);
  const auto second = ReadCupsRaster(jobs[1].file);
  ASSERT_EQ(second.size(), 1u);
  ExpectSheet(second[0].header, Caps("Labels-Raster").papers.at(9), "the A4 page");

  // vant printers names the size.
  const char* vant = std::getenv("VANT_BINARY");
  ASSERT_NE(vant, nullptr) << "VANT_BINARY is not set: run this test through ctest";
  const std::string listed = RunShell(ShellQuoted(vant) + " printers");
  EXPECT_NE(listed.find("  Labels (ユーザー定義のサイズ、50 x 30 mm)\n"), std::string::npos) << listed;
  EXPECT_NE(listed.find("  Dymo (ユーザー定義のサイズ、57.15 x 190.5 mm)\n"), std::string::npos) << listed;
}

// A user's saved default (lpoptions media=custom_40x25mm_40x25mm), before the printers are
// read; taken away afterwards. Only in the tests' own home, never the user's.
class UserDefault {
 public:
  UserDefault() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || std::string(home) != (DriversDir() / "home").string()) {
      throw std::runtime_error("HOME is not the driver tests' own: run this test through ctest");
    }
    RunShell("lpoptions -p Zebra-Raster -o media=custom_40x25mm_40x25mm");
  }
  ~UserDefault() {
    try {
      RunShell("lpoptions -p Zebra-Raster -r media");
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
    }
  }
};

class CustomUserDefault : public UserDefault, public CustomDefault {};

TEST_F(CustomUserDefault, PrintsAtItsOwnSizeNotTheNearestStock) {
  EXPECT_EQ(PrintsAtItsSize("Zebra-Raster", 40, 25, {}).size(), 1u);
}

TEST_F(DriverTest, ALabelQueuesOwnStockDefaultIsItsSize) {
  // The Dymo's default is its 2.25 x 7.5 in label, named custom_57.15x190.5mm_57.15x190.5mm.
  const auto& caps = Caps("Dymo");
  EXPECT_EQ(caps.defaultPaper, kPaperUser);
  EXPECT_NEAR(caps.defaultMedia.sheet.widthMm, 57.15, 0.01);
  EXPECT_NEAR(caps.defaultMedia.sheet.heightMm, 190.5, 0.01);
  EXPECT_NEAR(caps.defaultMedia.sheet.leftMm, 0.71, 0.01);  // 2 pt
  EXPECT_NEAR(caps.defaultMedia.sheet.topMm, 5.26, 0.01);   // 14.9 pt
}

}  // namespace
}  // namespace vant::test::drivers
