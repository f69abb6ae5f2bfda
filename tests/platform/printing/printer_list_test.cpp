// The printer list over queues made in the test: order, the current printer, the reset
// of a printer that becomes current, one document per printer, the settings a job takes,
// and the documents ended as the program ends.
#include "platform/printing/printer_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <thread>

#include "common/failure.h"
#include "engine/printer_object.h"
#include "engine/setting_values.h"
#include "printing_fixtures.h"
#include "scratch_dir.h"

namespace vant::printing {
namespace {

using test::KeepingOutput;
using test::SmallOffice;

struct Queues {
  std::shared_ptr<KeepingOutput::Log> first = std::make_shared<KeepingOutput::Log>();
  std::shared_ptr<KeepingOutput::Log> second = std::make_shared<KeepingOutput::Log>();

  std::vector<InstalledQueue> Make(bool firstDefault, bool secondDefault) const {
    std::vector<InstalledQueue> queues;
    queues.push_back(InstalledQueue{SmallOffice(u"Front"), std::make_unique<KeepingOutput>(first), firstDefault});
    queues.push_back(InstalledQueue{SmallOffice(u"Back"), std::make_unique<KeepingOutput>(second), secondDefault});
    return queues;
  }
};

std::vector<Text> Names(PrinterList& list) {
  std::vector<Text> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.At(i).DeviceName());
  return names;
}

TEST(PrinterList, QueuesInOrderThenThePdfPrinter) {
  Queues q;
  PrinterList list(q.Make(false, true));
  EXPECT_EQ(Names(list), (std::vector<Text>{u"Front", u"Back", u"Vant3 PDF"}));
  EXPECT_EQ(list.PdfPrinter().DeviceName(), u"Vant3 PDF");
  EXPECT_EQ(list.PdfPrinterIndex(), 2);
  EXPECT_THROW(list.At(3), Failure);
  EXPECT_THROW(list.At(-1), Failure);
  EXPECT_THROW(list.MakeCurrent(3), Failure);
}

TEST(PrinterList, TheDefaultQueueIsCurrent) {
  Queues q;
  PrinterList list(q.Make(false, true));
  EXPECT_EQ(list.CurrentIndex(), 1);
}

TEST(PrinterList, TheFirstOfTwoDefaultsIsCurrent) {
  Queues q;
  PrinterList list(q.Make(true, true));
  EXPECT_EQ(list.CurrentIndex(), 0);
}

TEST(PrinterList, WithoutADefaultThePdfPrinterIsCurrent) {
  Queues q;
  PrinterList list(q.Make(false, false));
  EXPECT_EQ(list.CurrentIndex(), 2);
}

TEST(PrinterList, WithoutQueuesThePdfPrinterIsTheOnlyOne) {
  PrinterList list({}, {u"印刷サーバーからプリンターの一覧を取得できません: x"});
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.CurrentIndex(), 0);
  EXPECT_EQ(list.At(0).DeviceName(), u"Vant3 PDF");
  EXPECT_EQ(list.PdfPrinterIndex(), 0);
  EXPECT_EQ(list.Problems().size(), 1u);
}

TEST(PrinterList, AnUnreachablePrintServerLeavesThePdfPrinterAndSaysWhy) {
  vant::test::ScratchDir dir;
  const std::string socket = (dir / "no-server.sock").string();
  ASSERT_EQ(setenv("CUPS_SERVER", socket.c_str(), 1), 0);
  std::unique_ptr<PrinterList> list;
  // libcups keeps its server per thread: a fresh thread reads the variable.
  std::thread([&] { list = PrinterList::FromCups(); }).join();
  unsetenv("CUPS_SERVER");
  ASSERT_EQ(list->Count(), 1);
  EXPECT_EQ(list->At(0).DeviceName(), u"Vant3 PDF");
  EXPECT_EQ(list->CurrentIndex(), 0);
  ASSERT_EQ(list->Problems().size(), 1u);
  EXPECT_NE(ToUtf8(list->Problems()[0]).find("」からプリンターの一覧を取得できません ("), std::string::npos)
      << ToUtf8(list->Problems()[0]);
}

TEST(PrinterList, APrinterBecomingCurrentWithoutADocumentStartsFromItsDefaults) {
  Queues q;
  PrinterList list(q.Make(true, false));
  Printer& back = list.At(1);
  back.Set(PrinterSetting::kPaperSize, 8);
  back.Set(PrinterSetting::kOrientation, kOrientationLandscape.code);
  back.SetScaleMode(kScaleMillimeters);
  back.SetFontName(u"ＭＳ ゴシック");
  back.Set(PrinterSetting::kPaperBin, kBinUpper.code);
  back.Set(PrinterSetting::kPrintQuality, kQualityDraft.code);
  list.MakeCurrent(1);
  EXPECT_EQ(back.Get(PrinterSetting::kPaperSize), 9);
  EXPECT_EQ(back.Get(PrinterSetting::kOrientation), kOrientationPortrait.code);
  EXPECT_EQ(back.ScaleMode(), kScaleTwips);
  EXPECT_EQ(back.FontName(), u"ＭＳ 明朝");
  EXPECT_EQ(back.Get(PrinterSetting::kPaperBin), kBinAuto.code);
  EXPECT_EQ(back.Get(PrinterSetting::kPrintQuality), kQualityMedium.code);
  EXPECT_EQ(back.DeviceCaps(kPhysicalWidth), 2480);  // A4 at 300 dpi

  // Making the current printer current again changes nothing.
  back.Set(PrinterSetting::kPaperSize, 8);
  list.MakeCurrent(1);
  EXPECT_EQ(back.Get(PrinterSetting::kPaperSize), 8);
}

TEST(PrinterList, APrinterWithAnOpenDocumentKeepsItsSettingsAndDocument) {
  Queues q;
  PrinterList list(q.Make(true, false));
  PrinterObject printer(list);
  printer.Set(PrinterSetting::kPaperSize, 8);
  printer.SetScaleMode(kScaleMillimeters);
  printer.Line(1, 1, 5, 5, 0, LineKind::kLine);  // opens Front's document
  list.MakeCurrent(1);
  printer.Line(1, 1, 5, 5, 0, LineKind::kLine);  // Back's own document
  printer.EndDoc();                              // ends Back's only
  ASSERT_EQ(q.second->documents.size(), 1u);
  EXPECT_TRUE(q.first->documents.empty());

  list.MakeCurrent(0);
  EXPECT_EQ(printer.Get(PrinterSetting::kPaperSize), 8);
  EXPECT_EQ(printer.ScaleMode(), kScaleMillimeters);
  printer.EndDoc();
  ASSERT_EQ(q.first->documents.size(), 1u);
  EXPECT_EQ(q.first->documents[0].attributes.media.width, 29700);  // A3, as the printer measures it
}

TEST(PrinterList, EachRunOfPagesWithEqualSettingsIsOnePartWithThoseSettings) {
  Queues q;
  PrinterList list(q.Make(true, false));
  Printer& front = list.At(0);
  front.Set(PrinterSetting::kPaperSize, 1);
  front.Set(PrinterSetting::kOrientation, kOrientationLandscape.code);
  front.Set(PrinterSetting::kPrintQuality, kQualityDraft.code);
  front.Set(PrinterSetting::kPaperBin, kBinUpper.code);
  front.Line(0, 0, 100, 100, 0, LineKind::kLine);
  front.NewPage();
  front.Line(0, 0, 100, 100, 0, LineKind::kLine);  // same settings: the same part
  front.NewPage();
  front.Set(PrinterSetting::kPaperSize, 8);
  front.Set(PrinterSetting::kOrientation, kOrientationPortrait.code);
  front.Set(PrinterSetting::kPrintQuality, kQualityMedium.code);
  front.Line(0, 0, 100, 100, 0, LineKind::kLine);
  front.EndDoc();
  ASSERT_EQ(q.first->documents.size(), 2u);
  const PrintedDocument& first = q.first->documents[0];
  EXPECT_EQ(first.printer, u"Front");
  EXPECT_EQ(first.pages, 2);
  EXPECT_EQ(first.attributes.media, (ServerMedia{21590, 27940, 500, 1000, 500, 1000}));  // Letter
  EXPECT_EQ(first.attributes.Value(PrinterSetting::kOrientation), "4");
  EXPECT_EQ(first.attributes.Value(PrinterSetting::kPrintQuality), "3");
  EXPECT_EQ(first.attributes.Value(PrinterSetting::kPaperBin), "top");
  EXPECT_EQ(first.attributes.Value(PrinterSetting::kColorMode), "monochrome");
  EXPECT_TRUE(first.pdf.startsWith("%PDF-"));
  const PrintedDocument& second = q.first->documents[1];
  EXPECT_EQ(second.pages, 1);
  EXPECT_EQ(second.attributes.media, (ServerMedia{29700, 42000, 500, 1000, 500, 1000}));  // A3
  EXPECT_EQ(second.attributes.Value(PrinterSetting::kOrientation), "3");
  EXPECT_EQ(second.attributes.Value(PrinterSetting::kPrintQuality), "4");
  EXPECT_EQ(second.attributes.Value(PrinterSetting::kPaperBin), "top");
  EXPECT_TRUE(second.pdf.startsWith("%PDF-"));
  // One document, told as such.
  ASSERT_EQ(list.Delivered().size(), 1u);
  EXPECT_EQ(list.Delivered()[0].pages, 3);
  EXPECT_EQ(ToUtf8(list.Delivered()[0].Description()), "プリンター「Front」にジョブ 1、2 (3 ページ) を送りました。");
}

TEST(PrinterList, EverySettingThatChangesBetweenPagesStartsAPart) {
  struct Row {
    int line;
    std::function<void(Printer&)> change;  // made after the first page
    size_t parts;
  };
  const Row rows[] = {
      {__LINE__, [](Printer&) {}, 1},
      {__LINE__, [](Printer& p) { p.Set(PrinterSetting::kPaperSize, 9); }, 1},  // the sheet it already has
      {__LINE__, [](Printer& p) { p.Set(PrinterSetting::kPaperSize, 8); }, 2},
      {__LINE__, [](Printer& p) { p.Set(PrinterSetting::kOrientation, kOrientationLandscape.code); }, 2},
      {__LINE__, [](Printer& p) { p.Set(PrinterSetting::kPrintQuality, kQualityDraft.code); }, 2},
      {__LINE__, [](Printer& p) { p.Set(PrinterSetting::kPaperBin, kBinUpper.code); }, 2},
      {__LINE__, [](Printer& p) { p.SetScaleMode(kScaleMillimeters); }, 1},
      {__LINE__,
       [](Printer& p) {
         p.Set(PrinterSetting::kOrientation, kOrientationLandscape.code);
         p.Set(PrinterSetting::kOrientation, kOrientationPortrait.code);
       },
       1},
  };
  for (const Row& row : rows) {
    Queues q;
    PrinterList list(q.Make(true, false));
    Printer& front = list.At(0);
    front.Line(0, 0, 10, 10, 0, LineKind::kLine);
    front.NewPage();
    row.change(front);
    front.Line(0, 0, 10, 10, 0, LineKind::kLine);
    front.NewPage();
    front.Line(0, 0, 10, 10, 0, LineKind::kLine);  // a third page with the second's settings
    front.EndDoc();
    EXPECT_EQ(q.first->documents.size(), row.parts) << "row at line " << row.line;
    int pages = 0;
    for (const PrintedDocument& part : q.first->documents) pages += part.pages;
    EXPECT_EQ(pages, 3) << "row at line " << row.line;
  }
}

TEST(PrinterList, ThePdfPrinterKeepsADocumentOfMixedPagesWhole) {
  vant::test::ScratchDir dir;
  Queues q;
  PrinterList list(q.Make(true, false));
  list.PdfOutput().SetPath(dir / "mixed.pdf");
  list.MakeCurrent(list.PdfPrinterIndex());
  Printer& pdf = list.At(list.CurrentIndex());
  pdf.Line(0, 0, 10, 10, 0, LineKind::kLine);
  pdf.NewPage();
  pdf.Set(PrinterSetting::kOrientation, kOrientationLandscape.code);
  pdf.Set(PrinterSetting::kPaperBin, kBinUpper.code);
  pdf.Line(0, 0, 10, 10, 0, LineKind::kLine);
  pdf.EndDoc();
  ASSERT_EQ(list.Delivered().size(), 1u);
  EXPECT_EQ(list.Delivered()[0].pages, 2);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"mixed.pdf"});
}

TEST(PrinterList, DefaultsThePrinterDoesNotListAreNotSent) {
  PrinterCapabilities caps = SmallOffice(u"Plain");
  for (const PrinterSetting setting : {PrinterSetting::kPrintQuality, PrinterSetting::kPaperBin, PrinterSetting::kColorMode}) {
    caps.Choices(setting).codes.clear();
  }
  auto log = std::make_shared<KeepingOutput::Log>();
  std::vector<InstalledQueue> queues;
  queues.push_back(InstalledQueue{caps, std::make_unique<KeepingOutput>(log), true});
  PrinterList list(std::move(queues));
  Printer& plain = list.At(0);
  EXPECT_EQ(plain.Get(PrinterSetting::kPaperBin), kBinAuto.code);  // reported, as the printer picks its paper itself
  // "Auto" is taken by every printer: the printer chooses; no source is sent.
  EXPECT_NO_THROW(plain.Set(PrinterSetting::kPaperBin, kBinAuto.code));
  EXPECT_EQ(test::RefusalText([&] { plain.Set(PrinterSetting::kPaperBin, kBinUpper.code); }), "プリンター「Plain」は給紙方法 1 (上段トレイ) に対応していません。");
  plain.NewPage();
  plain.EndDoc();
  ASSERT_EQ(log->documents.size(), 1u);
  EXPECT_EQ(log->documents[0].pages, 1);
  EXPECT_FALSE(log->documents[0].attributes.Value(PrinterSetting::kPrintQuality));
  EXPECT_FALSE(log->documents[0].attributes.Value(PrinterSetting::kPaperBin));
  EXPECT_FALSE(log->documents[0].attributes.Value(PrinterSetting::kColorMode));
}

TEST(PrinterList, RefusedSettingsNameThePrinterAndKeepTheirValues) {
  Queues q;
  PrinterList list(q.Make(true, false));
  Printer& front = list.At(0);
  EXPECT_EQ(test::RefusalText([&] { front.Set(PrinterSetting::kPaperSize, 11); }), "プリンター「Front」は用紙サイズ 11 (A5) に対応していません。");
  EXPECT_EQ(front.Get(PrinterSetting::kPaperSize), 9);
  EXPECT_EQ(test::RefusalText([&] { front.Set(PrinterSetting::kColorMode, kColourColour.code); }), "プリンター「Front」はカラーモード 2 (カラー) に対応していません。");
  EXPECT_EQ(front.Get(PrinterSetting::kColorMode), kColourMonochrome.code);
  EXPECT_EQ(test::RefusalText([&] { front.Set(PrinterSetting::kPaperBin, kBinLower.code); }), "プリンター「Front」は給紙方法 2 (下段トレイ) に対応していません。");
  EXPECT_EQ(front.Get(PrinterSetting::kPaperBin), kBinAuto.code);
  EXPECT_EQ(test::RefusalText([&] { front.Set(PrinterSetting::kPrintQuality, kQualityHigh.code); }), "プリンター「Front」は印刷品質 -4 (高) に対応していません。");
  EXPECT_EQ(front.Get(PrinterSetting::kPrintQuality), kQualityMedium.code);
  // The user-defined size keeps the sheet in force.
  front.Set(PrinterSetting::kPaperSize, 8);
  front.Set(PrinterSetting::kPaperSize, 256);
  EXPECT_EQ(front.Get(PrinterSetting::kPaperSize), 256);
  EXPECT_EQ(front.DeviceCaps(kPhysicalWidth), 3508);  // A3 at 300 dpi
}

TEST(PrinterList, EndOpenDocumentsEndsEveryOpenDocumentInOrder) {
  Queues q;
  PrinterList list(q.Make(true, false));
  vant::test::ScratchDir dir;
  list.PdfOutput().SetPath(dir / "rest.pdf");
  list.At(2).NewPage();
  list.At(0).NewPage();
  list.At(0).NewPage();
  list.EndOpenDocuments();
  EXPECT_EQ(q.first->documents.size(), 1u);
  EXPECT_EQ(q.first->documents[0].pages, 2);
  EXPECT_TRUE(q.second->documents.empty());
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"rest.pdf"});
  ASSERT_EQ(list.Delivered().size(), 2u);
  EXPECT_EQ(list.Delivered()[0].printer, u"Front");
  EXPECT_EQ(list.Delivered()[1].printer, u"Vant3 PDF");
  for (int i = 0; i < list.Count(); ++i) EXPECT_FALSE(list.Page(i).HasOpenDocument());
}

TEST(PrinterList, EndOpenDocumentsTriesEveryPrinterAndReportsEachFailure) {
  Queues q;
  q.first->refusal = u"一つ目を拒否";
  q.second->refusal = u"二つ目を拒否";
  PrinterList list(q.Make(true, false));
  vant::test::ScratchDir dir;
  list.PdfOutput().SetPath(dir / "rest.pdf");
  list.At(0).NewPage();
  list.At(1).NewPage();
  list.At(2).NewPage();
  try {
    list.EndOpenDocuments();
    FAIL() << "the refusals were not reported";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Description(), u"一つ目を拒否\r\n二つ目を拒否");
  }
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"rest.pdf"});
  for (int i = 0; i < list.Count(); ++i) EXPECT_FALSE(list.Page(i).HasOpenDocument());
  EXPECT_EQ(list.Delivered().size(), 1u);
}

// Where a failure to end them is a stop message (a command's end, a browser's request):
// one critical "エラー" box with every failure, nothing shown when all ended.
TEST(PrinterList, EndOpenDocumentsShowingFailureShowsEveryFailureInOneErrorBox) {
  struct Box {
    Text text;
    MessageIcon icon;
    Text title;
    bool operator==(const Box&) const = default;
  };
  class Boxes final : public MessageBoxes {
   public:
    void Show(const Text& text, MessageIcon icon, const Text& title) override { shown.push_back({text, icon, title}); }
    std::vector<Box> shown;
  };
  struct Row {
    int line;
    const char16_t* firstRefusal;  // none: the document is delivered
    std::vector<Box> shown;
  };
  const Row rows[] = {
      {__LINE__, nullptr, {}},
      {__LINE__, u"一つ目を拒否", {{u"一つ目を拒否", MessageIcon::kCritical, u"エラー"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    Queues q;
    if (row.firstRefusal != nullptr) q.first->refusal = row.firstRefusal;
    PrinterList list(q.Make(true, false));
    list.At(0).NewPage();
    Boxes boxes;
    list.EndOpenDocumentsShowingFailure(boxes);
    EXPECT_EQ(boxes.shown, row.shown);
    EXPECT_FALSE(list.Page(0).HasOpenDocument());
    EXPECT_EQ(list.Delivered().size(), row.shown.empty() ? 1u : 0u);
  }
}

TEST(PrinterList, TheDocumentNameTitlesJobsAndNamesThePdfFile) {
  Queues q;
  PrinterList list(q.Make(true, false));
  list.SetDocumentName(u"invoice");
  EXPECT_EQ(list.PdfOutput().Path(), std::filesystem::current_path() / "invoice.pdf");
  list.At(0).NewPage();
  list.At(0).EndDoc();
  ASSERT_EQ(q.first->documents.size(), 1u);
  EXPECT_EQ(q.first->documents[0].title, u"invoice");
}

}  // namespace
}  // namespace vant::printing
