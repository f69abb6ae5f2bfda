// The printers `vant check` runs a page on: each answers as the PagePrinter of the same
// capabilities (settings and their refusals, page geometry, units, font metrics), starts
// and ends pages and documents where that printer does, and writes every mark down in
// printer dots with the method that drew it, painting nothing.
#include "platform/printing/recording_printer.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/failure.h"
#include "platform/printermap/map_text.h"
#include "platform/printing/pdf_printer.h"
#include "platform/printing/printer_surface.h"
#include "printing_fixtures.h"

namespace vant::printing {
namespace {

using test::KeepingOutput;
using test::RefusalText;
using test::SmallOffice;

// One question put to a printer, its answer written as text (a refusal as its text).
using Question = std::function<std::string(Printer&)>;

std::string Asked(Printer& printer, const Question& question) {
  std::string answer;
  const std::string refusal = RefusalText([&] { answer = question(printer); });
  return refusal == "accepted" ? answer : "refused: " + refusal;
}

std::string Caps(Printer& p) {
  std::string out;
  for (const int index : {kHorzRes, kVertRes, kPhysicalWidth, kPhysicalHeight, kPhysicalOffsetX, kPhysicalOffsetY}) {
    out += std::to_string(p.DeviceCaps(index)) + " ";
  }
  return out;
}

TEST(RecordingPrinter, AnswersEveryQuestionAsThePagePrinterOfItsCapabilities) {
  const std::vector<Question> questions = {
      [](Printer& p) { return ToUtf8(p.DeviceName()) + " " + Caps(p); },
      [](Printer& p) { return std::to_string(p.Get(PrinterSetting::kPaperSize)) + " " + std::to_string(p.ScaleMode()) + " " + ToUtf8(p.FontName()); },
      [](Printer& p) { p.SetScaleMode(kScaleMillimeters); return std::to_string(p.ScaleWidth()) + " " + std::to_string(p.ScaleHeight()); },
      [](Printer& p) { return std::to_string(p.ScaleX(10, kScaleMillimeters, kScalePixels)) + " " + std::to_string(p.ScaleY(1, kScaleTwips, kScalePixels)); },
      [](Printer& p) { p.SetFontName(u"ＭＳ ゴシック"); p.SetFontSize(10.3); return std::to_string(p.FontSize()); },
      [](Printer& p) { return std::to_string(p.TextWidth(u"請求書 No.1,234")) + " " + std::to_string(p.TextHeight(u"a\r\nb")); },
      [](Printer& p) { p.SetFontBold(true); return std::to_string(p.TextWidth(u"請求書 No.1,234")); },
      [](Printer& p) { p.Set(PrinterSetting::kPaperSize, 8); return Caps(p); },
      [](Printer& p) { p.Set(PrinterSetting::kPaperSize, 12); return Caps(p); },
      [](Printer& p) { p.Set(PrinterSetting::kOrientation, kLandscape); return Caps(p) + std::to_string(p.ScaleWidth()); },
      [](Printer& p) { p.Set(PrinterSetting::kPrintQuality, -4); return std::to_string(p.Get(PrinterSetting::kPrintQuality)); },
      [](Printer& p) { p.Set(PrinterSetting::kPaperBin, 2); return std::to_string(p.Get(PrinterSetting::kPaperBin)); },
      [](Printer& p) { p.Set(PrinterSetting::kColorMode, kColour); return std::to_string(p.Get(PrinterSetting::kColorMode)); },
      [](Printer& p) { p.SetCurrentX(20); p.SetCurrentY(30); p.Print(u"一行目\r\n二行目"); return std::to_string(p.CurrentY()); },
      [](Printer& p) { p.SetDrawWidth(0); return std::to_string(p.DrawWidth()); },
      [](Printer& p) { return std::to_string(p.DeviceCaps(42)); },
  };
  for (const PrinterCapabilities& caps : {SmallOffice(u"Small"), PdfPrinterCapabilities()}) {
    SCOPED_TRACE(ToUtf8(caps.name));
    auto log = std::make_shared<KeepingOutput::Log>();
    PagePrinter printing(caps, std::make_unique<KeepingOutput>(log));
    PrintRecord record;
    RecordingPrinter recording(caps, record);
    for (size_t q = 0; q < questions.size(); ++q) {
      SCOPED_TRACE(q);
      EXPECT_EQ(Asked(recording, questions[q]), Asked(printing, questions[q]));
    }
    printing.KillDoc();
  }
}

// Pages and documents: what each step list gives on paper (the documents a PagePrinter
// hands its output, with their pages) and in the record.
TEST(RecordingPrinter, StartsAndEndsPagesAndDocumentsWhereThePagePrinterDoes) {
  using Step = std::function<void(Printer&)>;
  const Step inside = [](Printer& p) { p.Line(100, 100, 500, 500, 0, LineKind::kBox); };
  const Step outside = [](Printer& p) { p.Line(-9000, -9000, -8000, -8000, 0, LineKind::kFilledBox); };
  const Step text = [](Printer& p) { p.SetCurrentX(1440); p.SetCurrentY(1440); p.Print(u"文字"); };
  const Step textOff = [](Printer& p) { p.SetCurrentX(-99999); p.SetCurrentY(100); p.Print(u"文字"); };
  const Step newPage = [](Printer& p) { p.NewPage(); };
  const Step endDoc = [](Printer& p) { p.EndDoc(); };
  const Step killDoc = [](Printer& p) { p.KillDoc(); };
  const Step a3 = [](Printer& p) { p.Set(PrinterSetting::kPaperSize, 8); };
  struct Row {
    int line;
    std::vector<Step> steps;
    std::vector<int> pages;  // pages of each document ended, in order
  };
  const Row rows[] = {
      {__LINE__, {inside, endDoc}, {1}},
      {__LINE__, {inside, newPage, text, endDoc}, {2}},
      {__LINE__, {outside, endDoc}, {}},                 // a mark wholly off starts no page
      {__LINE__, {textOff, endDoc}, {}},
      {__LINE__, {outside, newPage, endDoc}, {1}},       // but a page break ends a blank one
      {__LINE__, {newPage, newPage, endDoc}, {2}},
      {__LINE__, {endDoc, endDoc}, {}},
      {__LINE__, {inside, newPage, endDoc}, {1}},        // the break ends the page; no page follows it
      {__LINE__, {inside, killDoc, text, endDoc}, {1}},
      {__LINE__, {inside, endDoc, a3, text, newPage, inside, endDoc}, {1, 2}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    auto log = std::make_shared<KeepingOutput::Log>();
    PagePrinter printing(SmallOffice(u"Small"), std::make_unique<KeepingOutput>(log));
    PrintRecord record;
    RecordingPrinter recording(SmallOffice(u"Small"), record);
    for (const Step& step : row.steps) {
      step(printing);
      step(recording);
      EXPECT_EQ(recording.OpenDocumentId() != 0, printing.OpenDocumentId() != 0);
    }
    std::vector<int> printed, recorded;
    for (const auto& delivered : log->documents) printed.push_back(delivered.pages);
    for (const auto& document : record.documents) recorded.push_back(static_cast<int>(document.pages.size()));
    EXPECT_EQ(recorded, printed);
    EXPECT_EQ(recorded, row.pages);
  }
}

TEST(RecordingPrinter, EachPageKeepsTheSettingsItWasPrintedWith) {
  PrintRecord record;
  RecordingPrinter printer(SmallOffice(u"Small"), record);
  printer.Line(100, 100, 200, 200, 0, LineKind::kBox);
  printer.NewPage();
  printer.Set(PrinterSetting::kPaperSize, 8);
  printer.Set(PrinterSetting::kOrientation, kLandscape);
  printer.Set(PrinterSetting::kPaperBin, 1);
  printer.Set(PrinterSetting::kPrintQuality, -1);
  printer.Line(100, 100, 200, 200, 0, LineKind::kBox);
  printer.EndDoc();
  ASSERT_EQ(record.documents.size(), 1u);
  const RecordedDocument& document = record.documents[0];
  EXPECT_EQ(document.printer, u"Small");
  ASSERT_EQ(document.pages.size(), 2u);
  EXPECT_EQ(document.pages[0].Get(PrinterSetting::kPaperSize), 9);
  EXPECT_EQ(document.pages[0].Get(PrinterSetting::kOrientation), kPortrait);
  EXPECT_EQ(document.pages[0].Get(PrinterSetting::kPaperBin), 7);
  EXPECT_EQ(document.pages[1].Get(PrinterSetting::kPaperSize), 8);
  EXPECT_EQ(document.pages[1].media.keyword, "iso_a3_297x420mm");
  EXPECT_EQ(document.pages[1].Get(PrinterSetting::kOrientation), kLandscape);
  EXPECT_EQ(document.pages[1].Get(PrinterSetting::kPaperBin), 1);
  EXPECT_EQ(document.pages[1].Get(PrinterSetting::kPrintQuality), -1);
  EXPECT_EQ(document.pages[1].Get(PrinterSetting::kColorMode), 1);
}

// Marks in printer dots from the printable corner (300 dpi, strips of 5 mm across and
// 10 mm down on A4), with the method the record names, the page's sheet and printable
// area, and whether anything of them was painted.
TEST(RecordingPrinter, MarksAreWrittenDownInDotsWithTheirMethod) {
  PrintRecord record;
  RecordingPrinter printer(SmallOffice(u"Small"), record);
  printer.SetScaleMode(kScalePixels);
  record.method = 3;
  printer.Line(10, 20, 29, 49, 0, LineKind::kFilledBox);
  record.method = 4;
  printer.SetDrawWidth(5);
  printer.Line(-100, 10, -50, 10, 0, LineKind::kLine);
  record.method = 5;
  printer.SetFontName(u"ＭＳ 明朝");
  printer.SetCurrentX(2300);
  printer.SetCurrentY(100);
  printer.Print(u"右端");
  ASSERT_EQ(record.marks.size(), 3u);

  const RecordedMark& fill = record.marks[0];
  EXPECT_EQ(fill.kind, MarkKind::kFill);
  EXPECT_EQ(fill.method, 3);
  EXPECT_DOUBLE_EQ(fill.extent.left, 10);
  EXPECT_DOUBLE_EQ(fill.extent.top, 20);
  EXPECT_DOUBLE_EQ(fill.extent.right, 30);   // both corners included
  EXPECT_DOUBLE_EQ(fill.extent.bottom, 50);
  EXPECT_TRUE(fill.painted);
  EXPECT_DOUBLE_EQ(fill.sheet.left, -59);
  EXPECT_DOUBLE_EQ(fill.sheet.top, -118);
  EXPECT_DOUBLE_EQ(fill.sheet.right, 2480 - 59);
  EXPECT_DOUBLE_EQ(fill.sheet.bottom, 3508 - 118);
  EXPECT_DOUBLE_EQ(fill.printable.right, 2362);
  EXPECT_DOUBLE_EQ(fill.printable.bottom, 3272);
  EXPECT_NEAR(fill.dotsPerMmX, 300 / 25.4, 1e-9);

  const RecordedMark& line = record.marks[1];
  EXPECT_EQ(line.kind, MarkKind::kLine);
  EXPECT_EQ(line.method, 4);
  EXPECT_DOUBLE_EQ(line.extent.left, -100 + 0.5 - 2.5);  // the pen centred on the dot, 5 wide
  EXPECT_DOUBLE_EQ(line.extent.right, -50 + 0.5 + 2.5);
  EXPECT_FALSE(line.painted);  // wholly left of the printable area: the printer drops it

  const RecordedMark& text = record.marks[2];
  EXPECT_EQ(text.kind, MarkKind::kText);
  EXPECT_EQ(text.method, 5);
  EXPECT_EQ(text.text, u"右端");
  EXPECT_EQ(text.font.name, u"ＭＳ 明朝");
  EXPECT_DOUBLE_EQ(text.extent.left, 2300);
  EXPECT_NEAR(text.extent.right - text.extent.left, printer.TextWidth(u"右端"), 1e-3);
  EXPECT_GT(text.extent.right, text.printable.right);  // partly beyond the printable area
  EXPECT_TRUE(text.painted);
}

// A stroke's extent is the dots the printer paints for it: along the grid an even pen's
// band lies on whole dots (not half a dot off its centre line), and an outline's sides are
// such bands; any other line runs through the dot centres its ends name.
TEST(RecordingPrinter, AStrokesExtentIsTheBandOfDotsItPaints) {
  const struct {
    int line;
    LineKind kind;
    float x1, y1, x2, y2;
    int16_t width;
    PixelBox extent;
  } cases[] = {
      {__LINE__, LineKind::kLine, 10, 20, 30, 20, 2, {10, 20, 32, 22}},     // across: dots 20 and 21
      {__LINE__, LineKind::kLine, 40, 10, 40, 30, 5, {38, 8, 43, 33}},      // odd: centred on the dot
      {__LINE__, LineKind::kLine, 40, 10, 40, 30, 4, {39, 9, 43, 33}},      // dots 39 to 42
      {__LINE__, LineKind::kLine, 0, 0, 10, 10, 2, {-0.5, -0.5, 11.5, 11.5}},  // through the centres
      // (Corners that reach the device as whole pixels: 110 comes back from 300 dpi a hair under.)
      {__LINE__, LineKind::kBox, 100, 100, 120, 112, 2, {100, 100, 122, 114}},
      {__LINE__, LineKind::kBox, 120, 112, 100, 100, 1, {100, 100, 121, 113}},  // corners either way
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    PrintRecord record;
    RecordingPrinter printer(SmallOffice(u"Small"), record);
    printer.SetScaleMode(kScalePixels);
    printer.SetDrawWidth(c.width);
    printer.Line(c.x1, c.y1, c.x2, c.y2, 0, c.kind);
    ASSERT_EQ(record.marks.size(), 1u);
    const PixelBox& extent = record.marks[0].extent;
    EXPECT_DOUBLE_EQ(extent.left, c.extent.left);
    EXPECT_DOUBLE_EQ(extent.top, c.extent.top);
    EXPECT_DOUBLE_EQ(extent.right, c.extent.right);
    EXPECT_DOUBLE_EQ(extent.bottom, c.extent.bottom);
  }
}

TEST(RecordingPrinters, TheListOfPrintersAsPrintingHasIt) {
  PrintRecord record;
  const printermap::PrinterMap noMap;
  RecordingPrinters printers({SmallOffice(u"A"), SmallOffice(u"B"), PdfPrinterCapabilities()}, 1, record, noMap);
  ASSERT_EQ(printers.Count(), 3);
  EXPECT_EQ(printers.CurrentIndex(), 1);
  EXPECT_EQ(printers.At(2).DeviceName(), u"Vant3 PDF");
  // A printer that becomes current with no document open starts from its defaults ...
  printers.At(0).Set(PrinterSetting::kPaperSize, 8);
  printers.MakeCurrent(0);
  EXPECT_EQ(printers.At(0).Get(PrinterSetting::kPaperSize), 9);
  // ... one with a document open goes on with it.
  printers.At(2).Set(PrinterSetting::kPaperSize, 11);
  printers.At(2).NewPage();
  printers.MakeCurrent(2);
  EXPECT_EQ(printers.At(2).Get(PrinterSetting::kPaperSize), 11);
  printers.At(1).NewPage();
  printers.EndOpenDocuments();
  ASSERT_EQ(record.documents.size(), 2u);
  EXPECT_EQ(record.documents[0].printer, u"B");
  EXPECT_EQ(record.documents[1].printer, u"Vant3 PDF");
  EXPECT_THROW(printers.At(3), Failure);
  EXPECT_THROW(RecordingPrinters({SmallOffice(u"A")}, 1, record, noMap), std::invalid_argument);
}

TEST(RecordingPrinters, NamesAreLookedUpAsPrintingDoesAndUnknownOnesRecorded) {
  // The map's entry, then a description; a name reaching no printer is written into the
  // record with the method running and the printer that stays, and the map's rule.
  PrintRecord record;
  const printermap::PrinterMap map = printermap::ReadMapText(
      "[Printers]\n\\\\PRTSRV01\\A = A\nOld = Gone\n[Options]\nUnknownPrinter = stop\n", "/etc/m");
  PrinterCapabilities described = SmallOffice(u"B");
  described.description = u"ZDesigner GK420d";
  RecordingPrinters printers({SmallOffice(u"A"), described}, 0, record, map);
  EXPECT_EQ(printers.ReachedByName(u"\\\\prtsrv01\\a"), 0);
  EXPECT_EQ(printers.ReachedByName(u"zdesigner gk420D"), 1);
  EXPECT_EQ(printers.ReachedByName(u"Old"), -1);
  record.method = 7;
  EXPECT_EQ(printers.NamedNoPrinter(u"Old"), UnknownPrinter::kStop);
  ASSERT_EQ(record.unknownPrinters.size(), 1u);
  EXPECT_EQ(record.unknownPrinters[0].method, 7);
  EXPECT_EQ(record.unknownPrinters[0].name, u"Old");
  EXPECT_EQ(record.unknownPrinters[0].printerUsed, u"A");
  EXPECT_EQ(record.unknownPrinters[0].mapEntry, std::optional<Text>(u"/etc/m:3"));
}

}  // namespace
}  // namespace vant::printing
