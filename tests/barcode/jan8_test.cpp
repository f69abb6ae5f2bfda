#include "barcode/jan8.h"

#include <gtest/gtest.h>

#include "bar_marks.h"
#include "common/failure.h"
#include "draw_symbols.h"
#include "fake_platform.h"

namespace vant {
namespace {

using test::FillsOf;
using test::ModulesFromFills;
using test::RecordingPicture;
using test::TextsOf;

TEST(Jan8Modules, GoldenSymbols) {
  EXPECT_EQ(Jan8Modules(u"49012347"),
            u"1010100011000101100011010011001010101101100100001010111001000100101");
  EXPECT_EQ(Jan8Modules(u"12300006"),
            u"1010011001001001101111010001101010101110010111001011100101010000101");
  EXPECT_EQ(Jan8Modules(u"49012347").size(), kJan8Modules);
}

TEST(Jan8Modules, RefusesAnythingButEightDigits) {
  EXPECT_THROW(Jan8Modules(u"4901234"), Failure);
  EXPECT_THROW(Jan8Modules(u"4901234567894"), Failure);
  EXPECT_THROW(Jan8Modules(u"4901234a"), Failure);
}

TEST(DrawJan8, SevenDigitsGetCheckDigitSeven) {
  RecordingPicture pic(400, 200);
  ASSERT_EQ(DrawJan8(pic.picture, 0, 0, u"4901234", 81, 30, true), kPainted);
  const auto texts = TextsOf(pic.device);
  ASSERT_EQ(texts.size(), 2u);  // nothing left of the bars
  EXPECT_EQ(texts[0].text, u"4901");
  EXPECT_EQ(texts[1].text, u"2347");
  // 81 modules asked 81 pixels: m = 1.
  EXPECT_EQ(ModulesFromFills(FillsOf(pic.device), 7, 1, 67), Jan8Modules(u"49012347"));
}

TEST(DrawJan8, ShortDataIsPaddedOnTheRight) {
  RecordingPicture pic(400, 200);
  ASSERT_EQ(DrawJan8(pic.picture, 0, 0, u"123", 81, 30, true), kPainted);
  const auto texts = TextsOf(pic.device);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text + texts[1].text, u"12300006");
}

TEST(DrawJan8, RefusedDataPaintsNothing) {
  RecordingPicture pic(400, 200);
  EXPECT_EQ(DrawJan8(pic.picture, 0, 0, u"", 81, 30, true), Refused(u"データが空です｡"));
  EXPECT_TRUE(pic.device.marks.empty());
}

}  // namespace
}  // namespace vant
