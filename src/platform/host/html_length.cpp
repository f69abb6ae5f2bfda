#include "platform/host/html_length.h"

namespace vant::platform {
namespace {

bool IsHtmlBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

std::optional<int32_t> PixelLength(const std::optional<Text>& attribute) {
  if (!attribute) return std::nullopt;
  const Text& s = *attribute;
  size_t i = 0;
  while (i < s.size() && IsHtmlBlank(s[i])) ++i;
  if (i == s.size() || !IsDigit(s[i])) return std::nullopt;
  long long value = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    value = value * 10 + (s[i] - u'0');
    if (value > kMaxPixelLength) return std::nullopt;
  }
  if (i < s.size() && s[i] == u'.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i;
  }
  if (i < s.size() && s[i] == u'%') return std::nullopt;
  if (value < 1) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace vant::platform
