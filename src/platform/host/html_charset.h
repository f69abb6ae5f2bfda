// Which character encoding a host page is written in: the byte order mark, else the
// charset its META elements declare in the first 1024 bytes (the HTML prescan), else UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace vant::platform {

enum class PageEncoding {
  kUtf8,
  kUtf16Le,
  kUtf16Be,
  kShiftJis,  // read as Windows code page 932, like the browsers of the page's platform
  kEucJp,
};

// How many bytes of the page the META prescan looks at.
inline constexpr std::size_t kPrescanBytes = 1024;

// The encoding a charset label names, matched without ASCII case and after removing
// ASCII white space at both ends. A label naming UTF-16 gives UTF-8, as the HTML standard
// prescribes for a META declaration (a UTF-16 page is recognised only by its byte order
// mark). Labels of encodings this system does not read give nothing.
std::optional<PageEncoding> EncodingFromLabel(std::string_view label);

// The byte order mark at the start of the page and its length in bytes.
struct ByteOrderMark {
  PageEncoding encoding;
  std::size_t length;
};
std::optional<ByteOrderMark> DetectByteOrderMark(std::string_view bytes);

// The HTML prescan of the page's first kPrescanBytes bytes: the first META element with a
// charset attribute, or with http-equiv="Content-Type" and a content attribute naming a
// charset, whose label this system reads. Comments and other tags are skipped as a
// browser skips them; names and keywords match without ASCII case, quotes are optional.
std::optional<PageEncoding> PrescanMetaCharset(std::string_view bytes);

// The encoding of the whole page: the byte order mark, else the prescan, else UTF-8.
PageEncoding DetectPageEncoding(std::string_view bytes);

// The name of the encoding for messages and diagnostics ("UTF-8", "Shift_JIS", ...).
std::string_view EncodingName(PageEncoding encoding);

}  // namespace vant::platform
