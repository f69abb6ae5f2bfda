#include "platform/host/html_charset.h"

#include <gtest/gtest.h>

#include <string>

namespace vant::platform {
namespace {

TEST(HtmlCharsetLabels, NamesOfTheJapaneseEncodingsAsBrowsersKnowThem) {
  for (const char* label : {"shift_jis", "Shift_JIS", "sjis", "x-sjis", "windows-31j",
                            "MS_Kanji", "csShiftJIS", "shift-jis", "ms932"}) {
    EXPECT_EQ(EncodingFromLabel(label), PageEncoding::kShiftJis) << label;
  }
  for (const char* label : {"euc-jp", "EUC-JP", "x-euc-jp", "cseucpkdfmtjapanese"}) {
    EXPECT_EQ(EncodingFromLabel(label), PageEncoding::kEucJp) << label;
  }
  for (const char* label : {"utf-8", "UTF8", "unicode-1-1-utf-8"}) {
    EXPECT_EQ(EncodingFromLabel(label), PageEncoding::kUtf8) << label;
  }
}

TEST(HtmlCharsetLabels, SurroundingWhiteSpaceIsIgnoredButNotInnerText) {
  EXPECT_EQ(EncodingFromLabel(" \tShift_JIS\r\n"), PageEncoding::kShiftJis);
  EXPECT_EQ(EncodingFromLabel("shift_ jis"), std::nullopt);
  EXPECT_EQ(EncodingFromLabel(""), std::nullopt);
}

TEST(HtmlCharsetLabels, Utf16DeclaredInMarkupReadsAsUtf8) {
  // A page whose bytes the prescan could read is not UTF-16, whatever it declares.
  EXPECT_EQ(EncodingFromLabel("utf-16"), PageEncoding::kUtf8);
  EXPECT_EQ(EncodingFromLabel("UTF-16BE"), PageEncoding::kUtf8);
  EXPECT_EQ(EncodingFromLabel("unicode"), PageEncoding::kUtf8);
}

TEST(HtmlCharsetLabels, EncodingsThisSystemDoesNotReadAreUnknown) {
  EXPECT_EQ(EncodingFromLabel("iso-2022-jp"), std::nullopt);
  EXPECT_EQ(EncodingFromLabel("windows-1252"), std::nullopt);
  EXPECT_EQ(EncodingFromLabel("x-mac-japanese"), std::nullopt);
}

TEST(HtmlByteOrderMark, RecognisesTheThreeMarks) {
  EXPECT_EQ(DetectByteOrderMark("\xEF\xBB\xBF<html>")->encoding, PageEncoding::kUtf8);
  EXPECT_EQ(DetectByteOrderMark("\xEF\xBB\xBF<html>")->length, 3u);
  EXPECT_EQ(DetectByteOrderMark(std::string("\xFF\xFE<\0", 4))->encoding, PageEncoding::kUtf16Le);
  EXPECT_EQ(DetectByteOrderMark(std::string("\xFE\xFF\0<", 4))->encoding, PageEncoding::kUtf16Be);
  EXPECT_EQ(DetectByteOrderMark(std::string("\xFE\xFF\0<", 4))->length, 2u);
  EXPECT_EQ(DetectByteOrderMark("\xEF\xBB<html>"), std::nullopt);
  EXPECT_EQ(DetectByteOrderMark(""), std::nullopt);
}

TEST(HtmlByteOrderMark, WinsOverTheMetaDeclaration) {
  EXPECT_EQ(DetectPageEncoding("\xEF\xBB\xBF<meta charset=shift_jis>"), PageEncoding::kUtf8);
}

TEST(HtmlMetaPrescan, CharsetAttributeQuotedOrNot) {
  EXPECT_EQ(PrescanMetaCharset("<meta charset=\"Shift_JIS\">"), PageEncoding::kShiftJis);
  EXPECT_EQ(PrescanMetaCharset("<meta charset='euc-jp'>"), PageEncoding::kEucJp);
  EXPECT_EQ(PrescanMetaCharset("<meta charset=sjis>"), PageEncoding::kShiftJis);
  EXPECT_EQ(PrescanMetaCharset("<META CHARSET=SJIS />"), PageEncoding::kShiftJis);
  // An unquoted value runs on to white space or ">": "sjis/" is no label.
  EXPECT_EQ(PrescanMetaCharset("<meta charset=sjis/>"), std::nullopt);
  EXPECT_EQ(PrescanMetaCharset("<meta\ncharset = \"shift_jis\" >"), PageEncoding::kShiftJis);
  EXPECT_EQ(PrescanMetaCharset("<meta/charset=euc-jp>"), PageEncoding::kEucJp);
}

TEST(HtmlMetaPrescan, HttpEquivContentType) {
  EXPECT_EQ(PrescanMetaCharset(
                "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"),
            PageEncoding::kShiftJis);
  // Attribute order, case and quotes do not matter; the charset may be quoted inside.
  EXPECT_EQ(PrescanMetaCharset(
                "<META CONTENT='text/html;CHARSET=\"x-euc-jp\"' HTTP-EQUIV=content-type>"),
            PageEncoding::kEucJp);
  EXPECT_EQ(PrescanMetaCharset(
                "<meta http-equiv=Content-Type content=text/html;charset=sjis>"),
            PageEncoding::kShiftJis);
}

TEST(HtmlMetaPrescan, ContentWithoutTheContentTypePragmaDoesNotCount) {
  EXPECT_EQ(PrescanMetaCharset("<meta content=\"text/html; charset=Shift_JIS\">"), std::nullopt);
  EXPECT_EQ(PrescanMetaCharset("<meta name=description content=\"charset=Shift_JIS\">"
                               "<meta charset=euc-jp>"),
            PageEncoding::kEucJp);
}

TEST(HtmlMetaPrescan, ACharsetAttributeWinsOverContentInTheSameElement) {
  EXPECT_EQ(PrescanMetaCharset("<meta charset=euc-jp http-equiv=content-type "
                               "content=\"text/html; charset=shift_jis\">"),
            PageEncoding::kEucJp);
}

TEST(HtmlMetaPrescan, AnUnknownLabelIsPassedOverForTheNextDeclaration) {
  EXPECT_EQ(PrescanMetaCharset("<meta charset=klingon><meta charset=shift_jis>"),
            PageEncoding::kShiftJis);
  EXPECT_EQ(PrescanMetaCharset("<meta charset=klingon>"), std::nullopt);
}

TEST(HtmlMetaPrescan, TheFirstDeclarationWins) {
  EXPECT_EQ(PrescanMetaCharset("<meta charset=euc-jp><meta charset=shift_jis>"),
            PageEncoding::kEucJp);
}

TEST(HtmlMetaPrescan, CommentsAndOtherTagsAreSkipped) {
  EXPECT_EQ(PrescanMetaCharset("<!-- <meta charset=euc-jp> --><meta charset=shift_jis>"),
            PageEncoding::kShiftJis);
  // A ">" inside a quoted attribute value does not end the tag early.
  EXPECT_EQ(PrescanMetaCharset("<a title='x> <meta charset=euc-jp>'><meta charset=sjis>"),
            PageEncoding::kShiftJis);
  EXPECT_EQ(PrescanMetaCharset("<!DOCTYPE html><?xml version='1.0'?></p><meta charset=sjis>"),
            PageEncoding::kShiftJis);
  // "<metadata" is not a META element.
  EXPECT_EQ(PrescanMetaCharset("<metadata charset=sjis>"), std::nullopt);
  // An unclosed comment hides everything after it.
  EXPECT_EQ(PrescanMetaCharset("<!-- <meta charset=sjis>"), std::nullopt);
}

TEST(HtmlMetaPrescan, LooksOnlyAtTheFirstKibibyte) {
  const std::string filler(kPrescanBytes - 30, ' ');
  EXPECT_EQ(PrescanMetaCharset(filler + "<meta charset=sjis>"), PageEncoding::kShiftJis);
  const std::string farFiller(kPrescanBytes, ' ');
  EXPECT_EQ(PrescanMetaCharset(farFiller + "<meta charset=sjis>"), std::nullopt);
  // A declaration cut by the limit is not read.
  const std::string cutFiller(kPrescanBytes - 12, ' ');
  EXPECT_EQ(PrescanMetaCharset(cutFiller + "<meta charset=shift_jis>"), std::nullopt);
}

TEST(HtmlMetaPrescan, WithoutDeclarationThePageIsUtf8) {
  EXPECT_EQ(DetectPageEncoding("<html><body>請求書</body></html>"), PageEncoding::kUtf8);
  EXPECT_EQ(DetectPageEncoding(""), PageEncoding::kUtf8);
  EXPECT_EQ(DetectPageEncoding("<meta charset=windows-1252>"), PageEncoding::kUtf8);
}

TEST(HtmlMetaPrescan, BrokenMarkupEndsWithoutADeclaration) {
  EXPECT_EQ(PrescanMetaCharset("<meta charset='sjis"), std::nullopt);
  EXPECT_EQ(PrescanMetaCharset("<meta charset="), std::nullopt);
  EXPECT_EQ(PrescanMetaCharset("<meta http-equiv=content-type content='charset="), std::nullopt);
  EXPECT_EQ(PrescanMetaCharset("<"), std::nullopt);
  EXPECT_EQ(PrescanMetaCharset("<!"), std::nullopt);
  EXPECT_EQ(PrescanMetaCharset("<meta"), std::nullopt);
}

}  // namespace
}  // namespace vant::platform
