#include "engine/setup_commands.h"

#include "engine/setup_keywords.h"
#include "run_fixture.h"
#include "state_reset.h"

namespace vant {
namespace {


TEST(Keywords, PaperSizeFormsAndTheEnvelopeOddRows) {
  for (const char16_t* k : {u"a4", u"vbprpsa4", u"prpsa4", u"9"}) EXPECT_EQ(FindKeyword(kPaperSizeKeywords, k), 9);
  EXPECT_EQ(FindKeyword(kPaperSizeKeywords, u"28"), 29);
  EXPECT_EQ(FindKeyword(kPaperSizeKeywords, u"29"), 30);
  EXPECT_EQ(FindKeyword(kPaperSizeKeywords, u"30"), 28);
  EXPECT_EQ(FindKeyword(kPaperSizeKeywords, u"vbprpsenvc5"), 28);
  EXPECT_EQ(FindKeyword(kPaperSizeKeywords, u"256"), 256);
  EXPECT_EQ(FindKeyword(kPaperSizeKeywords, u"a4s"), 10);
  EXPECT_FALSE(FindKeyword(kPaperSizeKeywords, u"0"));
  EXPECT_FALSE(FindKeyword(kPaperSizeKeywords, u"42"));
  EXPECT_FALSE(FindKeyword(kPaperSizeKeywords, u""));
  EXPECT_FALSE(FindKeyword(kPaperSizeKeywords, u"a4 "));
}

TEST(Keywords, NumbersArePositionsNotValues) {
  EXPECT_EQ(FindKeyword(kScaleModeKeywords, u"1"), 6);
  EXPECT_EQ(FindKeyword(kScaleModeKeywords, u"3"), 3);
  EXPECT_EQ(FindKeyword(kScaleModeKeywords, u"pxl"), 3);
  EXPECT_EQ(FindKeyword(kPaperBinKeywords, u"12"), 14);
  EXPECT_FALSE(FindKeyword(kPaperBinKeywords, u"13"));
  EXPECT_EQ(FindKeyword(kPrintQualityKeywords, u"4"), -4);
}

TEST(Keywords, TheRowsWithoutSomeForms) {
  EXPECT_EQ(FindKeyword(kColorModeKeywords, u"vbprcmmonochrome"), 1);
  EXPECT_FALSE(FindKeyword(kColorModeKeywords, u"prcmmonochrome"));
  EXPECT_EQ(FindKeyword(kColorModeKeywords, u"prcmcolor"), 2);
  EXPECT_EQ(FindKeyword(kOrientationKeywords, u"縦"), 1);
  EXPECT_EQ(FindKeyword(kOrientationKeywords, u"横"), 2);
  EXPECT_FALSE(FindKeyword(kOrientationKeywords, u"vbprorportrait"));
}

class Setup : public test::RunFixture {
 protected:
  Setup() : RunFixture({Named(u"Office"), Named(u" Label "), Named(u"Label"), Named(u"office")}) {}
  static test::PrinterSpec Named(const char16_t* name) {
    test::PrinterSpec spec;
    spec.name = name;
    return spec;
  }
};

TEST_F(Setup, TheCommandsLowerCaseTheirArgument) {
  LoadMethods({u"papersize,vbPRPSA4", u"papersize,A5", u"scalemode,MM", u"colormode,PrCmColor"});
  EXPECT_EQ(Print(), 0);
  EXPECT_EQ(fake.Current().Get(PrinterSetting::kPaperSize), 11);
  EXPECT_EQ(fake.Current().ScaleMode(), 6);
  EXPECT_EQ(fake.Current().Get(PrinterSetting::kColorMode), kColourColour.code);
}

TEST_F(Setup, PaperbinAndColormodeBorrowTheScaleModeMessage) {
  LoadMethods({u"paperbin,13"});
  EXPECT_EQ(Print(), 1);
  EXPECT_EQ(OnlyMessage().text.find(u"\"13\"\r\nScaleMode指定が不正です!\r\n1:paperbin(13)"), 0u);
  fake.messages.shown.clear();
  test::ResetModuleState(fake.state);
  LoadMethods({u"colormode,prcmmonochrome"});
  EXPECT_EQ(Print(), 1);
  EXPECT_NE(OnlyMessage().text.find(u"ScaleMode指定が不正です!"), Text::npos);
  fake.messages.shown.clear();
  test::ResetModuleState(fake.state);
  LoadMethods({u"orientation,vbprorportrait"});
  EXPECT_EQ(Print(), 1);
  EXPECT_NE(OnlyMessage().text.find(u"Orientation指定が不正です!"), Text::npos);
  fake.messages.shown.clear();
  test::ResetModuleState(fake.state);
  LoadMethods({u"printquality,5"});
  EXPECT_EQ(Print(), 1);
  EXPECT_NE(OnlyMessage().text.find(u"Printquality指定が不正です!"), Text::npos);
}

TEST_F(Setup, SelectPrinterTrimsOnlyThePrintersNameAndTakesTheFirstMatch) {
  SelectPrinter(fake.printers, u"Label");
  EXPECT_EQ(fake.printers.CurrentIndex(), 1);  // " Label " trimmed comes first
  SelectPrinter(fake.printers, u" Label ");
  EXPECT_EQ(fake.printers.CurrentIndex(), 1);  // a blank-padded name matches nothing
  SelectPrinter(fake.printers, u"office");
  EXPECT_EQ(fake.printers.CurrentIndex(), 3);  // case matters
  SelectPrinter(fake.printers, u"Nowhere");
  EXPECT_EQ(fake.printers.CurrentIndex(), 3);
}

TEST_F(Setup, ANameNoDeviceHasReachesThePrinterItsOtherNameGives) {
  // The exact device name first, then the platform's other names (a map, a description);
  // a name neither knows leaves the current printer, and the platform is told of it only
  // through a method's choice.
  fake.printers.otherNames = {{u"\\\\PRTSRV01\\Label-3F", 2}, {u"Office", 1}};
  struct Row {
    int row;
    const char16_t* name;
    bool found;
    int current;
  };
  const Row rows[] = {
      {1, u"\\\\PRTSRV01\\Label-3F", true, 2},
      {2, u"Office", true, 0},  // the device's own name wins over another name
      {3, u"Nowhere", false, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.row);
    fake.printers.MakeCurrent(0);
    EXPECT_EQ(SelectPrinter(fake.printers, r.name), r.found);
    EXPECT_EQ(fake.printers.CurrentIndex(), r.current);
  }
  EXPECT_TRUE(fake.printers.namedNone.empty());
}

TEST_F(Setup, AnUnknownPrinterStopsTheRunWhenThePlatformSaysSo) {
  struct Row {
    int row;
    UnknownPrinter unknown;
    int16_t result;
  };
  for (const Row& r : {Row{1, UnknownPrinter::kCurrent, 0}, Row{2, UnknownPrinter::kStop, 1}}) {
    SCOPED_TRACE(r.row);
    fake.messages.shown.clear();
    fake.printers.namedNone.clear();
    test::ResetModuleState(fake.state);
    fake.printers.unknown = r.unknown;
    const int pagesBefore = Count("newpage", 0);
    LoadMethods({u"newpage", u"changeprinter,  \\\\PRTSRV01\\Waybill-1F ", u"newpage"});
    EXPECT_EQ(Print(), r.result);
    EXPECT_EQ(fake.printers.namedNone, std::vector<Text>{u"\\\\PRTSRV01\\Waybill-1F"});
    EXPECT_EQ(fake.printers.CurrentIndex(), 0);
    if (r.unknown == UnknownPrinter::kStop) {
      EXPECT_EQ(OnlyMessage().text, u"プリンター「\\\\PRTSRV01\\Waybill-1F」が見つかりません\r\n2:changeprinter(  "
                                    u"\\\\prtsrv01\\waybill-1f )\r\n印刷を中断しました!");
      EXPECT_EQ(Count("newpage", 0), pagesBefore + 1);  // nothing after the stop
    } else {
      EXPECT_TRUE(fake.messages.shown.empty());
      EXPECT_EQ(Count("newpage", 0), pagesBefore + 2);
    }
  }
}

TEST_F(Setup, ChangePrinterWithNoOrAnUnknownNameChangesNothingAndGoesOn) {
  LoadMethods({u"changeprinter", u"changeprinterdriver,Nowhere", u"changeprinter,  Label", u"newpage"});
  EXPECT_EQ(Print(), 0);
  EXPECT_EQ(fake.printers.CurrentIndex(), 1);
  EXPECT_EQ(Count("newpage", 1), 1);  // paging follows the selection
  EXPECT_EQ(Count("newpage", 0), 0);
}

TEST_F(Setup, ANewlySelectedPrinterStartsInTwips) {
  LoadMethods({u"scalemode,mm", u"changeprinter,Label"});
  EXPECT_EQ(Print(), 0);
  EXPECT_EQ(fake.Current().ScaleMode(), 1);
  EXPECT_EQ(fake.printers.Recording(0).ScaleMode(), 6);
}

}  // namespace
}  // namespace vant
