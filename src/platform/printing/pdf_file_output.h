// The built-in PDF printer's output: each ended document is written to a PDF file whole
// or not at all, so that a failed write leaves neither a partial file nor a damaged
// earlier one. The first document of a run goes to the output path the user named
// (replaced whole; a device or FIFO such as /dev/stdout is streamed into, and so are the
// later documents); later ones go to new numbered files beside it (invoice-2.pdf,
// invoice-3.pdf, …). Without an output path every document takes the first free name of
// the default series (invoice.pdf, invoice-2.pdf, …). Numbered files are always created
// new: a name held by a file or a symbolic link is passed over, never written through.
#pragma once

#include <filesystem>
#include <optional>
#include <utility>

#include "platform/printing/printer_output.h"

namespace vant::printing {

class PdfFileOutput final : public PrinterOutput {
 public:
  // The output path as given (the `vant pdf -o FILE` option), made absolute now. It wins
  // over the default path, whichever is set first.
  void SetPath(const std::filesystem::path& path);
  // The default path: base name with ".pdf" in folder, the current directory when empty.
  void SetBaseName(const Text& baseName, const std::filesystem::path& folder = {});
  // Every document to standard output instead of a file (`vant pdf -o -`). Standard output
  // carries one PDF: a second document of the run is refused.
  void SetStandardOutput() { standardOutput_ = true; }
  bool ToStandardOutput() const { return standardOutput_; }
  // The path of the first document: the one given, else the default; none when neither
  // is set or the documents go to standard output.
  std::optional<std::filesystem::path> Path() const;

  // While a refusal is set, every document is refused with it and nothing is written (the
  // print server that was chosen is gone, and the page did not choose this printer).
  void Refuse(std::optional<Text> refusal) { refusal_ = std::move(refusal); }

  // Throws a Failure naming the file when no path is set or the file cannot be written.
  DeliveredDocument Deliver(const PrintedDocument& document) override;

 private:
  DeliveredDocument DeliverToStandardOutput(const PrintedDocument& document);

  std::optional<std::filesystem::path> given_;
  std::optional<std::filesystem::path> default_;
  int written_ = 0;
  bool streaming_ = false;  // the output path is a device or FIFO
  // The number the next new file of the series starts looking from.
  std::optional<int> nextNumber_;
  bool standardOutput_ = false;
  std::optional<Text> refusal_;
};

}  // namespace vant::printing
