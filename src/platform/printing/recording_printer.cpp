#include "platform/printing/recording_printer.h"

#include <QPaintDevice>
#include <QPaintEngine>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "common/failure.h"
#include "engine/papers.h"
#include "platform/printing/printer_surface.h"
#include "platform/qt/dot_edges.h"

namespace vant::printing {
namespace {

// A paint engine that takes every drawing and keeps none of it. It claims every feature, so
// that Qt hands it the drawing as it is instead of emulating anything.
class NowhereEngine final : public QPaintEngine {
 public:
  NowhereEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawRects(const QRect*, int) override {}
  void drawRects(const QRectF*, int) override {}
  void drawLines(const QLine*, int) override {}
  void drawLines(const QLineF*, int) override {}
  void drawEllipse(const QRectF&) override {}
  void drawEllipse(const QRect&) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPoints(const QPointF*, int) override {}
  void drawPoints(const QPoint*, int) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawTextItem(const QPointF&, const QTextItem&) override {}
  void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
  void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
  Type type() const override { return QPaintEngine::User; }
};

// How far the pen reaches on each side of the line a stroke is centred on: strokes are
// centred on the pixel a coordinate names (qt_painter_device.h), a pen at least one pixel.
constexpr double kPixelCentre = 0.5;
double HalfPen(const Pen& pen) { return std::max(1.0, pen.width) / 2; }

}  // namespace

// The device the painter is active on: the printer's resolution, and room for any page.
struct RecordingDevice::Nowhere final : public QPaintDevice {
  Nowhere(double dpiX, double dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}
  ~Nowhere() override = default;
  QPaintEngine* paintEngine() const override { return &engine_; }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    constexpr int kRoom = 1 << 24;  // pixels: larger than any sheet at any resolution
    switch (metric) {
      case PdmWidth:
      case PdmHeight: return kRoom;
      case PdmWidthMM: return static_cast<int>(kRoom / dpiX_ * kInch);
      case PdmHeightMM: return static_cast<int>(kRoom / dpiY_ * kInch);
      case PdmNumColors: return 0x7fffffff;
      case PdmDepth: return 32;
      case PdmDpiX:
      case PdmPhysicalDpiX: return static_cast<int>(dpiX_);
      case PdmDpiY:
      case PdmPhysicalDpiY: return static_cast<int>(dpiY_);
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    }
    return 0;
  }

 private:
  double dpiX_, dpiY_;
  mutable NowhereEngine engine_;
};

RecordingDevice::RecordingDevice(RecordingPrinter& printer, double dpiX, double dpiY)
    : QtPainterDevice(dpiX, dpiY, 1, 1), printer_(printer), nowhere_(std::make_unique<Nowhere>(dpiX, dpiY)) {
  if (!painter_.begin(nowhere_.get())) throw std::runtime_error("the recording painter cannot start");
}

RecordingDevice::~RecordingDevice() { painter_.end(); }

qt::PaintTarget RecordingDevice::Painter() {
  painted_ = true;
  if (!printer_.pageOpen_) printer_.StartPage();
  return {painter_, QPointF(0, 0)};
}

template <class Paint>
void RecordingDevice::Record(MarkKind kind, PixelBox extent, Paint&& paint, const FontSpec* font, TextView text) {
  painted_ = false;
  paint();
  const DevicePage px = printer_.Settings().Pixels();
  const PrinterCapabilities& caps = printer_.Settings().Capabilities();
  RecordedMark mark;
  mark.kind = kind;
  mark.method = printer_.record_.method;
  mark.extent = extent;
  mark.sheet = {-static_cast<double>(px.offsetX), -static_cast<double>(px.offsetY),
                static_cast<double>(px.physicalWidth - px.offsetX), static_cast<double>(px.physicalHeight - px.offsetY)};
  mark.printable = {0, 0, WidthPx(), HeightPx()};
  mark.dotsPerMmX = caps.dpiX / kInch;
  mark.dotsPerMmY = caps.dpiY / kInch;
  mark.painted = painted_;
  if (font != nullptr) mark.font = *font;
  mark.text = Text(text);
  printer_.record_.marks.push_back(std::move(mark));
}

namespace {

// What a line or a rectangle outline between two corners covers, as the painter lays it
// (qt_painter_device.cpp): along the grid, the band of whole dots the pen's width names
// (qt::StrokeCentre), half the width beyond each end; any other line through the pixel
// centres its ends name. Half the pen's width either side.
PixelBox StrokedExtent(double x1, double y1, double x2, double y2, const Pen& pen, bool alongGrid) {
  const double half = HalfPen(pen);
  const auto centre = [&](double v) { return alongGrid ? qt::StrokeCentre(v, 2 * half) : v + kPixelCentre; };
  return {centre(std::min(x1, x2)) - half, centre(std::min(y1, y2)) - half, centre(std::max(x1, x2)) + half,
          centre(std::max(y1, y2)) + half};
}

}  // namespace

void RecordingDevice::FillRect(double x, double y, double w, double h, Rgb colour) {
  Record(MarkKind::kFill, {x, y, x + w, y + h}, [&] { QtPainterDevice::FillRect(x, y, w, h, colour); });
}

void RecordingDevice::StrokeLine(double x1, double y1, double x2, double y2, const Pen& pen) {
  const bool alongGrid = x1 == x2 || y1 == y2;
  Record(MarkKind::kLine, StrokedExtent(x1, y1, x2, y2, pen, alongGrid), [&] { QtPainterDevice::StrokeLine(x1, y1, x2, y2, pen); });
}

void RecordingDevice::StrokeRect(double x1, double y1, double x2, double y2, const Pen& pen) {
  Record(MarkKind::kBox, StrokedExtent(x1, y1, x2, y2, pen, /*alongGrid=*/true), [&] { QtPainterDevice::StrokeRect(x1, y1, x2, y2, pen); });
}

void RecordingDevice::StrokeEllipse(double cx, double cy, double rx, double ry, const Pen& pen) {
  const double half = HalfPen(pen);
  Record(MarkKind::kEllipse,
         {cx + kPixelCentre - rx - half, cy + kPixelCentre - ry - half, cx + kPixelCentre + rx + half,
          cy + kPixelCentre + ry + half},
         [&] { QtPainterDevice::StrokeEllipse(cx, cy, rx, ry, pen); });
}

void RecordingDevice::DrawText(double x, double y, TextView line, const FontSpec& font, Rgb colour) {
  const TextExtent size = MeasureText(line, font);
  Record(MarkKind::kText, {x, y, x + size.width, y + size.height},
         [&] { QtPainterDevice::DrawText(x, y, line, font, colour); }, &font, line);
}

RecordingPrinter::RecordingPrinter(PrinterCapabilities capabilities, PrintRecord& record)
    : SettingsPrinter(device_, std::move(capabilities)),
      record_(record),
      device_(*this, Capabilities().dpiX, Capabilities().dpiY) {
  ResetToDefaults();
}

void RecordingPrinter::StartPage() {
  if (!open_) {
    open_ = true;
    ++documentsOpened_;
    document_ = RecordedDocument{DeviceName(), {}};
  }
  document_.pages.push_back({Settings().Codes(), Settings().Media()});
  pageOpen_ = true;
}

void RecordingPrinter::NewPage() {
  if (!pageOpen_) StartPage();  // a page with no mark is ended blank
  pageOpen_ = false;
  ResetPosition();
}

void RecordingPrinter::EndDoc() {
  if (!open_) return;
  record_.documents.push_back(std::move(document_));
  document_ = {};
  open_ = false;
  pageOpen_ = false;
  ResetPosition();
}

void RecordingPrinter::KillDoc() {
  document_ = {};
  open_ = false;
  pageOpen_ = false;
  ResetPosition();
}

RecordingPrinters::RecordingPrinters(const std::vector<PrinterCapabilities>& printers, int current,
                                     PrintRecord& record, const printermap::PrinterMap& map)
    : current_(current), record_(record), map_(map) {
  for (const PrinterCapabilities& caps : printers) {
    printers_.push_back(std::make_unique<RecordingPrinter>(caps, record));
    names_.push_back({caps.name, caps.description});
  }
  if (current < 0 || current >= Count()) throw std::invalid_argument("no current printer among the printers");
}

RecordingPrinter& RecordingPrinters::Recording(int index) {
  if (index < 0 || index >= Count()) throw Failure::IndexOutOfRange();
  return *printers_[static_cast<size_t>(index)];
}

void RecordingPrinters::MakeCurrent(int index) {
  RecordingPrinter& printer = Recording(index);
  if (index != current_ && !printer.HasOpenDocument()) printer.ResetToDefaults();
  current_ = index;
}

int RecordingPrinters::ReachedByName(TextView name) { return printermap::FindByOtherName(map_, names_, name); }

UnknownPrinter RecordingPrinters::NamedNoPrinter(TextView name) {
  UnknownPrinterChoice choice{record_.method, Text(name), Recording(current_).DeviceName(), map_.Unknown(), std::nullopt};
  const printermap::MapEntry* entry = nullptr;
  (void)printermap::FindByOtherName(map_, names_, name, &entry);
  if (entry != nullptr) choice.mapEntry = FromUtf8(entry->file) + u":" + DecimalText(entry->line);
  record_.unknownPrinters.push_back(std::move(choice));
  return map_.Unknown();
}

void RecordingPrinters::EndOpenDocuments() {
  for (auto& printer : printers_) {
    if (printer->HasOpenDocument()) printer->EndDoc();
  }
}

}  // namespace vant::printing
