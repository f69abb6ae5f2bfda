// Where a printer's completed documents go: a print server's queue or a PDF file. The
// printer hands over the finished PDF with the job's settings; the output says where it
// went, or throws a Failure naming the printer or file and the reason.
#pragma once

#include <QByteArray>
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"
#include "engine/printer_setting.h"
#include "platform/printing/printer_capabilities.h"

namespace vant::printing {

// The job's settings as the print server takes them: the sheet, and each other page
// setting's value as its IPP attribute (engine/printer_setting.h) is given ("4", "top",
// "monochrome"), indexed by the setting. A value left empty is not sent: the printer does
// not take it.
struct JobAttributes {
  ServerMedia media;         // media-col: media-size and the strips
  bool customMedia = false;  // a size of its own (PrinterMedia::custom)
  std::array<std::optional<std::string>, kPrinterSettingCount> values;

  const std::optional<std::string>& Value(PrinterSetting setting) const { return values[IndexOf(setting)]; }
  bool operator==(const JobAttributes&) const = default;
};

// How a printer lays its dots on a sheet: where its grid starts, and the sheet with its
// strips as exact as its driver has them.
struct SheetGrid {
  GridAnchor anchor = GridAnchor::kPageCorner;
  PrinterMedia media;
};

struct PrintedDocument {
  Text printer;  // device name
  Text title;    // the job's name
  int copies = 1;  // IPP copies (print server jobs)
  QByteArray pdf;
  int pages = 0;
  JobAttributes attributes;
};

// What an ended document produced.
struct DeliveredDocument {
  Text printer;
  int pages = 0;
  std::optional<int> jobId;                   // the server's job (the first, when several)
  std::vector<int> laterJobIds;               // the further jobs of a document sent in parts
  std::optional<std::filesystem::path> file;  // the PDF file written
  bool printerStopped = false;  // the queue is paused: the jobs wait until it is resumed
  bool standardOutput = false;  // the PDF went to standard output
  // "プリンター「Office」にジョブ 12 (3 ページ) を送りました。",
  // "プリンター「Office」にジョブ 12、13 (3 ページ) を送りました。",
  // "「/tmp/invoice.pdf」に 3 ページを書き込みました。" or
  // "標準出力に 3 ページの PDF を書き込みました。", with a second sentence when the
  // printer is stopped.
  Text Description() const;
};

class PrinterOutput {
 public:
  virtual ~PrinterOutput() = default;
  // Whether the pages of one delivery must share their settings. A print server applies a
  // job's settings to every page of it, so a document whose pages differ in paper size,
  // orientation, paper bin, print quality or colour mode is handed over in parts.
  virtual bool OneSettingPerDelivery() const { return false; }
  virtual DeliveredDocument Deliver(const PrintedDocument& document) = 0;
  // A document in consecutive parts, each a run of pages with equal settings, in page
  // order; handed over only by outputs with OneSettingPerDelivery. The parts arrive as one
  // document or not at all.
  virtual DeliveredDocument DeliverParts(const std::vector<PrintedDocument>& parts);
  // Where the dots of a sheet this output prints lie (device_grid.h): a PDF file's pages
  // are rasterised as they are.
  virtual SheetGrid GridFor(const PrinterMedia& media) { return {GridAnchor::kPageCorner, media}; }
};

}  // namespace vant::printing
