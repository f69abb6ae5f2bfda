// One installed printer: the DrawTarget semantics of Surface over PDF pages, with the
// printer's own settings and its own open document. Its pages are painted with Qt into an
// in-memory PDF; the ended document goes to the printer's output (a print server queue or
// a PDF file). Coordinates start at the top-left corner of the printable area.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/printing/pdf_document.h"
#include "platform/printing/printer_capabilities.h"
#include "platform/printing/printer_output.h"
#include "platform/printing/settings_printer.h"
#include "platform/qt/qt_printer_device.h"

namespace vant::printing {

class PagePrinter final : public SettingsPrinter {
 public:
  PagePrinter(PrinterCapabilities capabilities, std::unique_ptr<PrinterOutput> output);

  // Ends the page (a page with no mark yet is ended blank); the next mark starts a page.
  void NewPage() override;
  // Completes the open document and hands it to the output; with no document open it
  // does nothing. A refusal throws, and the document is gone either way.
  void EndDoc() override;
  void KillDoc() override;
  uint64_t OpenDocumentId() const override { return document_ ? documentsOpened_ : 0; }

  // Whether a document is open: a page has been started since the last end or kill.
  bool HasOpenDocument() const { return document_ != nullptr; }

  // The name the jobs and PDF files of this printer carry.
  void SetDocumentTitle(Text title) { title_ = std::move(title); }
  // The copies each job of this printer asks the print server for.
  void SetCopies(int copies) { copies_ = copies; }
  // Told of every document this printer delivers.
  void SetDeliveryListener(std::function<void(const DeliveredDocument&)> listener) {
    listener_ = std::move(listener);
  }
  const std::optional<DeliveredDocument>& LastDelivered() const { return lastDelivered_; }

 private:
  qt::PaintTarget PainterForMark();
  void StartPage();
  // Completes the open part of the document (its pages so far) and keeps it for EndDoc.
  void FinishPart();
  void ResizeDevice(double widthPx, double heightPx) override { device_.Resize(widthPx, heightPx); }
  JobAttributes CurrentAttributes() const;

  std::unique_ptr<PrinterOutput> output_;
  QtPrinterDevice device_;
  Text title_ = u"Vant3";
  int copies_ = 1;
  // The open document: the part being painted, after the parts completed before it. An
  // output that takes one setting per delivery gets a new part wherever a page's settings
  // differ from the page before; any other output gets the whole document as one part.
  std::unique_ptr<PdfDocument> document_;
  std::vector<PrintedDocument> finishedParts_;
  // The painter of the page receiving marks (owned by document_) and its printable corner.
  std::optional<qt::PaintTarget> openPage_;
  JobAttributes documentAttributes_;  // the settings of the part being painted
  uint64_t documentsOpened_ = 0;
  std::optional<DeliveredDocument> lastDelivered_;
  std::function<void(const DeliveredDocument&)> listener_;
};

}  // namespace vant::printing
