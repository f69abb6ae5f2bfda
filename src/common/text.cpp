#include "common/text.h"

namespace vant {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Writes a code point as UTF-16 at out; returns the end of what was written.
char16_t* PutUtf16(char16_t* out, char32_t cp) {
  if (cp < 0x10000) {
    *out++ = static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
  return out;
}

// Writes a code point as UTF-8 at out; returns the end of what was written.
char* PutUtf8(char* out, char32_t cp) {
  if (cp < 0x80) {
    *out++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out++ = static_cast<char>(0xC0 | (cp >> 6));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (cp >> 12));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (cp >> 18));
    *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

// Case pairs beyond ASCII: ranges where upper = lower - offset.
struct CaseRange {
  char16_t upperFirst;
  char16_t upperLast;
  int offset;  // lower - upper
};
constexpr CaseRange kCaseRanges[] = {
    {u'A', u'Z', 32},
    {0x00C0, 0x00D6, 32},  // Latin-1 À..Ö
    {0x00D8, 0x00DE, 32},  // Latin-1 Ø..Þ
    {0x0391, 0x03A1, 32},  // Greek Α..Ρ
    {0x03A3, 0x03AB, 32},  // Greek Σ..Ϋ
    {0x0410, 0x042F, 32},  // Cyrillic А..Я
    {0x0400, 0x040F, 80},  // Cyrillic Ѐ..Џ
    {0xFF21, 0xFF3A, 32},  // full-width Ａ..Ｚ
};

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  char bytes[4];
  out.append(bytes, static_cast<std::size_t>(PutUtf8(bytes, cp) - bytes));
}

// Both conversions write into a buffer sized for the longest result and cut it to what was
// written: pages of tens of thousands of PARAMs go through them twice.
Text FromUtf8(std::string_view in) {
  Text out(in.size(), u'\0');  // never more UTF-16 units than bytes
  char16_t* put = out.data();
  std::size_t i = 0;
  while (i < in.size()) {
    const auto b0 = static_cast<unsigned char>(in[i]);
    if (b0 < 0x80) {
      *put++ = b0;
      ++i;
      continue;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
      extra = 1, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
      extra = 2, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
      extra = 3, cp = b0 & 0x07, min = 0x10000;
    } else {
      *put++ = static_cast<char16_t>(kReplacement);
      ++i;
      continue;
    }
    // A sequence cut off by the end of the input, or one that is not a character.
    bool ok = i + static_cast<std::size_t>(extra) < in.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(in[i + static_cast<std::size_t>(k)]);
      ok = (b & 0xC0) == 0x80;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (!ok || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      *put++ = static_cast<char16_t>(kReplacement);
      ++i;
      continue;
    }
    put = PutUtf16(put, cp);  // four bytes give two units
    i += static_cast<std::size_t>(extra) + 1;
  }
  out.resize(static_cast<std::size_t>(put - out.data()));
  return out;
}

std::string ToUtf8(TextView in) {
  std::string out(in.size() * 3, '\0');  // a unit takes at most three bytes, a pair four
  char* put = out.data();
  for (std::size_t i = 0; i < in.size(); ++i) {
    char32_t cp = in[i];
    if (cp < 0x80) {
      *put++ = static_cast<char>(cp);
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    put = PutUtf8(put, cp);
  }
  out.resize(static_cast<std::size_t>(put - out.data()));
  return out;
}

char16_t LowerCaseUnit(char16_t c) {
  if (c < 0x80) return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;  // most of it
  for (const auto& r : kCaseRanges) {
    if (c >= r.upperFirst && c <= r.upperLast) return static_cast<char16_t>(c + r.offset);
  }
  return c;
}

Text LowerCase(TextView in) {
  Text out(in);
  for (auto& c : out) c = LowerCaseUnit(c);
  return out;
}

bool StartsWithLowerCased(TextView text, TextView prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (LowerCaseUnit(text[i]) != prefix[i]) return false;
  }
  return true;
}

bool EqualsLowerCased(TextView text, TextView lowered) {
  if (text.size() != lowered.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (LowerCaseUnit(text[i]) != lowered[i]) return false;
  }
  return true;
}

Text UpperCase(TextView in) {
  Text out(in);
  for (auto& c : out) {
    for (const auto& r : kCaseRanges) {
      if (c >= r.upperFirst + r.offset && c <= r.upperLast + r.offset) {
        c = static_cast<char16_t>(c - r.offset);
        break;
      }
    }
  }
  return out;
}

TextView TrimmedBlanks(TextView in) {
  size_t first = 0;
  size_t last = in.size();
  while (first < last && in[first] == u' ') ++first;
  while (last > first && in[last - 1] == u' ') --last;
  return in.substr(first, last - first);
}

Text TrimBlanks(TextView in) { return Text(TrimmedBlanks(in)); }

std::vector<Text> SplitAt(TextView in, char16_t separator) {
  std::vector<Text> parts;
  size_t start = 0;
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] == separator) {
      parts.emplace_back(in.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.emplace_back(in.substr(start));
  return parts;
}

Text DecimalText(long long value) {
  const std::string s = std::to_string(value);
  return Text(s.begin(), s.end());
}

}  // namespace vant
