#include <gtest/gtest.h>

#include "common/text.h"
#include "engine/papers.h"
#include "platform/printing/printer_choices.h"

namespace vant::printing {
namespace {

TEST(UnsupportedText, NamesPrinterSettingCodeAndChoice) {
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Office", Setting::kPaperSize, 8)),
            "プリンター「Office」は用紙サイズ 8 (A3) に対応していません。");
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Label", Setting::kColorMode, 2)),
            "プリンター「Label」はカラーモード 2 (カラー) に対応していません。");
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Label", Setting::kPaperBin, 14)),
            "プリンター「Label」は給紙方法 14 (カセット) に対応していません。");
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Label", Setting::kPrintQuality, -1)),
            "プリンター「Label」は印刷品質 -1 (ドラフト) に対応していません。");
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Office", Setting::kOrientation, 2)),
            "プリンター「Office」は印刷の向き 2 (横) に対応していません。");
}

TEST(UnsupportedText, CodeWithoutNameIsGivenAsTheNumberAlone) {
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Office", Setting::kPaperSize, 57)),
            "プリンター「Office」は用紙サイズ 57 に対応していません。");
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Office", Setting::kPaperBin, 12)),
            "プリンター「Office」は給紙方法 12 に対応していません。");
  EXPECT_EQ(ToUtf8(UnsupportedText(u"Office", Setting::kOrientation, 0)),
            "プリンター「Office」は印刷の向き 0 に対応していません。");
}

TEST(ChoiceName, EveryPaperCodeHasANameAndNoOtherCodeHasOne) {
  for (const PaperSheet& sheet : kPaperSheets) {
    EXPECT_FALSE(ChoiceName(Setting::kPaperSize, sheet.code).empty()) << sheet.code;
  }
  EXPECT_EQ(ChoiceName(Setting::kPaperSize, kPaperUser), u"ユーザー定義");
  EXPECT_TRUE(ChoiceName(Setting::kPaperSize, 0).empty());
  EXPECT_TRUE(ChoiceName(Setting::kPaperSize, 42).empty());
  EXPECT_TRUE(ChoiceName(Setting::kPaperSize, 255).empty());
}

TEST(IppValues, OrientationIsPortraitThreeLandscapeFour) {
  EXPECT_EQ(IppOrientation(1), 3);
  EXPECT_EQ(IppOrientation(2), 4);
  EXPECT_FALSE(IppOrientation(0));
  EXPECT_FALSE(IppOrientation(3));
}

TEST(IppValues, QualityFoldsFourCodesOntoThreeServerValues) {
  EXPECT_EQ(IppQuality(-1), kIppDraft);
  EXPECT_EQ(IppQuality(-2), kIppDraft);
  EXPECT_EQ(IppQuality(-3), kIppNormal);
  EXPECT_EQ(IppQuality(-4), kIppHigh);
  EXPECT_FALSE(IppQuality(0));
  EXPECT_FALSE(IppQuality(-5));
  EXPECT_FALSE(IppQuality(4));
  // Read back from a server, each value gives the code that prints it.
  EXPECT_EQ(QualityCode(kIppDraft), -1);
  EXPECT_EQ(QualityCode(kIppNormal), -3);
  EXPECT_EQ(QualityCode(kIppHigh), -4);
  EXPECT_FALSE(QualityCode(6));
}

TEST(IppValues, ColourModes) {
  EXPECT_EQ(IppColorMode(1), "monochrome");
  EXPECT_EQ(IppColorMode(2), "color");
  EXPECT_FALSE(IppColorMode(0));
  EXPECT_FALSE(IppColorMode(3));
  EXPECT_EQ(ColorModeCode("monochrome"), 1);
  EXPECT_EQ(ColorModeCode("color"), 2);
  EXPECT_FALSE(ColorModeCode("auto"));
  EXPECT_FALSE(ColorModeCode("Color"));
}

TEST(IppValues, PaperBinsAsMediaSources) {
  const auto first = [](int16_t code) {
    const auto sources = MediaSourcesFor(code);
    return sources.empty() ? std::string("(none)") : std::string(sources.front());
  };
  EXPECT_EQ(first(1), "top");
  EXPECT_EQ(first(2), "bottom");
  EXPECT_EQ(first(3), "middle");
  EXPECT_EQ(first(4), "manual");
  EXPECT_EQ(first(5), "envelope");
  EXPECT_EQ(first(6), "by-pass-tray");
  EXPECT_EQ(first(7), "auto");
  EXPECT_EQ(first(11), "large-capacity");
  // The cassette is the main tray, or the first numbered tray where there is no main one.
  EXPECT_EQ(MediaSourcesFor(14), (std::vector<std::string_view>{"main", "tray-1"}));
  // 12 and 13 are no paper bins; 0 and 15 neither.
  for (const int16_t code : std::initializer_list<int16_t>{0, 12, 13, 15, -1}) {
    EXPECT_TRUE(MediaSourcesFor(code).empty()) << code;
  }
  EXPECT_EQ(PaperBinCodes(), (std::vector<int16_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14}));
}

TEST(IppValues, MediaSourcesReadBackAsTheirBins) {
  for (const int16_t code : PaperBinCodes()) {
    for (const std::string_view source : MediaSourcesFor(code)) {
      EXPECT_EQ(PaperBinCode(source), code) << source;
    }
  }
  EXPECT_FALSE(PaperBinCode("photo"));
  EXPECT_FALSE(PaperBinCode(""));
  EXPECT_FALSE(PaperBinCode("Top"));
}

}  // namespace
}  // namespace vant::printing
