// The printers of the private print server (tests/cups): the list in the server's order
// with the PDF printer last, the server's default current, and each queue's resolution,
// sheets, unprintable strips and choices as its PPD gives them.
#include <gtest/gtest.h>

#include "common/failure.h"
#include "engine/printer_object.h"
#include "engine/setting_values.h"
#include "platform/printing/printer_list.h"
#include "printing_fixtures.h"
#include "private_server_printers.h"

namespace vant::printing {
namespace {

class CupsPrintersTest : public testing::Test {
 protected:
  CupsPrintersTest() : list_(PrivateServerPrinters()) {}

  PagePrinter& Named(const Text& name) { return PrinterNamed(*list_, name); }

  std::unique_ptr<PrinterList> list_;
};

TEST_F(CupsPrintersTest, ServerOrderThenThePdfPrinterAndTheDefaultIsCurrent) {
  ASSERT_EQ(list_->Count(), 4);
  EXPECT_EQ(list_->At(0).DeviceName(), u"Label");
  EXPECT_EQ(list_->At(1).DeviceName(), u"Office");
  EXPECT_EQ(list_->At(2).DeviceName(), u"Office-Filtered");
  EXPECT_EQ(list_->At(3).DeviceName(), u"Vant3 PDF");
  EXPECT_EQ(list_->CurrentIndex(), 1);
  EXPECT_TRUE(list_->Problems().empty());
}

TEST_F(CupsPrintersTest, OfficeTakesItsPpdSheetsAndChoices) {
  const PrinterCapabilities& caps = Named(u"Office").Capabilities();
  EXPECT_EQ(caps.dpiX, 600);
  EXPECT_EQ(caps.dpiY, 600);
  for (const int16_t code : std::initializer_list<int16_t>{1, 8, 9, 11, 13}) EXPECT_TRUE(caps.papers.contains(code)) << code;
  for (const int16_t code : std::initializer_list<int16_t>{5, 12, 20, 28}) EXPECT_FALSE(caps.papers.contains(code)) << code;
  EXPECT_EQ(caps.papers.at(8).keyword, "iso_a3_297x420mm");
  EXPECT_EQ(caps.papers.at(13).keyword, "jis_b5_182x257mm");
  // The PPD's B5, 516 x 729 pt, as the server rounds it: half up, 25717.5 to 25718.
  EXPECT_EQ(caps.papers.at(13).server, (ServerMedia{18203, 25718, 423, 635, 423, 847}));
  EXPECT_EQ(caps.defaultPaper, 9);
  EXPECT_EQ(caps.Choices(PrinterSetting::kOrientation), (SettingChoices{{{kPortrait, ""}, {kLandscape, ""}}, kPortrait}));
  EXPECT_EQ(caps.Choices(PrinterSetting::kPrintQuality),
            (SettingChoices{{{kQualityDraft.code, ""}, {kQualityLow.code, ""}, {kQualityMedium.code, ""}, {kQualityHigh.code, ""}},
                            kQualityMedium.code}));
  EXPECT_EQ(caps.Choices(PrinterSetting::kColorMode), (SettingChoices{{{kMonochrome, ""}, {kColour, ""}}, kColour}));
  EXPECT_EQ(caps.Choices(PrinterSetting::kPaperBin),
            (SettingChoices{{{kBinUpper.code, "top"}, {kBinLower.code, "bottom"}, {kBinManual.code, "manual"}, {kBinAuto.code, "auto"}},
                            kBinAuto.code}));
}

TEST_F(CupsPrintersTest, OfficeDeviceCapsComeFromItsImageableArea) {
  Printer& office = Named(u"Office");
  EXPECT_EQ(office.Get(PrinterSetting::kPaperSize), 9);
  // A4 595 x 842 pt with 12 pt left and right, 18 pt top, 24 pt bottom, at 600 dpi.
  EXPECT_EQ(office.DeviceCaps(kPhysicalWidth), 4958);
  EXPECT_EQ(office.DeviceCaps(kPhysicalHeight), 7017);
  EXPECT_EQ(office.DeviceCaps(kPhysicalOffsetX), 100);
  EXPECT_EQ(office.DeviceCaps(kPhysicalOffsetY), 150);
  EXPECT_EQ(office.DeviceCaps(kHorzRes), 4758);
  EXPECT_EQ(office.DeviceCaps(kVertRes), 6667);
  EXPECT_NEAR(office.ScaleWidth(), 4758 / 600.0 * 1440, 0.01);

  office.Set(PrinterSetting::kOrientation, kOrientationLandscape.code);
  EXPECT_EQ(office.DeviceCaps(kPhysicalWidth), 7017);
  EXPECT_EQ(office.DeviceCaps(kPhysicalHeight), 4958);
  EXPECT_EQ(office.DeviceCaps(kPhysicalOffsetX), 200);
  EXPECT_EQ(office.DeviceCaps(kPhysicalOffsetY), 100);
  EXPECT_EQ(office.DeviceCaps(kHorzRes), 6667);
  EXPECT_EQ(office.DeviceCaps(kVertRes), 4758);

  office.Set(PrinterSetting::kOrientation, kOrientationPortrait.code);
  office.Set(PrinterSetting::kPaperSize, 8);  // A3 842 x 1191 pt
  EXPECT_EQ(office.DeviceCaps(kPhysicalWidth), 7017);
  EXPECT_EQ(office.DeviceCaps(kPhysicalHeight), 9925);
  EXPECT_EQ(office.DeviceCaps(kHorzRes), 6817);
}

TEST_F(CupsPrintersTest, LabelHasItsOwnResolutionStripsAndDefaultSheet) {
  Printer& label = Named(u"Label");
  const PrinterCapabilities& caps = Named(u"Label").Capabilities();
  EXPECT_EQ(caps.dpiX, 203);
  EXPECT_EQ(caps.defaultMedia.keyword, "na_index-4x6_4x6in");
  // No paper size code stands for a 4 x 6 inch label: the size is user-defined.
  EXPECT_EQ(label.Get(PrinterSetting::kPaperSize), 256);
  EXPECT_EQ(label.DeviceCaps(kPhysicalWidth), 812);    // 4 in
  EXPECT_EQ(label.DeviceCaps(kPhysicalHeight), 1218);  // 6 in
  EXPECT_EQ(label.DeviceCaps(kPhysicalOffsetX), 23);   // 8 pt
  EXPECT_EQ(label.DeviceCaps(kPhysicalOffsetY), 28);   // 10 pt
  EXPECT_EQ(label.DeviceCaps(kHorzRes), 778);          // 276 pt
  EXPECT_EQ(label.DeviceCaps(kVertRes), 1173);         // 416 pt
  EXPECT_EQ(caps.Choices(PrinterSetting::kPaperBin), (SettingChoices{{}, kBinAuto.code}));
  EXPECT_EQ(caps.Choices(PrinterSetting::kColorMode), (SettingChoices{{{kMonochrome, ""}}, kMonochrome}));
  EXPECT_EQ(caps.Choices(PrinterSetting::kPrintQuality), (SettingChoices{{{kQualityMedium.code, ""}}, kQualityMedium.code}));
  EXPECT_EQ(label.Get(PrinterSetting::kColorMode), kColourMonochrome.code);
  label.Set(PrinterSetting::kPaperSize, 11);
  EXPECT_EQ(label.Get(PrinterSetting::kPaperSize), 11);
  EXPECT_EQ(label.DeviceCaps(kPhysicalWidth), 1184);  // A5 148.17 mm
}

TEST_F(CupsPrintersTest, LabelRefusesWhatItsQueueDoesNotList) {
  Printer& label = Named(u"Label");
  EXPECT_EQ(test::RefusalText([&] { label.Set(PrinterSetting::kPaperSize, 8); }), "プリンター「Label」は用紙サイズ 8 (A3) に対応していません。");
  EXPECT_EQ(test::RefusalText([&] { label.Set(PrinterSetting::kPaperSize, 9); }), "プリンター「Label」は用紙サイズ 9 (A4) に対応していません。");
  EXPECT_EQ(test::RefusalText([&] { label.Set(PrinterSetting::kColorMode, kColourColour.code); }), "プリンター「Label」はカラーモード 2 (カラー) に対応していません。");
  EXPECT_EQ(test::RefusalText([&] { label.Set(PrinterSetting::kPaperBin, kBinUpper.code); }), "プリンター「Label」は給紙方法 1 (上段トレイ) に対応していません。");
  // "Auto" lets the printer choose: every printer takes it.
  EXPECT_EQ(test::RefusalText([&] { label.Set(PrinterSetting::kPaperBin, kBinAuto.code); }), "accepted");
  EXPECT_EQ(test::RefusalText([&] { label.Set(PrinterSetting::kPrintQuality, kQualityHigh.code); }), "プリンター「Label」は印刷品質 -4 (高) に対応していません。");
  EXPECT_EQ(label.Get(PrinterSetting::kPaperSize), 256);
  EXPECT_EQ(label.Get(PrinterSetting::kColorMode), kColourMonochrome.code);
  EXPECT_EQ(label.Get(PrinterSetting::kPrintQuality), kQualityMedium.code);
  EXPECT_EQ(test::RefusalText([&] { label.Set(PrinterSetting::kPrintQuality, kQualityMedium.code); }), "accepted");
}

TEST_F(CupsPrintersTest, OfficeRefusesSheetsAndBinsItHasNot) {
  Printer& office = Named(u"Office");
  EXPECT_EQ(test::RefusalText([&] { office.Set(PrinterSetting::kPaperSize, 12); }), "プリンター「Office」は用紙サイズ 12 (B4) に対応していません。");
  EXPECT_EQ(test::RefusalText([&] { office.Set(PrinterSetting::kPaperBin, kBinMiddle.code); }), "プリンター「Office」は給紙方法 3 (中段トレイ) に対応していません。");
  EXPECT_EQ(test::RefusalText([&] { office.Set(PrinterSetting::kPaperBin, kBinLower.code); }), "accepted");
  EXPECT_EQ(office.Get(PrinterSetting::kPaperBin), kBinLower.code);
}

TEST_F(CupsPrintersTest, SwitchingPrintersStartsTheNewOneFromItsDefaults) {
  PrinterObject printer(*list_);
  printer.Set(PrinterSetting::kPaperSize, 8);
  list_->MakeCurrent(0);
  EXPECT_EQ(printer.DeviceName(), u"Label");
  printer.Set(PrinterSetting::kPaperSize, 11);
  list_->MakeCurrent(1);
  EXPECT_EQ(printer.DeviceName(), u"Office");
  EXPECT_EQ(printer.Get(PrinterSetting::kPaperSize), 9);
  list_->MakeCurrent(0);
  EXPECT_EQ(printer.Get(PrinterSetting::kPaperSize), 256);
}

}  // namespace
}  // namespace vant::printing
