// Fakes for the core's tests: printers that record what they are asked to draw and
// set, message boxes that record what they would show, and a mouse pointer.
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/printer_object.h"
#include "recording_device.h"

namespace vant::test {

struct PrinterSpec {
  Text name = u"Office";
  double dpi = 600;
  // Unprintable strips, millimetres.
  double marginLeftMm = 0, marginTopMm = 0, marginRightMm = 0, marginBottomMm = 0;
  int16_t defaultPaper = 9;                 // A4
  std::set<int16_t> papers{1, 5, 8, 9, 11, 12, 13, 256};
  std::set<int16_t> bins{1, 2, 7};
  std::set<int16_t> qualities{-1, -2, -3, -4};
  bool colour = true;
  // A sheet of its own instead of the paper code's (portrait millimetres).
  std::optional<double> sheetWidthMm{}, sheetHeightMm{};
};

// A printer whose drawing goes to a RecordingDevice of its printable area and whose
// settings and paging are logged as events ("papersize=9", "newpage", "enddoc", ...).
class RecordingPrinter : public Surface, public Printer {
 public:
  explicit RecordingPrinter(PrinterSpec spec);

  Text DeviceName() const override { return spec_.name; }
  // Each setting refused as its printer would, and its change kept in the events.
  void Set(PrinterSetting setting, int16_t code) override;
  int16_t Get(PrinterSetting setting) const override;
  void NewPage() override;
  void EndDoc() override;
  void KillDoc() override;
  // Open from the first mark or page break until the end or kill; each document its own id.
  uint64_t OpenDocumentId() const override {
    return docOpen || !device_.marks.empty() ? documentsClosed_ + 1 : 0;
  }
  int32_t DeviceCaps(int index) const override;

  // Back to the defaults, as a printer that becomes current with no open document.
  void Reset();

  RecordingDevice& Marks() { return device_; }
  std::vector<std::string> events;
  // Marks of the pages ended by NewPage/EndDoc, in order; the open page is Marks().
  std::vector<std::vector<Mark>> pages;
  bool docOpen = false;

 private:
  void Relayout();
  double SheetWidthMm() const;
  double SheetHeightMm() const;

  PrinterSpec spec_;
  RecordingDevice device_;
  int16_t paperSize_;
  int16_t orientation_ = 1;
  int16_t quality_ = -3;
  int16_t bin_ = 7;
  int16_t colorMode_ = 2;
  uint64_t documentsClosed_ = 0;
};

class FakePrinters final : public InstalledPrinters {
 public:
  explicit FakePrinters(std::vector<PrinterSpec> specs);
  int Count() const override { return static_cast<int>(printers_.size()); }
  Printer& At(int index) override;
  int CurrentIndex() const override { return current_; }
  void MakeCurrent(int index) override;
  // The printers' other names (a map's, a description) and what an unknown name does.
  int ReachedByName(TextView name) override;
  UnknownPrinter NamedNoPrinter(TextView name) override;

  RecordingPrinter& Recording(int index) { return *printers_.at(index); }

  std::vector<std::pair<Text, int>> otherNames;  // name -> printer, compared exactly
  UnknownPrinter unknown = UnknownPrinter::kCurrent;
  std::vector<Text> namedNone;  // every name an unknown choice gave, in order

 private:
  std::vector<std::unique_ptr<RecordingPrinter>> printers_;
  int current_ = 0;
};

struct ShownMessage {
  Text text;
  MessageIcon icon;
  Text title;
};

class RecordingMessages final : public MessageBoxes {
 public:
  void Show(const Text& text, MessageIcon icon, const Text& title) override {
    shown.push_back({text, icon, title});
  }
  std::vector<ShownMessage> shown;
};

class FakePointer final : public MousePointer {
 public:
  void Set(int16_t code) override { history.push_back(code); }
  int16_t Get() const override { return history.empty() ? 0 : history.back(); }
  std::vector<int16_t> history;
};

// A platform with the given printers (by default one A4 office printer at 600 dpi), and a
// module state of its own.
struct FakePlatform {
  explicit FakePlatform(std::vector<PrinterSpec> specs = {PrinterSpec{}});

  FakePrinters printers;
  PrinterObject printer{printers};
  RecordingMessages messages;
  FakePointer pointer;
  ModuleState state;  // the module state of a newly loaded library
  Platform platform{printer, messages, pointer, state};

  RecordingPrinter& Current() { return printers.Recording(printers.CurrentIndex()); }
};

// A picture box over a recording device at the screen's 96 dpi.
struct RecordingPicture {
  explicit RecordingPicture(double widthPx = 100, double heightPx = 100)
      : device(96, 96, widthPx, heightPx), picture(device) {}
  RecordingDevice device;
  PictureSurface picture;
};

}  // namespace vant::test
