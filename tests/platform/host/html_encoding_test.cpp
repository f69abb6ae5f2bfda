#include "platform/host/html_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace vant::platform {
namespace {

const std::string kFffd = "\xEF\xBF\xBD";

TEST(HtmlShiftJisDecoding, ReadsCodePage932) {
  // 請求書 ソ 表: 0x835C and 0x955C carry the backslash byte as their second byte.
  const auto decoded =
      DecodeToUtf8("\x90\xBF\x8B\x81\x8F\x91 \x83\x5C\x95\x5C", PageEncoding::kShiftJis);
  EXPECT_EQ(decoded.utf8, "請求書 ソ表");
  EXPECT_EQ(decoded.replacedSequences, 0u);
}

TEST(HtmlShiftJisDecoding, WindowsExtensionsAndHalfWidthKana) {
  // ① (NEC row 13), ～ (0x8160 as Windows maps it), ｶﾅ, 髙 (IBM extension 0xFBFC).
  const auto decoded = DecodeToUtf8("\x87\x40\x81\x60\xB6\xC5\xFB\xFC", PageEncoding::kShiftJis);
  EXPECT_EQ(decoded.utf8, "①～ｶﾅ髙");
  EXPECT_EQ(decoded.replacedSequences, 0u);
}

TEST(HtmlShiftJisDecoding, AsciiBytesStayAscii) {
  EXPECT_EQ(DecodeToUtf8("a\\b~c", PageEncoding::kShiftJis).utf8, "a\\b~c");
}

TEST(HtmlShiftJisDecoding, ARefusedPairBecomesOneReplacementAndReadingGoesOn) {
  // 0x85 0x9F is an unassigned pair: both bytes go, then 請 is read.
  auto decoded = DecodeToUtf8("\x85\x9F\x90\xBF", PageEncoding::kShiftJis);
  EXPECT_EQ(decoded.utf8, kFffd + "請");
  EXPECT_EQ(decoded.replacedSequences, 1u);
  // A lead byte before an ASCII byte: the ASCII byte is a character of its own.
  decoded = DecodeToUtf8("\x81\x20x", PageEncoding::kShiftJis);
  EXPECT_EQ(decoded.utf8, kFffd + " x");
  EXPECT_EQ(decoded.replacedSequences, 1u);
  // Bytes that start nothing.
  decoded = DecodeToUtf8("a\xFD\xFE\xFFz", PageEncoding::kShiftJis);
  EXPECT_EQ(decoded.utf8, "a" + kFffd + kFffd + kFffd + "z");
  EXPECT_EQ(decoded.replacedSequences, 3u);
}

TEST(HtmlShiftJisDecoding, ALeadByteAtTheEndIsReplacedNotDropped) {
  const auto decoded = DecodeToUtf8("abc\x90", PageEncoding::kShiftJis);
  EXPECT_EQ(decoded.utf8, "abc" + kFffd);
  EXPECT_EQ(decoded.replacedSequences, 1u);
}

TEST(HtmlShiftJisDecoding, LongTextCrossesTheConversionBuffer) {
  std::string bytes, expected;
  for (int i = 0; i < 5000; ++i) {
    bytes += "\x90\xBF";
    expected += "請";
  }
  bytes += "\xFF";
  expected += kFffd;
  const auto decoded = DecodeToUtf8(bytes, PageEncoding::kShiftJis);
  EXPECT_EQ(decoded.utf8, expected);
  EXPECT_EQ(decoded.replacedSequences, 1u);
}

TEST(HtmlEucJpDecoding, ReadsJisX0208KanaAndSupplementaryKanji) {
  // 請求書, half-width ｶ (0x8E 0xB6), ① (NEC row 13), ～, and 丂 from JIS X 0212 (0x8F 0xB0 0xA1).
  const auto decoded = DecodeToUtf8("\xC0\xC1\xB5\xE1\xBD\xF1\x8E\xB6\xAD\xA1\xA1\xC1\x8F\xB0\xA1",
                                    PageEncoding::kEucJp);
  EXPECT_EQ(decoded.utf8, "請求書ｶ①～丂");
  EXPECT_EQ(decoded.replacedSequences, 0u);
}

TEST(HtmlEucJpDecoding, RefusedSequencesAreReplaced) {
  auto decoded = DecodeToUtf8("\xA9\xA1x", PageEncoding::kEucJp);  // unassigned row 9
  EXPECT_EQ(decoded.utf8, kFffd + "x");
  EXPECT_EQ(decoded.replacedSequences, 1u);
  decoded = DecodeToUtf8("\xC0" "a", PageEncoding::kEucJp);
  EXPECT_EQ(decoded.utf8, kFffd + "a");
  decoded = DecodeToUtf8("a\xC0", PageEncoding::kEucJp);
  EXPECT_EQ(decoded.utf8, "a" + kFffd);
}

TEST(HtmlUtf8Decoding, ValidTextPassesUnchanged) {
  const std::string text = "請求書 ｶﾅ 𠀋 \xC2\xA0 ~";
  const auto decoded = DecodeToUtf8(text, PageEncoding::kUtf8);
  EXPECT_EQ(decoded.utf8, text);
  EXPECT_EQ(decoded.replacedSequences, 0u);
}

TEST(HtmlUtf8Decoding, InvalidSequencesBecomeOneReplacementEach) {
  // A truncated three-byte sequence followed by ASCII; an overlong form; a surrogate; a
  // stray continuation byte; a lead byte at the end.
  const auto decoded =
      DecodeToUtf8("\xE8\xAB" "a" "\xC0\xAF" "\xED\xA0\x80" "\x80" "\xF0\x9F", PageEncoding::kUtf8);
  EXPECT_EQ(decoded.utf8, kFffd + "a" + kFffd + kFffd + kFffd + kFffd + kFffd + kFffd + kFffd);
  EXPECT_EQ(decoded.replacedSequences, 8u);
}

TEST(HtmlUtf16Decoding, BothByteOrdersWithSurrogatePairs) {
  // "請" U+8ACB, "𠀋" U+2000B as D840 DC0B.
  EXPECT_EQ(DecodeToUtf8(std::string("\xCB\x8A\x40\xD8\x0B\xDC", 6), PageEncoding::kUtf16Le).utf8,
            "請𠀋");
  EXPECT_EQ(DecodeToUtf8(std::string("\x8A\xCB\xD8\x40\xDC\x0B", 6), PageEncoding::kUtf16Be).utf8,
            "請𠀋");
}

TEST(HtmlUtf16Decoding, LoneSurrogatesAndAnOddByteAreReplaced) {
  const auto decoded =
      DecodeToUtf8(std::string("\x00\xD8" "a\x00" "\x0B\xDC" "b", 7), PageEncoding::kUtf16Le);
  EXPECT_EQ(decoded.utf8, kFffd + "a" + kFffd + kFffd);
  EXPECT_EQ(decoded.replacedSequences, 3u);
}

TEST(HtmlPageDecoding, RemovesTheByteOrderMarkAndFollowsTheDeclaration) {
  auto page = DecodePage("\xEF\xBB\xBF<p>請</p>");
  EXPECT_EQ(page.encoding, PageEncoding::kUtf8);
  EXPECT_EQ(page.text.utf8, "<p>請</p>");
  page = DecodePage("<meta charset=shift_jis><p>\x90\xBF</p>");
  EXPECT_EQ(page.encoding, PageEncoding::kShiftJis);
  EXPECT_EQ(page.text.utf8, "<meta charset=shift_jis><p>請</p>");
  page = DecodePage(std::string("\xFE\xFF\x8A\xCB", 4));
  EXPECT_EQ(page.encoding, PageEncoding::kUtf16Be);
  EXPECT_EQ(page.text.utf8, "請");
}

// The taken bytes decode as the copy does, moved when they are well-formed UTF-8.
TEST(HtmlPageDecoding, TakenBytesDecodeAsACopyDoes) {
  using namespace std::string_literals;
  for (const std::string& bytes : {""s, "<p>請 𠀋</p>"s, "\xEF\xBB\xBF<p>請</p>"s, "<p>\xE8\xAB</p>"s,
                                   "<meta charset=shift_jis><p>\x90\xBF</p>"s, "\xFE\xFF\x8A\xCB"s, "a\0b"s}) {
    const DecodedPage copied = DecodePage(bytes);
    std::string taken = bytes;
    const DecodedPage moved = DecodeTakenPage(std::move(taken));
    EXPECT_EQ(moved.encoding, copied.encoding) << bytes;
    EXPECT_EQ(moved.text.utf8, copied.text.utf8) << bytes;
    EXPECT_EQ(moved.text.replacedSequences, copied.text.replacedSequences) << bytes;
  }
}

// Well-formed means nothing replaced, over every lead byte followed by bytes at and around
// each boundary of the continuation ranges.
TEST(HtmlUtf8Decoding, WellFormedIsWhatTheDecoderLeavesAlone) {
  const unsigned char edges[] = {0x00, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0};
  std::string bytes(4, '\0');
  for (unsigned lead = 0; lead < 256; ++lead) {
    bytes[0] = static_cast<char>(lead);
    for (unsigned char b1 : edges) {
      for (unsigned char b2 : edges) {
        for (unsigned char b3 : edges) {
          bytes[1] = static_cast<char>(b1), bytes[2] = static_cast<char>(b2), bytes[3] = static_cast<char>(b3);
          for (std::size_t length = 1; length <= 4; ++length) {
            const std::string_view part(bytes.data(), length);
            ASSERT_EQ(IsWellFormedUtf8(part), DecodeToUtf8(part, PageEncoding::kUtf8).replacedSequences == 0)
                << std::hex << lead << ' ' << unsigned{b1} << ' ' << unsigned{b2} << ' ' << unsigned{b3} << " length "
                << length;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace vant::platform
