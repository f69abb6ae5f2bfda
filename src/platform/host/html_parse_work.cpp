#include "platform/host/html_parse_work.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace vant::platform {
namespace {

// Tags that never deepen the tree: void elements, and elements whose start closes an open
// one of their kind (or that the parser supplies itself), so that unclosed ones are siblings.
constexpr std::array<std::string_view, 36> kFlatTags{
    "area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param",
    "source", "track", "wbr", "keygen", "basefont", "bgsound", "frame", "p", "li", "dt", "dd",
    "option", "optgroup", "tr", "td", "th", "tbody", "thead", "tfoot", "colgroup", "caption",
    "rb", "rt", "rp", "rtc"};
// Formatting elements: a misnested end tag of one of them makes the parser move the blocks
// inside it out and reopen it within them, so the tree does not get shallower.
constexpr std::array<std::string_view, 14> kFormattingTags{
    "a", "b", "big", "code", "em", "font", "i", "nobr", "s", "small", "strike", "strong", "tt", "u"};
constexpr std::array<std::string_view, 8> kRawTextTags{"script", "style", "textarea", "title",
                                                        "xmp", "iframe", "noembed", "noframes"};

constexpr bool AllLowerCase(const auto& tags) {
  for (std::string_view tag : tags) {
    for (char c : tag) {
      if (c < 'a' || c > 'z') return false;
    }
  }
  return true;
}
static_assert(AllLowerCase(kFlatTags) && AllLowerCase(kFormattingTags) &&
                  AllLowerCase(kRawTextTags),
              "tag names are compared after lower-casing");

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& tags, std::string_view name) {
  return std::find(tags.begin(), tags.end(), name) != tags.end();
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }

bool IsTagNameEnd(char c) { return IsSpace(c) || c == '/' || c == '>'; }

// Where the text of a raw-text element ends: at its end tag, or nowhere.
std::size_t RawTextEnd(std::string_view html, std::size_t from, std::string_view name) {
  const std::string closing = "</" + std::string(name);
  for (std::size_t search = html.find("</", from); search != std::string_view::npos;
       search = html.find("</", search + 2)) {
    bool matches = search + closing.size() <= html.size();
    for (std::size_t i = 0; matches && i < closing.size(); ++i) {
      matches = Lower(html[search + i]) == closing[i];
    }
    // "</scripts" does not end a SCRIPT: the name must end there.
    const std::size_t after = search + closing.size();
    if (matches && (after >= html.size() || IsTagNameEnd(html[after]))) return search;
  }
  return std::string_view::npos;
}

// A tag name as a number (FNV-1a), so that looking through deep nesting compares integers.
std::uint64_t NameKey(std::string_view name) {
  std::uint64_t key = 14695981039346656037u;
  for (const char c : name) {
    key ^= static_cast<unsigned char>(c);
    key *= 1099511628211u;
  }
  return key;
}



// After a bogus comment starting at from: past its ">", or the end of the page.
std::size_t SkipBogusComment(std::string_view html, std::size_t from) {
  const std::size_t close = html.find('>', from);
  return close == std::string_view::npos ? html.size() : close + 1;
}

// After the markup declaration or processing instruction at "<!" or "<?": a comment ends at
// its first "-->" or "--!>", or at once for "<!-->" and "<!--->"; anything else ("<!DOCTYPE",
// "<![CDATA[" outside foreign content, "<?xml") is a bogus comment up to the next ">". The
// parser's tokeniser ends them exactly so; counting them differently would let a page hide
// tags from this estimate or pass tags off as comments.
std::size_t SkipMarkup(std::string_view html, std::size_t at) {
  if (html.compare(at, 4, "<!--") != 0) return SkipBogusComment(html, at + 2);
  const std::size_t body = at + 4;
  if (html.compare(body, 1, ">") == 0) return body + 1;
  if (html.compare(body, 2, "->") == 0) return body + 2;
  const std::size_t dashes = html.find("-->", body);
  const std::size_t bang = html.find("--!>", body);
  const std::size_t close = std::min(dashes, bang);
  if (close == std::string_view::npos) return html.size();
  return close + (close == dashes ? 3 : 4);
}

struct TagRest {
  std::size_t end;         // past the tag's ">"; npos when the page ends inside the tag
  std::uint64_t attributes;  // how many attributes the tag carries
};

// Reads a tag's attributes from just after its name as the tokeniser does: names end at a
// blank, "/", ">" or "="; values are quoted with " or ', or end at a blank or ">". A ">"
// inside a quoted value does not end the tag.
TagRest ReadTagRest(std::string_view html, std::size_t at) {
  std::uint64_t attributes = 0;
  const std::size_t size = html.size();
  while (at < size) {
    const char c = html[at];
    if (c == '>') return {at + 1, attributes};
    if (IsSpace(c) || c == '/') {
      ++at;
      continue;
    }
    ++attributes;  // a name starts here; a leading "=" belongs to it
    ++at;
    while (at < size && !IsTagNameEnd(html[at]) && html[at] != '=') ++at;
    while (at < size && IsSpace(html[at])) ++at;
    if (at >= size || html[at] != '=') continue;
    ++at;
    while (at < size && IsSpace(html[at])) ++at;
    if (at >= size) break;
    if (html[at] == '"' || html[at] == '\'') {
      const std::size_t close = html.find(html[at], at + 1);
      if (close == std::string_view::npos) break;
      at = close + 1;
    } else {
      while (at < size && !IsSpace(html[at]) && html[at] != '>') ++at;
    }
  }
  return {std::string_view::npos, attributes};
}

}  // namespace

std::uint64_t EstimateParseWork(std::string_view html, std::uint64_t limit) {
  std::uint64_t work = 0;
  std::vector<std::uint64_t> open;  // the open elements as the parser would roughly keep them
  std::size_t at = 0;
  std::string name;
  while (work <= limit) {
    at = html.find('<', at);
    if (at == std::string_view::npos || at + 1 >= html.size()) break;
    if (html[at + 1] == '!' || html[at + 1] == '?') {
      at = SkipMarkup(html, at);
      continue;
    }
    const bool end = html[at + 1] == '/';
    std::size_t cursor = at + (end ? 2 : 1);
    if (cursor >= html.size()) break;
    if (!IsLetter(html[cursor])) {
      // "</" without a letter starts a bogus comment ("</>" is dropped); "<" is text.
      at = end ? SkipBogusComment(html, cursor) : cursor;
      continue;
    }
    name.clear();
    while (cursor < html.size() && !IsTagNameEnd(html[cursor])) name.push_back(Lower(html[cursor++]));
    const TagRest rest = ReadTagRest(html, cursor);
    if (rest.end == std::string_view::npos) break;  // a tag cut off by the end: dropped
    at = rest.end;
    // The parser compares each attribute with those before it, and looks through the open
    // elements for the tag.
    work += rest.attributes * (rest.attributes - (rest.attributes > 0 ? 1 : 0)) / 2;
    work += open.size();
    if (Contains(kFlatTags, name)) continue;
    if (!end) {
      if (name == "plaintext") break;  // the rest of the page is its text
      open.push_back(NameKey(name));
      if (Contains(kRawTextTags, name)) {
        at = RawTextEnd(html, at, name);  // the end tag is counted on the next turn
        if (at == std::string_view::npos) break;
      }
      continue;
    }
    const auto match = std::find(open.rbegin(), open.rend(), NameKey(name));
    if (match == open.rend()) continue;  // nothing to close: ignored
    const bool misnestedFormatting = match != open.rbegin() && Contains(kFormattingTags, name);
    if (!misnestedFormatting) open.erase(std::prev(match.base()), open.end());
  }
  return work;
}

}  // namespace vant::platform
