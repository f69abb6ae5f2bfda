// The platform's symbol encoder: the size of what it makes (Kanji mode keeps Japanese text
// in the smallest QR version), its refusals in Japanese, and the core's checks of what it
// hands back.
#include "platform/symbols/zint_encoder.h"

#include <gtest/gtest.h>

namespace vant::symbols {
namespace {

struct Row {
  int number;
  EncodedKind kind;
  TextView data;
  QrLevel level;
  int rows;
  int columns;
};

// QR: 8 kanji in Kanji mode are 4 + 8 + 8 x 13 = 116 bits, within version 1 at M (128);
// as UTF-8 bytes they would be 24 bytes, 204 bits, version 2 (25 modules). Korean is not
// Shift_JIS text: its 9 UTF-8 bytes go as bytes (4 + 8 + 72 = 84 bits, version 1).
// Code 128 "AB": start B, A, B, check (11 each), stop 13 = 57. ITF "12345678": 4 pairs of
// 18, start 4 and stop 5 = 81. GS1-128 (01)04912345678904: start C, FNC1, 8 pairs, check
// (11 x 11), stop 13 = 134.
const Row kRows[] = {
    {1, EncodedKind::kQr, u"請求書山田太郎様", QrLevel::kM, 21, 21},
    {2, EncodedKind::kQr, u"請求書山田太郎様", QrLevel::kH, 25, 25},
    {3, EncodedKind::kQr, u"한국어", QrLevel::kM, 21, 21},
    {4, EncodedKind::kCode128, u"AB", QrLevel::kM, 1, 57},
    {5, EncodedKind::kItf, u"12345678", QrLevel::kM, 1, 81},
    {6, EncodedKind::kGs1_128, u"(01)04912345678904", QrLevel::kM, 1, 134},
};

TEST(ZintEncoder, SizesOfTheSymbolsItMakes) {
  const ZintEncoder encoder;
  for (const Row& row : kRows) {
    const SymbolModules s = encoder.Encode(row.kind, row.data, row.level);
    ASSERT_FALSE(s.Refused()) << "row " << row.number << ": " << ToUtf8(s.refusal);
    EXPECT_EQ(s.rows, row.rows) << "row " << row.number;
    EXPECT_EQ(s.columns, row.columns) << "row " << row.number;
    EXPECT_EQ(s.dark.size(), static_cast<size_t>(s.rows * s.columns)) << "row " << row.number;
  }
}

TEST(ZintEncoder, TheFinderPatternComesOutAtItsCorner) {
  const SymbolModules s = ZintEncoder().Encode(EncodedKind::kQr, u"1", QrLevel::kL);
  ASSERT_EQ(s.rows, 21);
  const char* finder[] = {"1111111", "1000001", "1011101", "1011101", "1011101", "1000001", "1111111"};
  for (int r = 0; r < 7; ++r) {
    std::string row;
    for (int c = 0; c < 7; ++c) row += s.Dark(r, c) ? '1' : '0';
    EXPECT_EQ(row, finder[r]) << "row " << r;
    std::string right;
    for (int c = 14; c < 21; ++c) right += s.Dark(r, c) ? '1' : '0';
    EXPECT_EQ(right, finder[r]) << "row " << r << " of the right finder";
  }
}

TEST(ZintEncoder, RefusalsInJapanese) {
  const ZintEncoder encoder;
  const struct {
    EncodedKind kind;
    Text data;  // owned: some rows are made here, not literals
    TextView refusal;
  } rows[] = {
      // AI 01 takes 14 digits.
      {EncodedKind::kGs1_128, u"(01)049123456789", u"GS1 の規則に合わないデータです。アプリケーション識別子 (01)"},
      // No AI 99999 (four digits at most; 9999 is none of GS1's).
      {EncodedKind::kGs1_128, u"(9999)1", u"GS1 の規則に合わないデータです。アプリケーション識別子 (9999)"},
      {EncodedKind::kCode128, Text(300, u'A'), u"データが長すぎて記号に収まりません。"},
      {EncodedKind::kQr, Text(3000, u'漢'), u"データが長すぎて記号に収まりません。"},
  };
  for (const auto& row : rows) {
    const SymbolModules s = encoder.Encode(row.kind, row.data, QrLevel::kM);
    EXPECT_TRUE(s.Refused()) << ToUtf8(row.data.substr(0, 20));
    EXPECT_EQ(ToUtf8(s.refusal), ToUtf8(row.refusal)) << ToUtf8(row.data.substr(0, 20));
  }
}

}  // namespace
}  // namespace vant::symbols
