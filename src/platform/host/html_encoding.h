// Converting a host page's bytes to the UTF-8 that the HTML parser reads.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/host/html_charset.h"

namespace vant::platform {

struct DecodedText {
  std::string utf8;                   // the text as UTF-8
  std::size_t replacedSequences = 0;  // invalid byte sequences, each now one U+FFFD
};

// Converts bytes in the given encoding to UTF-8. Shift_JIS is read as code page 932 and
// EUC-JP with the same Windows extensions (NEC and IBM rows); an invalid byte sequence
// becomes one U+FFFD, as a browser decodes it, and the conversion goes on after it. A byte
// order mark is not removed here.
DecodedText DecodeToUtf8(std::string_view bytes, PageEncoding encoding);

// The whole page: detects the encoding, removes a byte order mark and converts.
struct DecodedPage {
  PageEncoding encoding;
  DecodedText text;
  bool utf8Text = false;  // declared Shift_JIS or EUC-JP, holds Japanese text in UTF-8 (see IsJapaneseUtf8)
};
DecodedPage DecodePage(std::string_view bytes);
// The same, taking the bytes: a page that is well-formed UTF-8 without a byte order mark
// (most pages) keeps its bytes instead of a copy of them.
DecodedPage DecodeTakenPage(std::string&& bytes);

// Whether bytes is UTF-8 that DecodeToUtf8 leaves as it stands (nothing replaced).
bool IsWellFormedUtf8(std::string_view bytes);

// Whether bytes are Japanese text in UTF-8: well-formed UTF-8 with multibyte characters,
// at least half of them kana, CJK ideographs, CJK punctuation or full-width forms. A page
// declaring Shift_JIS or EUC-JP but saved as UTF-8 (an old page edited in a newer editor)
// still decodes as the declared encoding without many invalid sequences, as mojibake. Text
// really in those encodings is not well-formed UTF-8: their kana and common kanji start
// with bytes 0x81-0x9F or 0xA1-0xBF, which UTF-8 only has after a lead byte; the few runs
// that are (half-width katakana such as ﾃｽ) read as Latin letters, not as Japanese.
bool IsJapaneseUtf8(std::string_view bytes);

}  // namespace vant::platform
