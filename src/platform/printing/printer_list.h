// The installed printers on Linux: the print server's destinations in the server's order,
// then the built-in PDF printer "Vant3 PDF". The current printer is the server's default
// destination, else the PDF printer. Each printer keeps its own settings and its own open
// document; one that becomes current with no document open starts from its defaults.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "engine/platform.h"
#include "platform/printermap/name_lookup.h"
#include "platform/printing/cups_destination.h"
#include "platform/printing/pdf_file_output.h"
#include "platform/printing/printer_surface.h"

namespace vant::printing {

// One print server queue to install: its capabilities and where its documents go.
struct InstalledQueue {
  PrinterCapabilities capabilities;
  std::unique_ptr<PrinterOutput> output;
  bool isDefault = false;
};

class PrinterList final : public InstalledPrinters {
 public:
  // The destinations of the print server (CUPS_SERVER, or the machine's) and the PDF
  // printer. Destinations that cannot be read are left out and named in Problems().
  static std::unique_ptr<PrinterList> FromCups();
  // The given queues in order, then the PDF printer.
  explicit PrinterList(std::vector<InstalledQueue> queues, std::vector<Text> problems = {});
  // The printers report their deliveries to this list: it stays where it was made.
  PrinterList(const PrinterList&) = delete;
  PrinterList& operator=(const PrinterList&) = delete;

  int Count() const override { return static_cast<int>(printers_.size()); }
  Printer& At(int index) override { return Page(index); }
  int CurrentIndex() const override { return current_; }
  void MakeCurrent(int index) override;
  // The printer map's entry for the name, else the queue it describes.
  int ReachedByName(TextView name) override;
  // As the map says (UnknownPrinter = current or stop).
  UnknownPrinter NamedNoPrinter(TextView name) override;

  // The printer map the names are looked up in. Its problems, and its entries whose queue
  // is not installed (unless the print server is unreachable, when none is), join
  // Problems().
  void UseMap(printermap::PrinterMap map);
  const printermap::PrinterMap& Map() const { return map_; }
  // Each printer's name and description, in order, for the lookup.
  std::vector<printermap::PrinterNames> Names() const;

  PagePrinter& Page(int index);
  // The built-in PDF printer, after the print server's queues.
  PagePrinter& PdfPrinter() { return *printers_.back(); }
  int PdfPrinterIndex() const { return static_cast<int>(printers_.size()) - 1; }
  // The PDF printer's output path (`vant pdf -o FILE`) and its default name.
  PdfFileOutput& PdfOutput() { return *pdfOutput_; }
  // The name the host page gives its documents: the jobs' name and the PDF printer's
  // default file (base name with ".pdf" in the current directory).
  void SetDocumentName(const Text& baseName);
  // The jobs' name and the PDF files' title alone (`--title`), over the document name.
  void SetDocumentTitle(const Text& title);
  // The copies of every print server job (`--copies`).
  void SetCopies(int copies);

  // Ends every document still open, each printer in order, as the program ends. All are
  // tried; when any fails, a Failure carrying every failure's description (one a line)
  // follows once the others are ended.
  void EndOpenDocuments();
  // The same at the end of a command or of a browser's request, where a failure is a stop
  // message: its description shown with the critical icon and the caption "エラー".
  void EndOpenDocumentsShowingFailure(MessageBoxes& messages);

  // Every document delivered since the list was made, in order.
  const std::vector<DeliveredDocument>& Delivered() const { return delivered_; }
  // Japanese descriptions of the destinations (or the server) that could not be read.
  const std::vector<Text>& Problems() const { return problems_; }
  // The sentence naming a chosen print server that could not be reached or did not answer
  // in time, and why; the list then holds the PDF printer alone, and Problems() holds the
  // sentence followed by kPdfPrinterOnly.
  const std::optional<Text>& ServerUnreachable() const { return serverUnreachable_; }

 private:
  std::vector<std::unique_ptr<PagePrinter>> printers_;
  PdfFileOutput* pdfOutput_ = nullptr;  // owned by the PDF printer
  int current_ = 0;
  std::vector<DeliveredDocument> delivered_;
  std::vector<Text> problems_;
  std::optional<Text> serverUnreachable_;
  printermap::PrinterMap map_;
};

}  // namespace vant::printing
