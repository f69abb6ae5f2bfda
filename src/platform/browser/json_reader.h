// A strict reader of JSON text (RFC 8259, UTF-8) that builds no tree: the text is checked
// once, then read where it lies. A request of millions of values costs the reader no more
// than a few passes over its bytes; only the strings the caller asks for are decoded.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "common/text.h"

namespace vant::browser {

// The text is not JSON: the offset of the first byte that cannot be read as such.
struct JsonSyntaxError {
  std::size_t offset = 0;
};

// Containers nest at most this deep; deeper text is refused as malformed (a request of the
// extension nests four deep).
inline constexpr std::size_t kMaxJsonDepth = 512;

enum class JsonType { kObject, kArray, kString, kNumber, kTrue, kFalse, kNull };

// One well-formed value: its type and its bytes in the text it was read from (which must
// outlive it).
struct JsonValue {
  JsonType type = JsonType::kNull;
  std::string_view text;

  bool Is(JsonType t) const { return type == t; }
};

// The text as one value with nothing but blanks around it; throws JsonSyntaxError for
// anything else (bad UTF-8, a control character in a string, a lone value after the first,
// nesting beyond kMaxJsonDepth).
JsonValue CheckedJson(std::string_view text);

// The members of an object value, in order, with their names decoded.
std::vector<std::pair<Text, JsonValue>> Members(const JsonValue& object);

// Calls each(element) for every element of an array value, in order, until each returns
// false; returns how many elements were visited.
std::size_t ForEachElement(const JsonValue& array, const std::function<bool(const JsonValue&)>& each);
std::size_t ElementCount(const JsonValue& array);

// A string value decoded into UTF-16 (escaped lone surrogates kept as they are, as a
// browser's strings hold them).
Text DecodedText(const JsonValue& string);

// A number value, when it is one that a double holds (not beyond its range).
std::optional<double> NumberOf(const JsonValue& value);

}  // namespace vant::browser
