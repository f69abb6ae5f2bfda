// Printers that record instead of printing, for `vant check`: each answers every question
// of a run as the installed printer it stands for (the same capabilities, the same
// refusals, the same page geometry, resolution and font metrics as its PagePrinter) and
// starts, ends and abandons its pages and documents as that printer does, but writes what
// it would print into a PrintRecord: nothing is painted, sent or written.
#pragma once

#include <QPainter>

#include <memory>
#include <vector>

#include "engine/platform.h"
#include "platform/printermap/name_lookup.h"
#include "platform/printing/print_record.h"
#include "platform/printing/printer_capabilities.h"
#include "platform/printing/settings_printer.h"
#include "platform/qt/qt_painter_device.h"

namespace vant::printing {

class RecordingPrinter;

// The printer's drawing: the marks Qt would paint, written down. Whether a mark reaches the
// page (and so starts one) is decided by the painter device printing uses, which asks for
// its painter only for a mark it paints; the painter here paints nowhere.
class RecordingDevice final : public qt::QtPainterDevice {
 public:
  RecordingDevice(RecordingPrinter& printer, double dpiX, double dpiY);
  ~RecordingDevice() override;
  RecordingDevice(const RecordingDevice&) = delete;
  RecordingDevice& operator=(const RecordingDevice&) = delete;

  void FillRect(double x, double y, double w, double h, Rgb colour) override;
  void StrokeLine(double x1, double y1, double x2, double y2, const Pen& pen) override;
  void StrokeRect(double x1, double y1, double x2, double y2, const Pen& pen) override;
  void StrokeEllipse(double cx, double cy, double rx, double ry, const Pen& pen) override;
  void DrawText(double x, double y, TextView line, const FontSpec& font, Rgb colour) override;

  void Resize(double widthPx, double heightPx) { SetSize(widthPx, heightPx); }

 protected:
  qt::PaintTarget Painter() override;

 private:
  // Records the mark with the extent given; paint runs the painting printing would do.
  template <class Paint>
  void Record(MarkKind kind, PixelBox extent, Paint&& paint, const FontSpec* font = nullptr, TextView text = {});

  RecordingPrinter& printer_;
  struct Nowhere;
  std::unique_ptr<Nowhere> nowhere_;  // the paint device the painter is active on
  QPainter painter_;
  bool painted_ = false;  // whether the mark being recorded asked for the painter
};

class RecordingPrinter final : public SettingsPrinter {
 public:
  RecordingPrinter(PrinterCapabilities capabilities, PrintRecord& record);

  // As the PagePrinter: a page starts with its first painted mark (or a page break), the
  // page break ends it (blank when nothing was painted), the end of the document records
  // the document (nothing when none is open), and an abandoned document leaves no trace.
  void NewPage() override;
  void EndDoc() override;
  void KillDoc() override;
  uint64_t OpenDocumentId() const override { return open_ ? documentsOpened_ : 0; }

  bool HasOpenDocument() const { return open_; }

  using SettingsPrinter::Settings;
  PrintRecord& Record() { return record_; }

 private:
  friend class RecordingDevice;
  void StartPage();
  void ResizeDevice(double widthPx, double heightPx) override { device_.Resize(widthPx, heightPx); }

  PrintRecord& record_;
  RecordingDevice device_;
  bool open_ = false;       // a document is open
  bool pageOpen_ = false;   // a page receives marks
  RecordedDocument document_;
  uint64_t documentsOpened_ = 0;
};

// The installed printers as recording printers, in the same order with the same one
// current, all writing into one record.
class RecordingPrinters final : public InstalledPrinters {
 public:
  // map: the printer map the names are looked up in, as printing's.
  RecordingPrinters(const std::vector<PrinterCapabilities>& printers, int current, PrintRecord& record,
                    const printermap::PrinterMap& map);

  int Count() const override { return static_cast<int>(printers_.size()); }
  Printer& At(int index) override { return Recording(index); }
  int CurrentIndex() const override { return current_; }
  // As the printer list: a printer that becomes current with no document open starts
  // from its defaults.
  void MakeCurrent(int index) override;
  // The map's entry for the name, else the printer it describes, as printing finds them.
  int ReachedByName(TextView name) override;
  // As printing, and written into the record.
  UnknownPrinter NamedNoPrinter(TextView name) override;

  RecordingPrinter& Recording(int index);
  // Ends every document still open, as printing does when the program ends.
  void EndOpenDocuments();

 private:
  std::vector<std::unique_ptr<RecordingPrinter>> printers_;
  int current_ = 0;
  PrintRecord& record_;
  const printermap::PrinterMap& map_;
  std::vector<printermap::PrinterNames> names_;
};

}  // namespace vant::printing
