// The five commands through the command table with a fake encoder: QR modules painted m x m
// dots from one whole-dot corner, linear symbols by the bar painter with their quiet zones,
// what the core hands the encoder, what it refuses of the encoder's answer, the stop texts,
// and the preview: recorded encoded, replayed through the scratch box, blank when refused.
#include "symbols/symbol_commands.h"

#include <gtest/gtest.h>

#include "bar_marks.h"
#include "common/failure.h"
#include "draw/method_commands.h"
#include "engine/page_record.h"
#include "fake_platform.h"
#include "fake_symbol_encoder.h"
#include "method_of.h"

namespace vant {
namespace {

class SymbolCommandsTest : public ::testing::Test {
 protected:
  SymbolCommandsTest() : encoder(test::ReadyFakeEncoder()) {}
  // The printer measures in twips: 1440 twips = 600 pixels.
  static MethodRec MethodFrom(const std::vector<Text>& fields) {
    MethodRec m;
    for (size_t i = 0; i < fields.size(); ++i) m.field[i] = fields[i];
    return m;
  }
  std::optional<Text> Print(const std::vector<Text>& fields, const SymbolEncoder* symbols) {
    const MethodRec m = MethodFrom(fields);
    return FindCommand(MethodCommands(), m.field[0])->marks->print(platform.printer, m, symbols);
  }
  std::vector<test::Mark> Fills() { return test::FillsOf(platform.Current().Marks()); }

  test::FakeSymbolEncoder encoder;
  test::FakePlatform platform;
};

TEST_F(SymbolCommandsTest, TheFiveCommandsAreBarcodes) {
  for (const TextView c : {u"prnqr", u"prngs1128", u"prncode128", u"prnitf", u"prncustomer", u"PrnQR"}) {
    const CommandRow* row = FindCommand(MethodCommands(), c);
    ASSERT_NE(row, nullptr) << ToUtf8(c);
    EXPECT_EQ(row->kind, CommandKind::kBarcode) << ToUtf8(c);
  }
}

// Side 1440 twips = 600 dots for 21 modules: m = 29 (21 x 28 = 588 < 600), from the corner
// at 1000 twips = 416.67 -> 417 dots and 500 twips = 208.33 -> 208.
TEST_F(SymbolCommandsTest, QrModulesAreWholeDotsInBothDirections) {
  ASSERT_EQ(Print({u"prnqr", u"1000", u"500", u"請求書", u"1440", u"h"}, &encoder), std::nullopt);
  ASSERT_EQ(encoder.asked.size(), 1u);
  EXPECT_EQ(encoder.asked[0].data, u"請求書");
  EXPECT_EQ(encoder.asked[0].level, QrLevel::kH);
  constexpr int m = 29, left = 417, top = 208;
  SymbolModules painted;
  painted.rows = painted.columns = 21;
  painted.dark.assign(21 * 21, 0);
  for (const test::Mark& f : Fills()) {
    ASSERT_EQ(static_cast<int>(f.x1 - left) % m, 0) << f.x1;
    ASSERT_EQ(static_cast<int>(f.y1 - top) % m, 0) << f.y1;
    ASSERT_EQ(static_cast<int>(f.x2) % m, 0) << f.x2;
    ASSERT_EQ(f.y2, m);
    const int r = static_cast<int>(f.y1 - top) / m;
    for (int c = static_cast<int>(f.x1 - left) / m; c < static_cast<int>(f.x1 + f.x2 - left) / m; ++c) {
      painted.dark[static_cast<size_t>(r * 21 + c)] = 1;
    }
  }
  EXPECT_EQ(painted.dark, encoder.matrix.dark);
  EXPECT_EQ(platform.Current().ScaleMode(), kScaleTwips);
}

TEST_F(SymbolCommandsTest, LinearSymbolsArePaintedWithTenModuleQuietZones) {
  // 23 modules and 2 x 10 quiet: 43 modules; 1440 twips = 600 dots -> m = 14 (43 x 14 = 602).
  ASSERT_EQ(Print({u"prncode128", u"0", u"0", u"AB", u"1440", u"720", u"false"}, &encoder), std::nullopt);
  const auto fills = Fills();
  EXPECT_EQ(test::ModulesFromFills(fills, 0, 14, 43), u"0000000000" u"11010010000100111001011" u"0000000000");
  EXPECT_EQ(fills.front().y2, 300);
}

TEST_F(SymbolCommandsTest, WhatTheEncoderIsAskedAndTheTextShown) {
  const struct {
    std::vector<Text> fields;
    EncodedKind kind;
    TextView asked;
    TextView shown;
  } rows[] = {
      {{u"prnitf", u"0", u"0", u"1491234567890", u"1440", u"720", u"true"}, EncodedKind::kItf, u"14912345678901",
       u"14912345678901"},
      {{u"prngs1128", u"0", u"0", u"(01)0491234567890(10)A1", u"1440", u"720", u"true"}, EncodedKind::kGs1_128,
       u"(01)04912345678904(10)A1", u"(01)04912345678904(10)A1"},
      {{u"prncode128", u"0", u"0", u"abc", u"1440", u"720", u"TRUE"}, EncodedKind::kCode128, u"abc", u"abc"},
  };
  for (const auto& row : rows) {
    encoder.asked.clear();
    platform.Current().Marks().marks.clear();
    ASSERT_EQ(Print(row.fields, &encoder), std::nullopt) << ToUtf8(row.asked);
    ASSERT_EQ(encoder.asked.size(), 1u);
    EXPECT_EQ(encoder.asked[0].kind, row.kind);
    EXPECT_EQ(ToUtf8(encoder.asked[0].data), ToUtf8(row.asked));
    const auto texts = test::TextsOf(platform.Current().Marks());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(ToUtf8(texts[0].text), ToUtf8(row.shown));
  }
}

TEST_F(SymbolCommandsTest, RefusalsStopTheRunWithTheirText) {
  test::FakeSymbolEncoder malformed;
  malformed.matrix = test::Version1Matrix();
  malformed.matrix.dark.pop_back();                       // fewer modules than rows x columns
  malformed.bars = test::BarsOf(u"0110");                 // a linear symbol must start and end with a bar
  test::FakeSymbolEncoder refusing;
  refusing.matrix.refusal = u"データが長すぎて記号に収まりません。";
  const struct {
    int number;
    std::vector<Text> fields;
    const SymbolEncoder* symbols;
    TextView message;
  } rows[] = {
      {1, {u"prnqr", u"0", u"0", u"x", u"1440", u"X"}, &encoder, u"誤り訂正レベルは L、M、Q、H のいずれかで指定してください。X"},
      {2, {u"prnqr", u"0", u"0", u"x", u"48"}, &encoder,
       u"QR コードの大きさが小さすぎます (1 モジュールが 1 ドットに満たなくなります)。"},
      {3, {u"prnqr", u"0", u"0", u"x", u"0"}, &encoder,
       u"QR コードの大きさが小さすぎます (1 モジュールが 1 ドットに満たなくなります)。"},
      {4, {u"prnqr", u"0", u"0", u"", u"1440"}, &encoder, u"データが空です\uFF61"},
      {5, {u"prnqr", u"0", u"0", u"x", u"1440"}, nullptr,
       u"この Vant3 には QR コード、GS1-128、Code 128、ITF を作る部品が組み込まれていません。"},
      {6, {u"prnqr", u"0", u"0", u"x", u"1440"}, &malformed, u"記号を作れませんでした。"},
      {7, {u"prncode128", u"0", u"0", u"x", u"1440"}, &malformed, u"記号を作れませんでした。"},
      {8, {u"prnqr", u"0", u"0", u"x", u"1440"}, &refusing, u"データが長すぎて記号に収まりません。"},
      {9, {u"prnitf", u"0", u"0", u"123", u"1440"}, &encoder,
       u"ITF のデータは偶数桁か、チェックデジットを付ける 13 桁の数字で指定してください。123"},
      {10, {u"prncustomer", u"0", u"0", u"123"}, nullptr, u"先頭に 7 桁の郵便番号がありません。123"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Print(row.fields, row.symbols), Text(row.message)) << "row " << row.number;
  }
  EXPECT_TRUE(Fills().empty());
  EXPECT_EQ(platform.Current().ScaleMode(), kScaleTwips);
}

// Data no one should send: a refusal or an overflow failure (the run's stop), never a crash,
// and the target keeps its unit.
TEST_F(SymbolCommandsTest, BadInputEndsInARefusalOrAnOverflow) {
  const struct {
    int number;
    std::vector<Text> fields;
    bool overflows;  // else refused or painted
  } rows[] = {
      {1, {u"prnqr", u"0", u"0", u"x", u"99999"}, true},                        // side beyond 16 bits
      {2, {u"prnqr", u"1e39", u"0", u"x", u"1440"}, true},                      // corner beyond the device
      {3, {u"prnqr", u"0", u"0", Text(100000, u'9'), u"1440"}, false},          // refused as too long
      {4, {u"prncustomer", u"0", u"0", u"1000013" + Text(100000, u'1')}, false}, // cut after 20 characters
      {5, {u"prncustomer", u"0", u"0", u"1000013", u"nan"}, false},
      {6, {u"prncode128", u"0", u"0", Text(1, u'\0'), u"1440", u"-5", u"true"}, false},
      {7, {u"prngs1128", u"0", u"0", u"((((", u"1440"}, false},
      {8, {u"prngs1128", u"0", u"0", u"(01)(01)", u"1440"}, false},
      {9, {u"prnitf", u"0", u"0", u"\xD83D\xDE00", u"1440"}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE("row " + std::to_string(row.number));
    if (row.overflows) {
      EXPECT_THROW(Print(row.fields, &encoder), Failure);
    } else {
      EXPECT_NO_THROW(Print(row.fields, &encoder));
    }
    EXPECT_EQ(platform.Current().ScaleMode(), kScaleTwips);
  }
}

// The customer barcode needs no encoder: the core makes it, also in a build without one.
TEST_F(SymbolCommandsTest, TheCustomerBarcodeNeedsNoEncoder) {
  EXPECT_EQ(Print({u"prncustomer", u"0", u"0", u"263-00233-30-8-403"}, nullptr), std::nullopt);
  EXPECT_EQ(Fills().size(), 67u);
}

TEST_F(SymbolCommandsTest, ThePreviewKeepsTheEncodedSymbolAndShowsRefusalsBlank) {
  test::RecordingPicture picture(2000, 2000);
  test::RecordingPicture scratch(10, 10);
  PageRec page;
  page.printerPixelFactorX = page.printerPixelFactorY = 600.0F / 96.0F / 2;
  const struct {
    std::vector<Text> fields;
    bool shown;
  } rows[] = {
      {{u"prnqr", u"1440", u"1440", u"x", u"1440"}, true},
      {{u"prnqr", u"1440", u"1440", u"x", u"1440", u"Z"}, false},
      {{u"prncustomer", u"1440", u"1440", u"263-00233-30-8-403"}, true},
  };
  for (const auto& row : rows) {
    picture.device.marks.clear();
    const MethodRec m = MethodFrom(row.fields);
    const CommandRow& command = *FindCommand(MethodCommands(), m.field[0]);
    const MarkValues mark = command.marks->record(platform.printer, picture.picture, page, m, &encoder);
    EXPECT_NE(std::get<SymbolValues>(mark).recorded, nullptr);
    command.marks->replay(mark, ReplaySurfaces{picture.picture, page, scratch.picture});
    bool drawn = false;
    for (const test::Mark& d : picture.device.marks) drawn = drawn || d.kind == test::Mark::kStretch || d.kind == test::Mark::kFill;
    EXPECT_EQ(drawn, row.shown) << ToUtf8(m.field[0]) << " " << ToUtf8(m.field[5]);
  }
  // Recorded once, encoded once: the page replays without asking again.
  EXPECT_EQ(encoder.asked.size(), 1u);
}

}  // namespace
}  // namespace vant
