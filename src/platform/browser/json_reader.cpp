#include "platform/browser/json_reader.h"

#include <charconv>
#include <cstdint>
#include <system_error>

namespace vant::browser {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The length of the UTF-8 sequence starting at bytes[0] (bytes holds the rest of the text),
// 0 when it is not a well-formed one: no overlong form, no surrogate, nothing past U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const auto continues = [&](std::size_t from, std::size_t count) {
    if (bytes.size() < from + count) return false;
    for (std::size_t i = from; i < from + count; ++i) {
      if ((byte(i) & 0xC0) != 0x80) return false;
    }
    return true;
  };
  const unsigned char lead = byte(0);
  // The second byte's range where the lead byte narrows it.
  const auto second = [&](unsigned char low, unsigned char high) {
    return bytes.size() > 1 && byte(1) >= low && byte(1) <= high;
  };
  if (lead >= 0xC2 && lead <= 0xDF) return continues(1, 1) ? 2 : 0;
  if (lead == 0xE0) return second(0xA0, 0xBF) && continues(2, 1) ? 3 : 0;
  if (lead == 0xED) return second(0x80, 0x9F) && continues(2, 1) ? 3 : 0;
  if (lead >= 0xE1 && lead <= 0xEF) return continues(1, 2) ? 3 : 0;
  if (lead == 0xF0) return second(0x90, 0xBF) && continues(2, 2) ? 4 : 0;
  if (lead >= 0xF1 && lead <= 0xF3) return continues(1, 3) ? 4 : 0;
  if (lead == 0xF4) return second(0x80, 0x8F) && continues(2, 2) ? 4 : 0;
  return 0;
}

JsonType TypeAt(char first) {
  switch (first) {
    case '{': return JsonType::kObject;
    case '[': return JsonType::kArray;
    case '"': return JsonType::kString;
    case 't': return JsonType::kTrue;
    case 'f': return JsonType::kFalse;
    case 'n': return JsonType::kNull;
    default: return JsonType::kNumber;
  }
}

// The first pass: every byte checked, with an explicit stack instead of recursion, so that
// no nesting can exhaust the program's stack.
class Checker {
 public:
  explicit Checker(std::string_view text) : text_(text) {}

  JsonValue Run() {
    SkipBlanks();
    const std::size_t start = at_;
    Value();
    const std::size_t end = at_;
    SkipBlanks();
    if (at_ != text_.size()) Fail();
    return {TypeAt(text_[start]), text_.substr(start, end - start)};
  }

 private:
  [[noreturn]] void Fail() const { throw JsonSyntaxError{at_}; }

  char Peek() const {
    if (at_ >= text_.size()) Fail();
    return text_[at_];
  }
  void Expect(char c) {
    if (Peek() != c) Fail();
    ++at_;
  }
  void SkipBlanks() {
    while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
  }

  // One value, containers included: each opened container is closed before this returns.
  void Value() {
    std::string open;  // '{' or '[' for each container around the current place
    for (;;) {
      SkipBlanks();
      const char c = Peek();
      if (c == '{' || c == '[') {
        if (open.size() == kMaxJsonDepth) Fail();
        open.push_back(c);
        ++at_;
        SkipBlanks();
        if (Peek() == (c == '{' ? '}' : ']')) {
          ++at_;
          open.pop_back();
        } else {
          if (c == '{') MemberName();
          continue;  // the first element or member value
        }
      } else if (c == '"') {
        String();
      } else if (c == 't') {
        Word("true");
      } else if (c == 'f') {
        Word("false");
      } else if (c == 'n') {
        Word("null");
      } else {
        Number();
      }
      // After a value: the next one in its container, or the container's end.
      for (;;) {
        if (open.empty()) return;
        SkipBlanks();
        const char close = open.back() == '{' ? '}' : ']';
        if (Peek() == close) {
          ++at_;
          open.pop_back();
          continue;
        }
        Expect(',');
        if (open.back() == '{') MemberName();
        break;
      }
    }
  }

  void MemberName() {
    SkipBlanks();
    if (Peek() != '"') Fail();
    String();
    SkipBlanks();
    Expect(':');
  }

  void Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) Fail();
    at_ += word.size();
  }

  void Digits() {
    if (!IsDigit(Peek())) Fail();
    while (at_ < text_.size() && IsDigit(text_[at_])) ++at_;
  }

  void Number() {
    if (Peek() == '-') ++at_;
    if (Peek() == '0') {
      ++at_;
    } else {
      Digits();
    }
    if (at_ < text_.size() && text_[at_] == '.') {
      ++at_;
      Digits();
    }
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
      ++at_;
      if (Peek() == '+' || Peek() == '-') ++at_;
      Digits();
    }
  }

  void String() {
    ++at_;  // the opening quote
    for (;;) {
      const auto c = static_cast<unsigned char>(Peek());
      if (c == '"') {
        ++at_;
        return;
      }
      if (c < 0x20) Fail();
      if (c == '\\') {
        ++at_;
        const char escaped = Peek();
        if (escaped == 'u') {
          for (int i = 1; i <= 4; ++i) {
            if (at_ + i >= text_.size() || HexDigit(text_[at_ + i]) < 0) {
              at_ += i;
              Fail();
            }
          }
          at_ += 5;
        } else if (std::string_view("\"\\/bfnrt").find(escaped) != std::string_view::npos) {
          ++at_;
        } else {
          Fail();
        }
      } else if (c < 0x80) {
        ++at_;
      } else {
        const std::size_t length = Utf8SequenceLength(text_.substr(at_));
        if (length == 0) Fail();
        at_ += length;
      }
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

// The reading passes, on text the checker took: each step finds where a value ends.
std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

std::size_t StringEnd(std::string_view text, std::size_t at) {
  for (++at; at < text.size(); ++at) {
    if (text[at] == '"') return at + 1;
    if (text[at] == '\\') ++at;  // the character it escapes
  }
  return text.size();
}

std::size_t ValueEnd(std::string_view text, std::size_t at) {
  const char first = text[at];
  if (first == '"') return StringEnd(text, at);
  if (first != '{' && first != '[') {
    while (at < text.size() && text[at] != ',' && text[at] != ']' && text[at] != '}' && !IsBlank(text[at])) ++at;
    return at;
  }
  std::size_t depth = 0;
  while (at < text.size()) {
    const char c = text[at];
    if (c == '"') {
      at = StringEnd(text, at);
      continue;
    }
    if (c == '{' || c == '[') ++depth;
    if ((c == '}' || c == ']') && --depth == 0) return at + 1;
    ++at;
  }
  return at;
}

// Visits the entries of a container (for an object, each entry is the member's name, then
// its value after the colon).
template <typename Entry>
std::size_t ForEachEntry(const JsonValue& container, bool members, Entry&& entry) {
  const std::string_view text = container.text;
  std::size_t at = SkipBlanks(text, 1);
  std::size_t count = 0;
  while (at < text.size() && text[at] != '}' && text[at] != ']') {
    std::optional<JsonValue> name;
    if (members) {
      const std::size_t nameEnd = StringEnd(text, at);
      name = JsonValue{JsonType::kString, text.substr(at, nameEnd - at)};
      at = SkipBlanks(text, SkipBlanks(text, nameEnd) + 1);  // past the colon
    }
    const std::size_t end = ValueEnd(text, at);
    ++count;
    if (!entry(name, JsonValue{TypeAt(text[at]), text.substr(at, end - at)})) break;
    at = SkipBlanks(text, end);
    if (at < text.size() && text[at] == ',') at = SkipBlanks(text, at + 1);
  }
  return count;
}

// The UTF-16 code units a checked string's inner bytes decode to.
std::size_t Utf16Length(std::string_view inner) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < inner.size(); ++i) {
    const auto c = static_cast<unsigned char>(inner[i]);
    if (c == '\\') {
      i += inner[i + 1] == 'u' ? 5 : 1;
      ++units;
    } else if ((c & 0xC0) != 0x80) {
      units += c >= 0xF0 ? 2 : 1;  // a code point beyond the BMP takes a surrogate pair
    }
  }
  return units;
}

}  // namespace

JsonValue CheckedJson(std::string_view text) { return Checker(text).Run(); }

std::vector<std::pair<Text, JsonValue>> Members(const JsonValue& object) {
  std::vector<std::pair<Text, JsonValue>> members;
  if (!object.Is(JsonType::kObject)) return members;
  ForEachEntry(object, true, [&](const std::optional<JsonValue>& name, const JsonValue& value) {
    members.emplace_back(DecodedText(*name), value);
    return true;
  });
  return members;
}

std::size_t ForEachElement(const JsonValue& array, const std::function<bool(const JsonValue&)>& each) {
  if (!array.Is(JsonType::kArray)) return 0;
  return ForEachEntry(array, false, [&](const std::optional<JsonValue>&, const JsonValue& value) { return each(value); });
}

std::size_t ElementCount(const JsonValue& array) {
  return ForEachElement(array, [](const JsonValue&) { return true; });
}

Text DecodedText(const JsonValue& string) {
  if (!string.Is(JsonType::kString) || string.text.size() < 2) return Text();
  const std::string_view inner = string.text.substr(1, string.text.size() - 2);
  Text text;
  text.reserve(Utf16Length(inner));
  for (std::size_t i = 0; i < inner.size();) {
    const auto c = static_cast<unsigned char>(inner[i]);
    if (c == '\\') {
      const char escaped = inner[i + 1];
      if (escaped == 'u') {
        char16_t unit = 0;
        for (std::size_t d = 2; d < 6; ++d) unit = static_cast<char16_t>(unit * 16 + HexDigit(inner[i + d]));
        text.push_back(unit);
        i += 6;
        continue;
      }
      constexpr std::string_view kFrom = "bfnrt", kTo = "\b\f\n\r\t";
      const std::size_t named = kFrom.find(escaped);
      text.push_back(named == std::string_view::npos ? static_cast<char16_t>(escaped)
                                                     : static_cast<char16_t>(kTo[named]));
      i += 2;
    } else if (c < 0x80) {
      text.push_back(c);
      ++i;
    } else {
      // Well-formed: the checker took it.
      const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
      char32_t point = c & (0xFF >> (length + 1));
      for (std::size_t k = 1; k < length; ++k) point = (point << 6) | (static_cast<unsigned char>(inner[i + k]) & 0x3F);
      if (point >= 0x10000) {
        point -= 0x10000;
        text.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
      } else {
        text.push_back(static_cast<char16_t>(point));
      }
      i += length;
    }
  }
  return text;
}

std::optional<double> NumberOf(const JsonValue& value) {
  if (!value.Is(JsonType::kNumber)) return std::nullopt;
  double number = 0;
  const char* first = value.text.data();
  const char* last = first + value.text.size();
  const auto [end, error] = std::from_chars(first, last, number);
  if (error != std::errc() || end != last) return std::nullopt;
  return number;
}

}  // namespace vant::browser
