// A printing run allocates nothing per method: the command lookup, the setup keywords, the
// numbers, flags and texts of the arguments and the surface's drawing steps all work in
// place, and a stop message is built only when a run stops. This executable counts every
// allocation (operator new is replaced here) while RunMethods prints a list on printers
// whose device paints nowhere, and finds as many for one block of methods as for ten.
// Barcodes are left out: encoding a symbol makes its module string.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "draw/method_commands.h"
#include "engine/run_driver.h"
#include "engine/surface.h"
#include "fake_platform.h"
#include "run_fixture.h"

namespace {

bool counting = false;
long allocations = 0;

void* Allocate(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace vant {
namespace {

// A device that paints nowhere and measures every character 10 pixels wide.
class NowhereDevice final : public PaintDevice {
 public:
  double DpiX() const override { return 600; }
  double DpiY() const override { return 600; }
  double WidthPx() const override { return 4960; }
  double HeightPx() const override { return 7016; }
  void FillRect(double, double, double, double, Rgb) override { ++painted; }
  void StrokeLine(double, double, double, double, const Pen&) override { ++painted; }
  void StrokeRect(double, double, double, double, const Pen&) override { ++painted; }
  void StrokeEllipse(double, double, double, double, const Pen&) override { ++painted; }
  void DrawText(double, double, TextView, const FontSpec&, Rgb) override { ++painted; }
  TextExtent MeasureText(TextView line, const FontSpec& font) override {
    return {10.0 * static_cast<double>(line.size()), 1.25 * font.pixelHeight};
  }
  long painted = 0;
};

// A printer that takes every setting and paints nowhere.
class NowherePrinter final : public Surface, public Printer {
 public:
  explicit NowherePrinter(const char16_t* name) : Surface(device), name_(name) {
    ResetState(kScaleTwips, FontSpec{u"ＭＳ Ｐゴシック", 12, false, false}, 10);
  }
  Text DeviceName() const override { return Text(name_); }
  void Set(PrinterSetting setting, int16_t code) override { settings_[IndexOf(setting)] = code; }
  int16_t Get(PrinterSetting setting) const override { return settings_[IndexOf(setting)]; }
  void NewPage() override { ++pages; }
  void EndDoc() override { ++documents; }
  void KillDoc() override {}
  uint64_t OpenDocumentId() const override { return 0; }
  int32_t DeviceCaps(int index) const override { return index == kVertRes || index == kPhysicalHeight ? 7016 : 4960; }

  NowhereDevice device;
  int pages = 0;
  int documents = 0;

 private:
  const char16_t* name_;  // short enough to be held without an allocation
  // A4, portrait, bin 7 (auto), medium quality, colour: in the order of the settings.
  PrinterSettingCodes settings_{9, 1, 7, -3, 2};
};

class NowherePrinters final : public InstalledPrinters {
 public:
  int Count() const override { return 2; }
  Printer& At(int index) override { return index == 0 ? office : label; }
  int CurrentIndex() const override { return current_; }
  void MakeCurrent(int index) override { current_ = index; }

  NowherePrinter office{u"Office"};
  NowherePrinter label{u"Label"};

 private:
  int current_ = 0;
};

// Every command but the barcodes, with arguments of every kind: long texts and font names,
// numbers of many digits, hexadecimal colours, keywords in capitals, a text of two lines.
// Every value is one the printer takes: a value it refuses is reported by a failure, which
// is allocated like any exception.
const std::vector<Text> kBlock = {
    u"PaperSize,VBPRPSA4",
    u"orientation,prorlandscape",
    u"ScaleMode,vbMillimeters",
    u"printquality,vbprpqhigh",
    u"paperbin,2",
    u"colormode,vbprcmmonochrome",
    u"prntext,20.1234567,30.5,請求書 No.12345 御中 合計金額 1,,234,,567円,ＭＳ Ｐゴシック Bold "
    u"Face,12.25,TRUE,false,&HFF",
    u"PRNTEXTOUT,120.000001,  45.75 ,first line\r\nsecond line of the text,Very Long Font Family "
    u"Name,9,false,True,16711680",
    u"prnbox,10.25,10.5,150.75,20.125,2,DashDotDot,255",
    u"prnline,10.25,30.123456789,150.75,30.123456789,1,insidesolid,65280",
    u"prncircle,100.5,100.5,10,3,DOT,&HFF0000",
    u"changeprinterdriver,Label",
    u"changeprinter, Office ",
    u"newpage",
};

// The two printers, and the rest of what a run is given.
struct NowherePlatform {
  NowherePrinters printers;
  PrinterObject printer{printers};
  test::RecordingMessages messages;
  test::FakePointer pointer;
  ModuleState state;
  Platform platform{printer, messages, pointer, state};

  // Prints the lines from the first; returns the allocations the run made.
  long CountedRun(const std::vector<Text>& lines) {
    test::LoadMethods(state, lines);
    state.engine.nextMethod = 0;
    allocations = 0;
    counting = true;
    result = RunMethods(platform, printer, 0, MethodCommands());
    counting = false;
    return allocations;
  }
  int16_t result = kRunStopped;
};

struct Counted {
  long allocations;
  int pages;
};

Counted PrintBlocks(int blocks) {
  std::vector<Text> lines;
  for (int b = 0; b < blocks; ++b) lines.insert(lines.end(), kBlock.begin(), kBlock.end());
  lines.push_back(u"enddoc");
  NowherePlatform nowhere;
  const long counted = nowhere.CountedRun(lines);
  EXPECT_EQ(nowhere.result, kRunCompleted);
  const auto& shown = nowhere.messages.shown;
  EXPECT_TRUE(shown.empty()) << (shown.empty() ? "" : ToUtf8(shown[0].text));
  EXPECT_GT(nowhere.printers.office.device.painted, 0);
  EXPECT_EQ(nowhere.printers.office.documents, 1);
  return {counted, nowhere.printers.office.pages};
}

TEST(RunAllocations, NoneForEachMethod) {
  const Counted one = PrintBlocks(1);
  const Counted ten = PrintBlocks(10);
  EXPECT_EQ(one.pages, 1);
  EXPECT_EQ(ten.pages, 10);
  // What the run allocates once (the documents open when it began) does not grow with the
  // list: 14 methods more or 140, the same count.
  EXPECT_EQ(ten.allocations, one.allocations) << "one block: " << one.allocations;
  RecordProperty("allocations_per_run", static_cast<int>(one.allocations));
}

TEST(RunAllocations, TheCountSeesAnAllocationPerMethodWhereThereIsOne) {
  // The check itself: a list whose methods each allocate (a stop message is built, a
  // barcode encoded) is counted.
  NowherePlatform nowhere;
  const auto barcodes = [](size_t count) {
    return std::vector<Text>(count, u"prnjan13,10,10,490123456789,40,15,true");
  };
  EXPECT_GT(nowhere.CountedRun(barcodes(10)), nowhere.CountedRun(barcodes(1)));
  EXPECT_EQ(nowhere.result, kRunCompleted);
}

}  // namespace
}  // namespace vant
