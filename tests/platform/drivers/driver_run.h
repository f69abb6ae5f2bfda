// Printing on the drivers' print server from the tests: a method list sent to a queue as
// the print button sends it, every job of it waited for, and the files the queues wrote
// read back (rasters, device data, the driverless printer's documents, PostScript turned
// into dots by Ghostscript).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cups_raster.h"
#include "cups_test_queues.h"
#include "ink_image.h"
#include "paper_run.h"
#include "platform/printing/printer_capabilities.h"

namespace vant::test::drivers {

namespace queues = vant::test::cups;

class DriverTest : public paper::PaperTest {
 protected:
  // The queue's capabilities as the program reads them; throws naming a queue not listed.
  const printing::PrinterCapabilities& Caps(const std::string& queue);
  // Runs the lines on the queue ("changeprinter" first, "enddoc" last) and returns the ids
  // of the jobs the document went as, without waiting for them.
  std::vector<int> Submit(const std::string& queue, std::vector<std::string> lines);
  // Waits for the jobs; fails the test (throws) unless each completed.
  std::vector<queues::FinishedJob> Finished(const std::vector<int>& jobs);
};

// The file's bytes.
std::string Bytes(const std::filesystem::path& file);

// The page of a PostScript file rendered by Ghostscript at dpi, from the sheet's corner.
RasterPage RenderPostScript(const std::filesystem::path& file, int dpi, const std::filesystem::path& work);

// The driverless printer's documents, oldest first (its spool directory).
std::vector<std::filesystem::path> EverywhereDocuments();

// The drivers' run directory (VANT_DRIVERS_DIR); throws when not run through ctest.
std::filesystem::path DriversDir();

}  // namespace vant::test::drivers
