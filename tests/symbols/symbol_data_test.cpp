// What the core checks and completes before an encoder sees the data: ITF-14's and the
// GS1 keys' check digits, the forms of GS1 data, Code 128's characters, the QR level.
#include "symbols/symbol_data.h"

#include <gtest/gtest.h>

namespace vant {
namespace {

struct Row {
  int number;
  EncodedKind kind;
  TextView data;
  TextView prepared;  // empty when refused
  TextView refusal;   // empty when prepared
};

// Check digits by hand, weights 3 and 1 from the right:
//   1491234567890 (ITF-14): 3x(0+8+6+4+2+9+1) + (9+7+5+3+1+4) = 90 + 29 = 119 -> 1
//   0491234567890 (GS1 01): 3x(0+8+6+4+2+9+0) + (9+7+5+3+1+4) = 87 + 29 = 116 -> 4
//   12345678901234567 (SSCC 00): 3x(7+5+3+1+9+7+5+3+1) + (6+4+2+0+8+6+4+2) = 123 + 32 = 155 -> 5
const Row kRows[] = {
    {1, EncodedKind::kItf, u"1491234567890", u"14912345678901", u""},
    {2, EncodedKind::kItf, u"12345678", u"12345678", u""},
    {3, EncodedKind::kItf, u"12345", u"", u"ITF のデータは偶数桁か、チェックデジットを付ける 13 桁の数字で指定してください。12345"},
    {4, EncodedKind::kItf, u"12a4", u"", u"不正な文字aがあるため処理できません。12a4"},
    {5, EncodedKind::kGs1_128, u"(01)0491234567890", u"(01)04912345678904", u""},
    {6, EncodedKind::kGs1_128, u"(01)04912345678904(10)AB12", u"(01)04912345678904(10)AB12", u""},
    {7, EncodedKind::kGs1_128, u"(01)04912345678905", u"", u"チェックデジットが正しくありません。(01)04912345678905"},
    {8, EncodedKind::kGs1_128, u"(00)12345678901234567", u"(00)123456789012345675", u""},
    {9, EncodedKind::kGs1_128, u"(91)912345123456789012345678901234567890123",
     u"(91)912345123456789012345678901234567890123", u""},
    {10, EncodedKind::kGs1_128, u"0104912345678904", u"",
     u"GS1-128 のデータは (01)04912345678904 のように、括弧で囲んだアプリケーション識別子とデータを並べて指定してください。0104912345678904"},
    {11, EncodedKind::kGs1_128, u"(01)", u"",
     u"GS1-128 のデータは (01)04912345678904 のように、括弧で囲んだアプリケーション識別子とデータを並べて指定してください。(01)"},
    {12, EncodedKind::kGs1_128, u"(1)23", u"",
     u"GS1-128 のデータは (01)04912345678904 のように、括弧で囲んだアプリケーション識別子とデータを並べて指定してください。(1)23"},
    {13, EncodedKind::kGs1_128, u"(10)A B", u"", u"不正な文字 があるため処理できません。(10)A B"},
    {14, EncodedKind::kCode128, u"ABC-123 xyz", u"ABC-123 xyz", u""},
    {15, EncodedKind::kCode128, u"ＡBC", u"", u"不正な文字Ａがあるため処理できません。ＡBC"},
    {16, EncodedKind::kQr, u"請求書 No.1", u"請求書 No.1", u""},
    {17, EncodedKind::kQr, u"a\xD800", u"", u"不正な文字\xD800があるため処理できません。a\xD800"},
    {18, EncodedKind::kCode128, u"", u"", u"データが空です\uFF61"},
};

TEST(SymbolData, CheckedAndCompleted) {
  for (const Row& row : kRows) {
    const PreparedData p = PrepareData(row.kind, row.data);
    EXPECT_EQ(ToUtf8(p.data), ToUtf8(row.prepared)) << "row " << row.number;
    EXPECT_EQ(ToUtf8(p.refusal), ToUtf8(row.refusal)) << "row " << row.number;
  }
}

TEST(SymbolData, DataBeyondTheLargestSymbolIsRefusedBeforeEncoding) {
  EXPECT_EQ(PrepareData(EncodedKind::kQr, Text(7089, u'1')).refusal, u"");
  EXPECT_EQ(ToUtf8(PrepareData(EncodedKind::kQr, Text(7090, u'1')).refusal), "データが長すぎて記号に収まりません。");
}

TEST(SymbolData, QrLevels) {
  EXPECT_EQ(QrLevelFrom(u""), QrLevel::kM);
  EXPECT_EQ(QrLevelFrom(u"l"), QrLevel::kL);
  EXPECT_EQ(QrLevelFrom(u"Q"), QrLevel::kQ);
  EXPECT_EQ(QrLevelFrom(u"h"), QrLevel::kH);
  for (const TextView bad : {u"X", u"MM", u" M", u"1"}) EXPECT_EQ(QrLevelFrom(bad), std::nullopt) << ToUtf8(bad);
}

}  // namespace
}  // namespace vant
