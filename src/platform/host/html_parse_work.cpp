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
constexpr std::array<std::string_view, 4> kRawTextTags{"script", "style", "textarea", "title"};

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

// Where the text of a raw-text element ends: at its end tag, or nowhere.
std::size_t RawTextEnd(std::string_view html, std::size_t from, std::string_view name) {
  const std::string closing = "</" + std::string(name);
  for (std::size_t search = html.find("</", from); search != std::string_view::npos;
       search = html.find("</", search + 2)) {
    bool matches = search + closing.size() <= html.size();
    for (std::size_t i = 0; matches && i < closing.size(); ++i) {
      matches = Lower(html[search + i]) == closing[i];
    }
    if (matches) return search;
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

}  // namespace

std::uint64_t EstimateParseWork(std::string_view html, std::uint64_t limit) {
  std::uint64_t work = 0;
  std::vector<std::uint64_t> open;  // the open elements as the parser would roughly keep them
  std::size_t at = 0;
  std::string name;
  while (work <= limit) {
    at = html.find('<', at);
    if (at == std::string_view::npos || at + 1 >= html.size()) break;
    if (html.compare(at, 4, "<!--") == 0) {
      const std::size_t close = html.find("-->", at + 4);
      if (close == std::string_view::npos) break;
      at = close + 3;
      continue;
    }
    const bool end = html[at + 1] == '/';
    std::size_t cursor = at + (end ? 2 : 1);
    if (cursor >= html.size() || !IsLetter(html[cursor])) {
      at = cursor;
      continue;
    }
    name.clear();
    while (cursor < html.size() && (IsLetter(html[cursor]) ||
                                    (html[cursor] >= '0' && html[cursor] <= '9'))) {
      name.push_back(Lower(html[cursor++]));
    }
    at = cursor;
    work += open.size();  // the parser's look through the open elements
    if (Contains(kFlatTags, name)) continue;
    if (!end) {
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
