#include "app/run/methods_json.h"

#include "common/failure.h"
#include "engine/module_state.h"

namespace vant::app {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendEscapedUnit(std::string& out, char16_t unit) {
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHexDigits[(unit >> shift) & 0xF]);
}

bool IsControl(char16_t unit) { return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F); }
bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::string JsonString(TextView text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'"') {
      out += "\\\"";
    } else if (unit == u'\\') {
      out += "\\\\";
    } else if (IsControl(unit)) {
      AppendEscapedUnit(out, unit);
    } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      out += ToUtf8(text.substr(i, 2));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      // Not representable in UTF-8; the escape keeps the unit as the control holds it.
      AppendEscapedUnit(out, unit);
    } else {
      out += ToUtf8(text.substr(i, 1));
    }
  }
  out += '"';
  return out;
}

std::string MethodsJson(const ControlState& state) {
  // Positions 1..methodCount must exist; a count the list does not hold is not printed.
  if (state.methodCount < 0) throw Failure::IndexOutOfRange();
  const auto count = static_cast<std::size_t>(state.methodCount);
  if (count > 0 && count >= state.methodList.size()) throw Failure::IndexOutOfRange();
  std::string out = "{\"paramsLoaded\": ";
  out += state.paramsLoaded ? "true" : "false";
  out += ", \"methodCount\": " + std::to_string(state.methodCount);
  out += ", \"methods\": [";
  for (std::size_t position = 1; position <= count; ++position) {
    if (position > 1) out += ", ";
    out += '[';
    const MethodRec& method = state.methodList[position];
    for (std::size_t f = 0; f < method.field.size(); ++f) {
      if (f > 0) out += ", ";
      out += JsonString(method.field[f]);
    }
    out += ']';
  }
  out += "], \"printCaption\": " + JsonString(state.printCaption);
  out += ", \"printButtonWidth\": " + std::to_string(state.printButtonWidth);
  out += ", \"printButtonHeight\": " + std::to_string(state.printButtonHeight);
  out += ", \"runMode\": " + std::to_string(state.runMode);
  out += '}';
  return out;
}

}  // namespace vant::app
