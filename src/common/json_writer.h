// The one way this program writes JSON: a streaming writer that puts in every separator
// and quotation mark itself, in one layout, ", " between values and ": " after a key, on
// one line ({"code": 1, "name": "A4"}). Wrong nesting is a programming error, not output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace vant {

// Writes one JSON value (an object, an array or a single scalar) into a string. Every call
// that does not fit where it stands throws std::logic_error: a key outside an object or
// where a value is due, a value where a key is due, an end that does not match its begin,
// a second value after the first one ended, a NaN or infinity.
class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();

  // A member's name, written as String writes a text; its value must follow.
  JsonWriter& Key(std::string_view utf8);

  // A string: quotation mark and backslash escaped, control characters (U+0000..U+001F,
  // U+007F..U+009F) as \u00xx, a surrogate without its partner as \udxxx, everything else
  // as UTF-8.
  JsonWriter& String(TextView text);
  // The same for UTF-8 text (malformed bytes become U+FFFD, as FromUtf8 reads them).
  JsonWriter& StringUtf8(std::string_view utf8);
  JsonWriter& Int(std::int64_t value);
  // Up to 6 significant digits, as printf's %g writes them: 209.9, 0.1, 297, -3.5, 1e-07.
  JsonWriter& Double(double value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  // The finished text; throws std::logic_error while a container is open or before a value.
  std::string Take() &&;

 private:
  struct Open {
    bool object = false;
    bool empty = true;     // nothing inside yet: no separator before the next entry
    bool keyDone = false;  // an object's key written, its value not yet
  };
  // Before any value: the separator it needs, or a logic_error when no value may stand here.
  void BeforeValue();
  // After a scalar or an end: the value that was due is there.
  void AfterValue();
  JsonWriter& End(bool object);

  std::string out_;
  std::vector<Open> open_;
  bool done_ = false;  // the one top-level value is complete
};

// A JSON string literal of the text, quotes included, as JsonWriter::String writes it.
std::string JsonString(TextView text);

// A finite number as JsonWriter::Double writes it (6 significant digits: 209.9, 297),
// for a text that says the same figures as the JSON beside it.
std::string JsonNumber(double value);

}  // namespace vant
