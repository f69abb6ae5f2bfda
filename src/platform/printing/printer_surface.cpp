#include "platform/printing/printer_surface.h"

#include <utility>

#include "common/failure.h"
#include "engine/papers.h"
#include "platform/printing/printer_choices.h"

namespace vant::printing {

PagePrinter::PagePrinter(PrinterCapabilities capabilities, std::unique_ptr<PrinterOutput> output)
    : SettingsPrinter(device_, std::move(capabilities)),
      output_(std::move(output)),
      device_(Capabilities().dpiX, Capabilities().dpiY, 1, 1,
              [this]() -> QPainter& { return PainterForMark(); }) {
  if (!output_) throw std::invalid_argument("PagePrinter needs an output");
  ResetToDefaults();
}

JobAttributes PagePrinter::CurrentAttributes() const {
  const PrinterCapabilities& caps = Settings().Capabilities();
  JobAttributes attributes;
  attributes.media = Settings().Media().keyword;
  attributes.orientation = IppOrientation(Settings().Orientation()).value_or(kIppPortrait);
  if (caps.qualities.contains(Settings().PrintQuality())) attributes.quality = IppQuality(Settings().PrintQuality());
  if (const auto bin = caps.bins.find(Settings().PaperBin()); bin != caps.bins.end()) {
    attributes.mediaSource = bin->second;
  }
  if (caps.colourModes.contains(Settings().ColorMode())) {
    if (const auto mode = IppColorMode(Settings().ColorMode())) attributes.colorMode = std::string(*mode);
  }
  return attributes;
}

void PagePrinter::StartPage() {
  const JobAttributes attributes = CurrentAttributes();
  if (document_ && output_->OneSettingPerDelivery() && attributes != documentAttributes_) {
    // The page's settings differ from the pages before it: they go on as the next part.
    try {
      FinishPart();
    } catch (...) {
      KillDoc();  // a document missing its first part must not reach the printer
      throw;
    }
  }
  const PrinterCapabilities& caps = Settings().Capabilities();
  if (!document_) {
    document_ = std::make_unique<PdfDocument>(caps.dpiX, caps.dpiY, title_);
    documentAttributes_ = attributes;
    if (finishedParts_.empty()) ++documentsOpened_;
  }
  const DevicePage px = Settings().Pixels();
  PdfPageLayout layout;
  layout.sheetWidthMm = Settings().Media().widthMm;
  layout.sheetHeightMm = Settings().Media().heightMm;
  layout.landscape = Settings().Orientation() == kLandscape;
  layout.offsetXPx = px.offsetX;
  layout.offsetYPx = px.offsetY;
  layout.printableWidthPx = px.horzRes;
  layout.printableHeightPx = px.vertRes;
  openPage_ = &document_->StartPage(layout);
}

void PagePrinter::FinishPart() {
  std::unique_ptr<PdfDocument> document = std::move(document_);
  openPage_ = nullptr;
  PrintedDocument part;
  part.printer = Settings().Capabilities().name;
  part.title = title_;
  part.copies = copies_;
  part.pages = document->PageCount();
  part.pdf = document->Finish();
  part.attributes = documentAttributes_;
  finishedParts_.push_back(std::move(part));
}

QPainter& PagePrinter::PainterForMark() {
  if (openPage_ == nullptr) StartPage();
  return *openPage_;
}

void PagePrinter::NewPage() {
  if (openPage_ == nullptr) StartPage();  // a page with no mark is ended blank
  openPage_ = nullptr;
  ResetPosition();
}

void PagePrinter::EndDoc() {
  if (!document_) return;
  // The document is taken out first: whatever the output answers, it is not open any more.
  std::vector<PrintedDocument> parts;
  try {
    FinishPart();
    parts = std::move(finishedParts_);
  } catch (...) {
    KillDoc();
    throw;
  }
  finishedParts_.clear();
  ResetPosition();
  lastDelivered_ = parts.size() == 1 ? output_->Deliver(parts.front()) : output_->DeliverParts(parts);
  if (listener_) listener_(*lastDelivered_);
}

void PagePrinter::KillDoc() {
  openPage_ = nullptr;
  document_.reset();
  finishedParts_.clear();
  ResetPosition();
}

}  // namespace vant::printing
