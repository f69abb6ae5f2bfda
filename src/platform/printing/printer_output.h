// Where a printer's completed documents go: a print server's queue or a PDF file. The
// printer hands over the finished PDF with the job's settings; the output says where it
// went, or throws a Failure naming the printer or file and the reason.
#pragma once

#include <QByteArray>

#include <filesystem>
#include <optional>
#include <string>

#include "common/text.h"

namespace vant::printing {

// The job's settings as the print server takes them. Each optional one is sent only when
// the printer takes the value.
struct JobAttributes {
  std::string media;               // media keyword of the first page
  int orientation = 3;             // orientation-requested of the first page
  std::optional<int> quality;      // print-quality
  std::optional<std::string> mediaSource;
  std::optional<std::string> colorMode;  // print-color-mode
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
  std::optional<int> jobId;                   // the server's job
  std::optional<std::filesystem::path> file;  // the PDF file written
  bool standardOutput = false;                // the PDF went to standard output
  // "プリンター「Office」にジョブ 12 (3 ページ) を送りました。" or
  // "「/tmp/invoice.pdf」に 3 ページを書き込みました。" or
  // "標準出力に 3 ページの PDF を書き込みました。"
  Text Description() const;
};

class PrinterOutput {
 public:
  virtual ~PrinterOutput() = default;
  virtual DeliveredDocument Deliver(const PrintedDocument& document) = 0;
};

}  // namespace vant::printing
