#include "platform/printing/printer_surface.h"

#include <cmath>
#include <utility>

#include "common/failure.h"
#include "engine/papers.h"
#include "platform/printing/device_grid.h"
#include "platform/printing/printer_choices.h"

namespace vant::printing {

PagePrinter::PagePrinter(PrinterCapabilities capabilities, std::unique_ptr<PrinterOutput> output)
    : Surface(device_),
      caps_(std::move(capabilities)),
      output_(std::move(output)),
      device_(caps_.dpiX, caps_.dpiY, 1, 1, [this]() -> QPainter& { return PainterForMark(); }) {
  if (!output_) throw std::invalid_argument("PagePrinter needs an output");
  ResetToDefaults();
}

void PagePrinter::ResetToDefaults() {
  paperSize_ = caps_.defaultPaper;
  media_ = caps_.defaultMedia;
  orientation_ = kPortrait;
  quality_ = caps_.defaultQuality;
  bin_ = caps_.defaultBin;
  colour_ = caps_.defaultColour;
  Relayout();
  ResetState(kScaleTwips, FontSpec{Text(kPrinterFontName), 1, false, false}, kPrinterFontPoints);
}

PageGeometry PagePrinter::Geometry() const { return OrientedPage(media_, orientation_); }

void PagePrinter::Relayout() {
  const DevicePage px = DevicePixels(Geometry(), caps_.dpiX, caps_.dpiY);
  device_.Resize(px.horzRes, px.vertRes);
}

void PagePrinter::SetPaperSize(int16_t code) {
  if (code == kPaperUser) {
    // The user-defined size keeps the sheet in force.
    paperSize_ = code;
    return;
  }
  const auto found = caps_.papers.find(code);
  if (found == caps_.papers.end()) {
    throw Failure(UnsupportedText(caps_.name, Setting::kPaperSize, code));
  }
  paperSize_ = code;
  media_ = found->second;
  Relayout();
}

void PagePrinter::SetOrientation(int16_t code) {
  if (!caps_.orientations.contains(code)) {
    throw Failure(UnsupportedText(caps_.name, Setting::kOrientation, code));
  }
  orientation_ = code;
  Relayout();
}

void PagePrinter::SetPrintQuality(int16_t code) {
  if (!caps_.qualities.contains(code)) {
    throw Failure(UnsupportedText(caps_.name, Setting::kPrintQuality, code));
  }
  quality_ = code;
}

void PagePrinter::SetPaperBin(int16_t code) {
  if (code != kBinAuto.code && !caps_.bins.contains(code)) {
    throw Failure(UnsupportedText(caps_.name, Setting::kPaperBin, code));
  }
  bin_ = code;
}

void PagePrinter::SetColorMode(int16_t code) {
  if (!caps_.colourModes.contains(code)) {
    throw Failure(UnsupportedText(caps_.name, Setting::kColorMode, code));
  }
  colour_ = code;
}

JobAttributes PagePrinter::CurrentAttributes() const {
  JobAttributes attributes;
  attributes.media = media_.server;
  attributes.customMedia = media_.custom;
  const SettingValue* orientation = RowFor(kOrientations, orientation_);
  attributes.orientation = (orientation != nullptr ? *orientation : kOrientationPortrait).ippEnum;
  if (const SettingValue* quality = RowFor(kPrintQualities, quality_); quality != nullptr && caps_.qualities.contains(quality_)) {
    attributes.quality = quality->ippEnum;
  }
  if (const auto bin = caps_.bins.find(bin_); bin != caps_.bins.end()) {
    attributes.mediaSource = bin->second;
  }
  if (const SettingValue* mode = RowFor(kColourModes, colour_); mode != nullptr && caps_.colourModes.contains(colour_)) {
    attributes.colorMode = std::string(mode->ippKeywords[0]);
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
  if (!document_) {
    document_ = std::make_unique<PdfDocument>(caps_.dpiX, caps_.dpiY, title_);
    documentAttributes_ = attributes;
    if (finishedParts_.empty()) ++documentsOpened_;
  }
  const PageGeometry page = Geometry();
  const DevicePage px = DevicePixels(page, caps_.dpiX, caps_.dpiY);
  const SheetGrid grid = output_->GridFor(media_);
  const PagePoint origin = PrintableOrigin(grid.media, orientation_, caps_.dpiX, caps_.dpiY, grid.anchor);
  // A driver fed the server's raster may have it from Ghostscript (dots from the printable
  // corner) or from poppler (from the sheet's): edges are laid for both. A page read as it
  // is may be rasterised at any density: its edges stay on the dot boundaries.
  const PagePoint sheet = PrintableOrigin(grid.media, orientation_, caps_.dpiX, caps_.dpiY, GridAnchor::kSheetCorner);
  const auto further = [](double other, double own) { return other - own - std::floor(other - own); };
  device_.SetGrid(grid.anchor != GridAnchor::kPageCorner, further(sheet.xPx, origin.xPx), further(sheet.yPx, origin.yPx));
  PdfPageLayout layout;
  layout.sheetWidthMm = media_.widthMm;
  layout.sheetHeightMm = media_.heightMm;
  layout.landscape = orientation_ == kLandscape;
  layout.offsetXPx = origin.xPx;
  layout.offsetYPx = origin.yPx;
  layout.printableWidthPx = px.horzRes;
  layout.printableHeightPx = px.vertRes;
  openPage_ = &document_->StartPage(layout);
}

void PagePrinter::FinishPart() {
  std::unique_ptr<PdfDocument> document = std::move(document_);
  openPage_ = nullptr;
  PrintedDocument part;
  part.printer = caps_.name;
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

int32_t PagePrinter::DeviceCaps(int index) const {
  const DevicePage px = DevicePixels(Geometry(), caps_.dpiX, caps_.dpiY);
  switch (index) {
    case kHorzRes: return px.horzRes;
    case kVertRes: return px.vertRes;
    case kPhysicalWidth: return px.physicalWidth;
    case kPhysicalHeight: return px.physicalHeight;
    case kPhysicalOffsetX: return px.offsetX;
    case kPhysicalOffsetY: return px.offsetY;
    default: throw Failure::InvalidPropertyValue();
  }
}

}  // namespace vant::printing
