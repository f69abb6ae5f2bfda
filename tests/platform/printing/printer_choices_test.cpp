#include "platform/printing/printer_choices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text.h"
#include "engine/papers.h"
#include "engine/setting_values.h"
#include "engine/setup_keywords.h"
#include "platform/printing/printer_capabilities.h"

namespace vant::printing {
namespace {

TEST(UnsupportedText, NamesPrinterSettingCodeAndChoice) {
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Office", PrinterSetting::kPaperSize, 8)),
            "プリンター「Office」は用紙サイズ 8 (A3) に対応していません。");
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Label", PrinterSetting::kColorMode, kColourColour.code)),
            "プリンター「Label」はカラーモード 2 (カラー) に対応していません。");
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Label", PrinterSetting::kPaperBin, kBinCassette.code)),
            "プリンター「Label」は給紙方法 14 (カセット) に対応していません。");
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Label", PrinterSetting::kPrintQuality, kQualityDraft.code)),
            "プリンター「Label」は印刷品質 -1 (ドラフト) に対応していません。");
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Office", PrinterSetting::kOrientation, kOrientationLandscape.code)),
            "プリンター「Office」は印刷の向き 2 (横) に対応していません。");
}

TEST(UnsupportedText, CodeWithoutNameIsGivenAsTheNumberAlone) {
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Office", PrinterSetting::kPaperSize, 57)),
            "プリンター「Office」は用紙サイズ 57 に対応していません。");
  // 12 is the cassette's keyword, not its code.
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Office", PrinterSetting::kPaperBin, 12)),
            "プリンター「Office」は給紙方法 12 に対応していません。");
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Office", PrinterSetting::kOrientation, 0)),
            "プリンター「Office」は印刷の向き 0 に対応していません。");
}

TEST(ChoiceName, EveryPaperCodeHasANameAndNoOtherCodeHasOne) {
  for (const PaperSheet& sheet : kPaperSheets) {
    EXPECT_FALSE(ChoiceName(PrinterSetting::kPaperSize, sheet.code).empty()) << sheet.code;
  }
  EXPECT_EQ(ChoiceName(PrinterSetting::kPaperSize, kPaperUser), u"ユーザー定義");
  EXPECT_TRUE(ChoiceName(PrinterSetting::kPaperSize, 0).empty());
  EXPECT_TRUE(ChoiceName(PrinterSetting::kPaperSize, 42).empty());
  EXPECT_TRUE(ChoiceName(PrinterSetting::kPaperSize, 255).empty());
}

// Each setting's rows: the command's keywords find the row's code, the IPP value reads back
// as the row (the first of those sharing it), and the refusal names the row.
TEST(SettingRows, KeywordsIppValuesAndNamesAgreeRowByRow) {
  for (const PrinterSettingRow& s : PrinterSettingRows()) {
    if (s.id == PrinterSetting::kPaperSize) continue;  // its values are the papers
    const auto rows = s.values;
    ASSERT_EQ(rows.size(), s.keywords.size());
    for (const SettingValue& row : rows) {
      SCOPED_TRACE(ToUtf8(row.name));
      for (const auto form : row.keywords) {
        if (!form.empty()) {
          EXPECT_EQ(FindKeyword(s.keywords, form), row.code);
        }
      }
      EXPECT_EQ(ChoiceName(s.id, row.code), row.name);
      const SettingValue* back = row.ippEnum != 0 ? RowForIpp(rows, row.ippEnum) : RowForIpp(rows, row.ippKeywords[0]);
      ASSERT_NE(back, nullptr);
      EXPECT_EQ(back->ippEnum, row.ippEnum);
      EXPECT_EQ(back->ippKeywords[0], row.ippKeywords[0]);
    }
  }
}

TEST(SettingRows, TheServersValues) {
  EXPECT_EQ(kOrientationPortrait.ippEnum, 3);
  EXPECT_EQ(kOrientationLandscape.ippEnum, 4);
  // Four qualities fold onto the server's three; draft reads back as the draft row.
  EXPECT_EQ(kQualityLow.ippEnum, kQualityDraft.ippEnum);
  EXPECT_EQ(RowForIpp(kPrintQualities, kIppDraft), &kPrintQualities[0]);
  EXPECT_EQ(RowForIpp(kPrintQualities, kIppNormal)->code, kQualityMedium.code);
  EXPECT_EQ(RowForIpp(kPrintQualities, 6), nullptr);
  EXPECT_EQ(RowForIpp(kColourModes, "Color"), nullptr);
  EXPECT_EQ(RowForIpp(kColourModes, "color")->code, kColourColour.code);
  // The cassette is the main tray, or the first numbered tray where there is no main one.
  EXPECT_EQ(RowForIpp(kPaperBins, "tray-1")->code, kBinCassette.code);
  EXPECT_EQ(RowForIpp(kPaperBins, "main")->code, kBinCassette.code);
  EXPECT_EQ(kBinManual.ippKeywords[0], "manual");
  EXPECT_EQ(kBinEnvelopeManual.ippKeywords[0], "by-pass-tray");
  for (const std::string_view none : {"photo", "", "Top"}) EXPECT_EQ(RowForIpp(kPaperBins, none), nullptr) << none;
  // The twelfth bin keyword sets the cassette's code; 12 and 13 are no bin codes.
  EXPECT_EQ(FindKeyword(kPaperBinKeywords, u"12"), kBinCassette.code);
  for (const int16_t code : {int16_t{0}, int16_t{12}, int16_t{13}, int16_t{15}}) {
    EXPECT_EQ(RowFor(kPaperBins, code), nullptr) << code;
  }
}

// What a printer starts with when its server names no default: the first start code it
// takes, else the last; the built-in PDF printer takes every value.
TEST(SettingRows, APrinterStartsAtTheFirstStartCodeItTakes) {
  const struct {
    int line;
    PrinterSetting setting;
    std::vector<int16_t> taken;
    int16_t start;
  } rows[] = {
      {__LINE__, PrinterSetting::kColorMode, {kMonochrome, kColour}, kColour},
      {__LINE__, PrinterSetting::kColorMode, {kMonochrome}, kMonochrome},
      {__LINE__, PrinterSetting::kColorMode, {}, kMonochrome},
      {__LINE__, PrinterSetting::kPrintQuality, {kQualityDraft.code, kQualityHigh.code}, kQualityMedium.code},
      {__LINE__, PrinterSetting::kPaperBin, {kBinUpper.code}, kBinAuto.code},
      {__LINE__, PrinterSetting::kOrientation, {kLandscape}, kPortrait},
  };
  for (const auto& r : rows) {
    SettingChoices choices;
    for (const int16_t code : r.taken) choices.codes.emplace(code, "");
    EXPECT_EQ(StartCode(RowOf(r.setting), choices), r.start) << "line " << r.line;
  }
  const auto every = EveryChoice();
  for (const PrinterSettingRow& row : PrinterSettingRows()) {
    const SettingChoices& taken = every[IndexOf(row.id)];
    EXPECT_EQ(taken.codes.size(), row.values.size()) << ToUtf8(row.name);
    EXPECT_EQ(taken.defaultCode, row.startCodes[0]) << ToUtf8(row.name);
  }
  EXPECT_EQ(every[IndexOf(PrinterSetting::kPaperBin)].codes.at(kBinCassette.code), "main");
}

}  // namespace
}  // namespace vant::printing
