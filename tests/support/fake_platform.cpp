#include "fake_platform.h"

#include <cmath>

#include "common/failure.h"
#include "engine/papers.h"

namespace vant::test {
namespace {

Failure Unsupported(const char* what, int16_t code) {
  return Failure(FromUtf8(std::string("プリンターが対応していない") + what + "です: ") +
                 DecimalText(code));
}

}  // namespace

RecordingPrinter::RecordingPrinter(PrinterSpec spec)
    : Surface(device_),
      spec_(std::move(spec)),
      device_(spec_.dpi, spec_.dpi, 1, 1),
      paperSize_(spec_.defaultPaper) {
  ResetState(kScaleTwips, FontSpec{u"ＭＳ 明朝", 1, false, false}, 10);
  Relayout();
}

void RecordingPrinter::Reset() {
  ResetState(kScaleTwips, FontSpec{u"ＭＳ 明朝", 1, false, false}, 10);
  paperSize_ = spec_.defaultPaper;
  orientation_ = 1;
  Relayout();
}

double RecordingPrinter::SheetWidthMm() const {
  const auto sheet = SheetForCode(paperSize_).value_or(*SheetForCode(spec_.defaultPaper));
  const double w = spec_.sheetWidthMm.value_or(sheet.widthMm);
  const double h = spec_.sheetHeightMm.value_or(sheet.heightMm);
  return orientation_ == kLandscape ? h : w;
}

double RecordingPrinter::SheetHeightMm() const {
  const auto sheet = SheetForCode(paperSize_).value_or(*SheetForCode(spec_.defaultPaper));
  const double w = spec_.sheetWidthMm.value_or(sheet.widthMm);
  const double h = spec_.sheetHeightMm.value_or(sheet.heightMm);
  return orientation_ == kLandscape ? w : h;
}

void RecordingPrinter::Relayout() { device_.Resize(DeviceCaps(kHorzRes), DeviceCaps(kVertRes), Rgb{255, 255, 255}); }

void RecordingPrinter::Set(PrinterSetting setting, int16_t code) {
  switch (setting) {
    case PrinterSetting::kPaperSize:
      if (!spec_.papers.contains(code)) throw Unsupported("用紙サイズ", code);
      paperSize_ = code;
      events.push_back("papersize=" + std::to_string(code));
      Relayout();
      return;
    case PrinterSetting::kOrientation:
      if (code != kPortrait && code != kLandscape) throw Unsupported("印刷の向き", code);
      orientation_ = code;
      events.push_back("orientation=" + std::to_string(code));
      Relayout();
      return;
    case PrinterSetting::kPrintQuality:
      if (!spec_.qualities.contains(code)) throw Unsupported("印刷品質", code);
      quality_ = code;
      events.push_back("printquality=" + std::to_string(code));
      return;
    case PrinterSetting::kPaperBin:
      if (!spec_.bins.contains(code)) throw Unsupported("給紙方法", code);
      bin_ = code;
      events.push_back("paperbin=" + std::to_string(code));
      return;
    case PrinterSetting::kColorMode:
      if (code != kMonochrome && !(code == kColour && spec_.colour)) throw Unsupported("カラーモード", code);
      colorMode_ = code;
      events.push_back("colormode=" + std::to_string(code));
      return;
  }
}

int16_t RecordingPrinter::Get(PrinterSetting setting) const {
  switch (setting) {
    case PrinterSetting::kPaperSize:
      return paperSize_;
    case PrinterSetting::kOrientation:
      return orientation_;
    case PrinterSetting::kPrintQuality:
      return quality_;
    case PrinterSetting::kPaperBin:
      return bin_;
    case PrinterSetting::kColorMode:
      return colorMode_;
  }
  return 0;
}

void RecordingPrinter::NewPage() {
  events.push_back("newpage");
  pages.push_back(device_.marks);
  device_.marks.clear();
  docOpen = true;
}

void RecordingPrinter::EndDoc() {
  events.push_back("enddoc");
  pages.push_back(device_.marks);
  device_.marks.clear();
  docOpen = false;
  ++documentsClosed_;
}

void RecordingPrinter::KillDoc() {
  events.push_back("killdoc");
  device_.marks.clear();
  docOpen = false;
  ++documentsClosed_;
}

int32_t RecordingPrinter::DeviceCaps(int index) const {
  const double perMm = spec_.dpi / kInch;
  const double w = SheetWidthMm(), h = SheetHeightMm();
  switch (index) {
    case kPhysicalWidth: return static_cast<int32_t>(std::lround(w * perMm));
    case kPhysicalHeight: return static_cast<int32_t>(std::lround(h * perMm));
    case kPhysicalOffsetX: return static_cast<int32_t>(std::lround(spec_.marginLeftMm * perMm));
    case kPhysicalOffsetY: return static_cast<int32_t>(std::lround(spec_.marginTopMm * perMm));
    case kHorzRes:
      return static_cast<int32_t>(std::lround((w - spec_.marginLeftMm - spec_.marginRightMm) * perMm));
    case kVertRes:
      return static_cast<int32_t>(std::lround((h - spec_.marginTopMm - spec_.marginBottomMm) * perMm));
    default: throw Failure::InvalidPropertyValue();
  }
}

FakePrinters::FakePrinters(std::vector<PrinterSpec> specs) {
  for (auto& s : specs) printers_.push_back(std::make_unique<RecordingPrinter>(std::move(s)));
}

Printer& FakePrinters::At(int index) {
  if (index < 0 || index >= Count()) throw Failure::IndexOutOfRange();
  return *printers_[index];
}

void FakePrinters::MakeCurrent(int index) {
  if (index < 0 || index >= Count()) throw Failure::IndexOutOfRange();
  if (index != current_ && !printers_[index]->docOpen) printers_[index]->Reset();
  current_ = index;
}

int FakePrinters::ReachedByName(TextView name) {
  for (const auto& [other, index] : otherNames) {
    if (other == name) return index;
  }
  return -1;
}

UnknownPrinter FakePrinters::NamedNoPrinter(TextView name) {
  namedNone.emplace_back(name);
  return unknown;
}

FakePlatform::FakePlatform(std::vector<PrinterSpec> specs) : printers(std::move(specs)) {}

}  // namespace vant::test
