#include "platform/printing/printer_surface.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "common/failure.h"
#include "engine/papers.h"
#include "platform/printing/device_grid.h"
#include "platform/printing/printer_choices.h"

namespace vant::printing {

PagePrinter::PagePrinter(PrinterCapabilities capabilities, std::unique_ptr<PrinterOutput> output)
    : SettingsPrinter(device_, std::move(capabilities)),
      output_(std::move(output)),
      device_(Capabilities().dpiX, Capabilities().dpiY, 1, 1,
              [this] { return PainterForMark(); }) {
  if (!output_) throw std::invalid_argument("PagePrinter needs an output");
  ResetToDefaults();
}

namespace {

// What the job carries for the setting's code: its value row's IPP enum or keyword, or the
// queue's own keyword for it; nothing when the printer does not take the code and the row
// sends only what is taken, else the first value row's (the portrait orientation).
std::optional<std::string> JobValueOf(const PrinterSettingRow& row, const PrinterSettings& settings) {
  const int16_t code = settings.Get(row.id);
  if (row.jobValue == JobValueKind::kQueueKeyword) {
    const auto& codes = settings.Capabilities().Choices(row.id).codes;
    if (const auto found = codes.find(code); found != codes.end()) return found->second;
    return std::nullopt;
  }
  const SettingValue* value = RowFor(row.values, code);
  if (row.sentWhenTaken && (value == nullptr || !settings.Takes(row.id, code))) return std::nullopt;
  if (value == nullptr) value = &row.values.front();
  if (row.jobValue == JobValueKind::kEnum) return std::to_string(value->ippEnum);
  return std::string(value->ippKeywords[0]);
}

}  // namespace

JobAttributes PagePrinter::CurrentAttributes() const {
  JobAttributes attributes;
  attributes.media = Settings().Media().server;
  attributes.customMedia = Settings().Media().custom;
  for (const PrinterSettingRow& row : PrinterSettingRows()) {
    if (row.jobValue != JobValueKind::kMedia) attributes.values[IndexOf(row.id)] = JobValueOf(row, Settings());
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
  const PrinterMedia& media = Settings().Media();
  const int16_t orientation = Settings().Get(PrinterSetting::kOrientation);
  const SheetGrid grid = output_->GridFor(media);
  const PagePoint origin = PrintableOrigin(grid.media, orientation, caps.dpiX, caps.dpiY, grid.anchor);
  // A driver fed the server's raster may have it from Ghostscript (dots from the printable
  // corner) or from poppler (from the sheet's): edges are laid for both. A page read as it
  // is may be rasterised at any density: its edges stay on the dot boundaries.
  const PagePoint sheet = PrintableOrigin(grid.media, orientation, caps.dpiX, caps.dpiY, GridAnchor::kSheetCorner);
  const auto further = [](double other, double own) { return other - own - std::floor(other - own); };
  device_.SetGrid(grid.anchor != GridAnchor::kPageCorner, further(sheet.xPx, origin.xPx), further(sheet.yPx, origin.yPx));
  PdfPageLayout layout;
  layout.sheetWidthMm = media.sheet.widthMm;
  layout.sheetHeightMm = media.sheet.heightMm;
  layout.landscape = orientation == kLandscape;
  layout.offsetXPx = origin.xPx;
  layout.offsetYPx = origin.yPx;
  layout.printableWidthPx = px.horzRes;
  layout.printableHeightPx = px.vertRes;
  openPage_.emplace(document_->StartPage(layout));
}

void PagePrinter::FinishPart() {
  std::unique_ptr<PdfDocument> document = std::move(document_);
  openPage_.reset();
  PrintedDocument part;
  part.printer = Settings().Capabilities().name;
  part.title = title_;
  part.copies = copies_;
  part.pages = document->PageCount();
  part.pdf = document->Finish();
  part.attributes = documentAttributes_;
  finishedParts_.push_back(std::move(part));
}

qt::PaintTarget PagePrinter::PainterForMark() {
  if (!openPage_) StartPage();
  return *openPage_;
}

void PagePrinter::NewPage() {
  if (!openPage_) StartPage();  // a page with no mark is ended blank
  openPage_.reset();
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
  openPage_.reset();
  document_.reset();
  finishedParts_.clear();
  ResetPosition();
}

}  // namespace vant::printing
