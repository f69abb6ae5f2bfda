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
};
DecodedPage DecodePage(std::string_view bytes);
// The same, taking the bytes: a page that is well-formed UTF-8 without a byte order mark
// (most pages) keeps its bytes instead of a copy of them.
DecodedPage DecodeTakenPage(std::string&& bytes);

// Whether bytes is UTF-8 that DecodeToUtf8 leaves as it stands (nothing replaced).
bool IsWellFormedUtf8(std::string_view bytes);

}  // namespace vant::platform
