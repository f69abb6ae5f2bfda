#include "common/json_writer.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace vant {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
// printf's %g precision: the lengths vant check reports, to 0.1 mm, keep every digit.
constexpr int kDoublePrecision = 6;

void AppendEscapedUnit(std::string& out, char16_t unit) {
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHexDigits[(unit >> shift) & 0xF]);
}

bool IsControl(char16_t unit) { return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F); }
bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendQuoted(std::string& out, TextView text) {
  out += '"';
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'"' || unit == u'\\') {
      out += '\\';
      out += static_cast<char>(unit);
    } else if (IsControl(unit)) {
      AppendEscapedUnit(out, unit);
    } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      // Not representable in UTF-8; the escape keeps the unit as the control holds it.
      AppendEscapedUnit(out, unit);
    } else {
      AppendUtf8(out, unit);
    }
  }
  out += '"';
}

}  // namespace

void JsonWriter::BeforeValue() {
  if (open_.empty()) {
    if (done_) throw std::logic_error("JSON: a second value after the first one ended");
    return;
  }
  Open& top = open_.back();
  if (top.object) {
    if (!top.keyDone) throw std::logic_error("JSON: a value where a key is due");
    return;  // the key wrote the separator
  }
  if (!top.empty) out_ += ", ";
  top.empty = false;
}

void JsonWriter::AfterValue() {
  if (open_.empty()) {
    done_ = true;
  } else {
    open_.back().keyDone = false;
  }
}

JsonWriter& JsonWriter::BeginObject() {
  BeforeValue();
  out_ += '{';
  open_.push_back({true});
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  BeforeValue();
  out_ += '[';
  open_.push_back({false});
  return *this;
}

JsonWriter& JsonWriter::End(bool object) {
  if (open_.empty() || open_.back().object != object) {
    throw std::logic_error(object ? "JSON: an object's end without its begin"
                                  : "JSON: an array's end without its begin");
  }
  if (open_.back().keyDone) throw std::logic_error("JSON: a key without its value");
  open_.pop_back();
  out_ += object ? '}' : ']';
  AfterValue();
  return *this;
}

JsonWriter& JsonWriter::EndObject() { return End(true); }
JsonWriter& JsonWriter::EndArray() { return End(false); }

JsonWriter& JsonWriter::Key(std::string_view utf8) {
  if (open_.empty() || !open_.back().object) throw std::logic_error("JSON: a key outside an object");
  Open& top = open_.back();
  if (top.keyDone) throw std::logic_error("JSON: a key where a value is due");
  if (!top.empty) out_ += ", ";
  top.empty = false;
  AppendQuoted(out_, FromUtf8(utf8));
  out_ += ": ";
  top.keyDone = true;
  return *this;
}

JsonWriter& JsonWriter::String(TextView text) {
  BeforeValue();
  AppendQuoted(out_, text);
  AfterValue();
  return *this;
}

JsonWriter& JsonWriter::StringUtf8(std::string_view utf8) { return String(FromUtf8(utf8)); }

JsonWriter& JsonWriter::Int(std::int64_t value) {
  BeforeValue();
  out_ += std::to_string(value);
  AfterValue();
  return *this;
}

JsonWriter& JsonWriter::Double(double value) {
  // JSON has no NaN or infinity; a caller that has one has a fault to mend, not to print.
  if (!std::isfinite(value)) throw std::logic_error("JSON: a number that is not finite");
  BeforeValue();
  out_ += JsonNumber(value);
  AfterValue();
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
  AfterValue();
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
  AfterValue();
  return *this;
}

std::string JsonWriter::Take() && {
  if (!open_.empty()) throw std::logic_error("JSON: a container left open at the end");
  if (!done_) throw std::logic_error("JSON: no value written");
  return std::move(out_);
}

std::string JsonString(TextView text) {
  JsonWriter json;
  json.String(text);
  return std::move(json).Take();
}

std::string JsonNumber(double value) {
  char digits[32];  // "-1.23457e+308": 13 characters at most
  const std::to_chars_result written =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, kDoublePrecision);
  return std::string(digits, written.ptr);
}

}  // namespace vant
