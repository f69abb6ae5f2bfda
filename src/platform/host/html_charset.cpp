#include "platform/host/html_charset.h"

#include <array>
#include <string>

namespace vant::platform {
namespace {

struct CharsetLabel {
  std::string_view label;  // lower case, as the HTML standard lists it
  PageEncoding encoding;
};

// The labels of the encodings this system reads, with the UTF-16 labels that a META
// declaration turns into UTF-8.
constexpr std::array kCharsetLabels{
    CharsetLabel{"unicode-1-1-utf-8", PageEncoding::kUtf8},
    CharsetLabel{"unicode11utf8", PageEncoding::kUtf8},
    CharsetLabel{"unicode20utf8", PageEncoding::kUtf8},
    CharsetLabel{"utf-8", PageEncoding::kUtf8},
    CharsetLabel{"utf8", PageEncoding::kUtf8},
    CharsetLabel{"x-unicode20utf8", PageEncoding::kUtf8},
    CharsetLabel{"csunicode", PageEncoding::kUtf8},
    CharsetLabel{"iso-10646-ucs-2", PageEncoding::kUtf8},
    CharsetLabel{"ucs-2", PageEncoding::kUtf8},
    CharsetLabel{"unicode", PageEncoding::kUtf8},
    CharsetLabel{"unicodefeff", PageEncoding::kUtf8},
    CharsetLabel{"unicodefffe", PageEncoding::kUtf8},
    CharsetLabel{"utf-16", PageEncoding::kUtf8},
    CharsetLabel{"utf-16be", PageEncoding::kUtf8},
    CharsetLabel{"utf-16le", PageEncoding::kUtf8},
    CharsetLabel{"csshiftjis", PageEncoding::kShiftJis},
    CharsetLabel{"ms932", PageEncoding::kShiftJis},
    CharsetLabel{"ms_kanji", PageEncoding::kShiftJis},
    CharsetLabel{"shift-jis", PageEncoding::kShiftJis},
    CharsetLabel{"shift_jis", PageEncoding::kShiftJis},
    CharsetLabel{"sjis", PageEncoding::kShiftJis},
    CharsetLabel{"windows-31j", PageEncoding::kShiftJis},
    CharsetLabel{"x-sjis", PageEncoding::kShiftJis},
    CharsetLabel{"cseucpkdfmtjapanese", PageEncoding::kEucJp},
    CharsetLabel{"euc-jp", PageEncoding::kEucJp},
    CharsetLabel{"x-euc-jp", PageEncoding::kEucJp},
};

constexpr bool LabelsAreLowerCase() {
  for (const auto& entry : kCharsetLabels) {
    if (entry.label.empty()) return false;
    for (const char c : entry.label) {
      if (c >= 'A' && c <= 'Z') return false;
    }
  }
  return true;
}
static_assert(LabelsAreLowerCase(), "labels are compared after lower-casing the input");

constexpr bool LabelsAreUnique() {
  for (std::size_t i = 0; i < kCharsetLabels.size(); ++i) {
    for (std::size_t j = i + 1; j < kCharsetLabels.size(); ++j) {
      if (kCharsetLabels[i].label == kCharsetLabels[j].label) return false;
    }
  }
  return true;
}
static_assert(LabelsAreUnique(), "a label names one encoding");

constexpr char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The HTML standard's ASCII white space: tab, line feed, form feed, carriage return, space.
constexpr bool IsAsciiWhitespace(char c) {
  return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
}

constexpr bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool StartsWithIgnoringAsciiCase(std::string_view text, std::size_t at, std::string_view prefix) {
  return at <= text.size() && text.size() - at >= prefix.size() &&
         EqualsIgnoringAsciiCase(text.substr(at, prefix.size()), prefix);
}

struct Attribute {
  std::string name;   // lower-cased
  std::string value;  // as written, without its quotes
};

// The prescan's reading of one attribute from position at; nothing at the end of the tag.
// at ends after the attribute, or on the ">" that closes the tag.
std::optional<Attribute> NextAttribute(std::string_view s, std::size_t& at) {
  while (at < s.size() && (IsAsciiWhitespace(s[at]) || s[at] == '/')) ++at;
  if (at >= s.size() || s[at] == '>') return std::nullopt;
  Attribute attribute;
  // The name runs to "=", white space, "/" or ">"; a leading "=" belongs to it.
  bool first = true;
  while (at < s.size()) {
    const char c = s[at];
    if (c == '=' && !first) break;
    if (IsAsciiWhitespace(c) || c == '/' || c == '>') break;
    attribute.name.push_back(AsciiLower(c));
    ++at;
    first = false;
  }
  while (at < s.size() && IsAsciiWhitespace(s[at])) ++at;
  if (at >= s.size() || s[at] != '=') return attribute;  // no value
  ++at;
  while (at < s.size() && IsAsciiWhitespace(s[at])) ++at;
  if (at >= s.size()) return attribute;
  const char quote = s[at];
  if (quote == '"' || quote == '\'') {
    ++at;
    while (at < s.size() && s[at] != quote) attribute.value.push_back(s[at++]);
    if (at < s.size()) ++at;  // the closing quote
    return attribute;
  }
  if (quote == '>') return attribute;
  while (at < s.size() && !IsAsciiWhitespace(s[at]) && s[at] != '>') {
    attribute.value.push_back(s[at++]);
  }
  return attribute;
}

// The charset named in a Content-Type value such as "text/html; charset=Shift_JIS".
std::optional<std::string> CharsetFromContentType(std::string_view content) {
  std::size_t at = 0;
  while (true) {
    const std::size_t hit = [&] {
      for (std::size_t i = at; i + 7 <= content.size(); ++i) {
        if (StartsWithIgnoringAsciiCase(content, i, "charset")) return i;
      }
      return std::string_view::npos;
    }();
    if (hit == std::string_view::npos) return std::nullopt;
    at = hit + 7;
    while (at < content.size() && IsAsciiWhitespace(content[at])) ++at;
    if (at >= content.size()) return std::nullopt;
    if (content[at] != '=') continue;  // "charset" as part of another word: look further
    ++at;
    while (at < content.size() && IsAsciiWhitespace(content[at])) ++at;
    if (at >= content.size()) return std::nullopt;
    const char quote = content[at];
    if (quote == '"' || quote == '\'') {
      const std::size_t close = content.find(quote, at + 1);
      if (close == std::string_view::npos) return std::nullopt;
      return std::string(content.substr(at + 1, close - at - 1));
    }
    std::size_t end = at;
    while (end < content.size() && !IsAsciiWhitespace(content[end]) && content[end] != ';') ++end;
    return std::string(content.substr(at, end - at));
  }
}

// The encoding a META element declares, read from position at (just after "<meta").
std::optional<PageEncoding> MetaDeclaration(std::string_view s, std::size_t& at) {
  bool seenHttpEquiv = false, seenContent = false, seenCharset = false;
  bool gotPragma = false;
  bool needPragma = false;  // true: only http-equiv="Content-Type" makes the charset count
  bool haveCharset = false;
  std::optional<PageEncoding> encoding;
  while (auto attribute = NextAttribute(s, at)) {
    if (attribute->name == "http-equiv") {
      if (seenHttpEquiv) continue;
      seenHttpEquiv = true;
      if (EqualsIgnoringAsciiCase(attribute->value, "content-type")) gotPragma = true;
    } else if (attribute->name == "content") {
      if (seenContent) continue;
      seenContent = true;
      // A content charset counts only with a label this system reads, and only when no
      // charset attribute came first.
      if (!haveCharset) {
        if (auto label = CharsetFromContentType(attribute->value)) {
          if (auto named = EncodingFromLabel(*label)) {
            encoding = named;
            haveCharset = true;
            needPragma = true;
          }
        }
      }
    } else if (attribute->name == "charset") {
      if (seenCharset) continue;
      seenCharset = true;
      encoding = EncodingFromLabel(attribute->value);
      haveCharset = true;
      needPragma = false;
    }
  }
  // A META element cut off by the end of the prescanned bytes declares nothing.
  if (at >= s.size()) return std::nullopt;
  if (!haveCharset || (needPragma && !gotPragma)) return std::nullopt;
  return encoding;
}

}  // namespace

std::optional<PageEncoding> EncodingFromLabel(std::string_view label) {
  while (!label.empty() && IsAsciiWhitespace(label.front())) label.remove_prefix(1);
  while (!label.empty() && IsAsciiWhitespace(label.back())) label.remove_suffix(1);
  for (const auto& entry : kCharsetLabels) {
    if (EqualsIgnoringAsciiCase(label, entry.label)) return entry.encoding;
  }
  return std::nullopt;
}

std::optional<ByteOrderMark> DetectByteOrderMark(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return ByteOrderMark{PageEncoding::kUtf8, 3};
  if (bytes.starts_with("\xFF\xFE")) return ByteOrderMark{PageEncoding::kUtf16Le, 2};
  if (bytes.starts_with("\xFE\xFF")) return ByteOrderMark{PageEncoding::kUtf16Be, 2};
  return std::nullopt;
}

std::optional<PageEncoding> PrescanMetaCharset(std::string_view bytes) {
  const std::string_view s = bytes.substr(0, kPrescanBytes);
  std::size_t at = 0;
  while (at < s.size()) {
    if (s.compare(at, 4, "<!--") == 0) {
      // The comment's own "--" may close it: "<!-->" ends at once.
      const std::size_t close = s.find("-->", at + 2);
      if (close == std::string_view::npos) return std::nullopt;
      at = close + 3;
    } else if (StartsWithIgnoringAsciiCase(s, at, "<meta") && at + 5 < s.size() &&
               (IsAsciiWhitespace(s[at + 5]) || s[at + 5] == '/')) {
      at += 6;
      if (auto encoding = MetaDeclaration(s, at)) return encoding;
    } else if (s[at] == '<' && at + 1 < s.size() &&
               (IsAsciiLetter(s[at + 1]) ||
                (s[at + 1] == '/' && at + 2 < s.size() && IsAsciiLetter(s[at + 2])))) {
      // Any other tag: skip its name and its attributes, whose values may hold a ">".
      at += 2;
      while (at < s.size() && !IsAsciiWhitespace(s[at]) && s[at] != '>') ++at;
      while (NextAttribute(s, at)) {
      }
    } else if (s.compare(at, 2, "<!") == 0 || s.compare(at, 2, "</") == 0 ||
               s.compare(at, 2, "<?") == 0) {
      const std::size_t close = s.find('>', at + 2);
      if (close == std::string_view::npos) return std::nullopt;
      at = close + 1;
    } else {
      ++at;
    }
  }
  return std::nullopt;
}

PageEncoding DetectPageEncoding(std::string_view bytes) {
  if (auto mark = DetectByteOrderMark(bytes)) return mark->encoding;
  if (auto declared = PrescanMetaCharset(bytes)) return *declared;
  return PageEncoding::kUtf8;
}

std::string_view EncodingName(PageEncoding encoding) {
  switch (encoding) {
    case PageEncoding::kUtf8: return "UTF-8";
    case PageEncoding::kUtf16Le: return "UTF-16LE";
    case PageEncoding::kUtf16Be: return "UTF-16BE";
    case PageEncoding::kShiftJis: return "Shift_JIS";
    case PageEncoding::kEucJp: return "EUC-JP";
  }
  return "unknown";
}

}  // namespace vant::platform
