// Fuzzes number reading and writing against a second, independent reading of the rules:
// the leading number of an argument (blanks, tabs and line feeds ignored anywhere; a sign,
// digits with "." and an exponent E or D; &H and &O with 16- and 32-bit signs), whole
// numbers rounded half to even within their width, and the decimal texts (15 significant
// digits for a double, 7 for a single, "." always, no trailing zeros, exponent form where
// the general format uses it). A disagreement aborts with both readings.
#include <cfloat>
#include <algorithm>
#include <charconv>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "common/failure.h"
#include "common/numbers.h"

namespace {

using namespace vant;

[[noreturn]] void Disagree(const std::string& input, const char* what, double ours, double reference) {
  std::fprintf(stderr, "numbers disagree (%s) on \"%s\": %.17g vs %.17g\n", what, input.c_str(), ours,
               reference);
  std::abort();
}

bool Same(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

// The text without the characters that do not count; nothing beyond the 16-bit units.
std::u16string Counted(std::u16string_view text) {
  std::u16string kept;
  for (const char16_t c : text) {
    if (c != u' ' && c != u'\t' && c != u'\n') kept.push_back(c);
  }
  return kept;
}

int Digit(char16_t c, int base) {
  int value = -1;
  if (c >= u'0' && c <= u'9') value = c - u'0';
  if (c >= u'a' && c <= u'z') value = c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') value = c - u'A' + 10;
  return value >= 0 && value < base ? value : -1;
}

// &H and &O: the value's significant bits decide its width; up to 16 bits it is a 16-bit
// two's complement number, up to 32 a 32-bit one, beyond that unsigned, saturating past 64.
double RadixReference(std::u16string_view digits, int base) {
  __extension__ unsigned __int128 value = 0;  // a GCC type: wide enough to see past 64 bits
  bool saturated = false;
  for (const char16_t c : digits) {
    const int d = Digit(c, base);
    if (d < 0) break;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    if (value >> 64) saturated = true;
    if (saturated) value = 0;  // kept small: only the saturation matters from here
  }
  if (saturated) return static_cast<double>(UINT64_MAX);
  const auto v = static_cast<std::uint64_t>(value);
  if (v <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(v)));
  if (v <= 0xFFFFFFFF) return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
  return static_cast<double>(v);
}

// The power of ten of a decimal number's leading digit ("0.05e3" is 1), saturating.
long long DecimalMagnitude(const std::string& number) {
  const std::size_t e = std::min(number.find('e'), number.size());
  const std::string mantissa = number.substr(0, e);
  const std::size_t dot = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string::npos) return LLONG_MIN;
  long long magnitude = first < dot ? static_cast<long long>(dot - first) - 1
                                    : -static_cast<long long>(first - dot);
  long long exponent = 0;
  bool negative = false;
  for (std::size_t i = e + 1; i < number.size(); ++i) {
    if (number[i] == '-') negative = true;
    if (number[i] >= '0' && number[i] <= '9') exponent = std::min(exponent * 10 + (number[i] - '0'), 1'000'000'000LL);
  }
  return magnitude + (negative ? -exponent : exponent);
}

double DecimalReference(const std::u16string& s) {
  std::size_t i = 0;
  std::string number;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  std::size_t digits = 0;
  for (; i < s.size() && Digit(s[i], 10) >= 0; ++i, ++digits) number.push_back(static_cast<char>(s[i]));
  if (i < s.size() && s[i] == u'.') {
    number.push_back('.');
    for (++i; i < s.size() && Digit(s[i], 10) >= 0; ++i, ++digits) number.push_back(static_cast<char>(s[i]));
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) exponent.push_back(static_cast<char>(s[j++]));
    const std::size_t expStart = j;
    for (; j < s.size() && Digit(s[j], 10) >= 0; ++j) exponent.push_back(static_cast<char>(s[j]));
    if (j > expStart) number += exponent;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too large is an infinity; too small rounds to zero (or the smallest subnormals, which
    // the comparison allows).
    value = DecimalMagnitude(number) > 0 ? HUGE_VAL : 0.0;
  }
  (void)end;
  return negative ? -value : value;
}

double NumberReference(std::u16string_view text) {
  const std::u16string s = Counted(text);
  if (s.size() >= 2 && s[0] == u'&') {
    if (s[1] == u'h' || s[1] == u'H') return RadixReference(std::u16string_view(s).substr(2), 16);
    if (s[1] == u'o' || s[1] == u'O') return RadixReference(std::u16string_view(s).substr(2), 8);
    return 0;
  }
  return DecimalReference(s);
}

std::optional<double> WholeReference(double value, double lowest, double highest) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // the default rounding: ties to even
  if (rounded < lowest || rounded > highest) return std::nullopt;
  return rounded;
}

template <typename Whole>
std::optional<double> Ours(Whole (*convert)(double), double value) {
  try {
    return static_cast<double>(convert(value));
  } catch (const Failure&) {
    return std::nullopt;
  }
}

// A decimal text as sign, significant digits (no trailing zeros) and the power of ten of
// the first digit: "-0.0012" and "-1.2E-03" are both {'-', "12", -3}.
struct Decimal {
  bool negative = false;
  std::string digits;
  long exponent = 0;
  bool operator==(const Decimal&) const = default;
};

std::optional<Decimal> ReadDecimal(std::string_view text) {
  Decimal d;
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') d.negative = true, ++i;
  long pointAt = -1, firstAt = -1, position = 0;
  for (; i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.'); ++i) {
    if (text[i] == '.') {
      if (pointAt >= 0) return std::nullopt;
      pointAt = position;
      continue;
    }
    if (firstAt < 0 && text[i] != '0') firstAt = position;
    if (firstAt >= 0) d.digits.push_back(text[i]);
    ++position;
  }
  if (pointAt < 0) pointAt = position;
  if (firstAt < 0) return std::nullopt;
  long exponent = 0;
  if (i < text.size()) {
    if (text[i] != 'E' && text[i] != 'e') return std::nullopt;
    const auto [end, error] = std::from_chars(text.data() + i + 1 + (i + 1 < text.size() && text[i + 1] == '+'), text.data() + text.size(), exponent);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  d.exponent = pointAt - firstAt - 1 + exponent;
  return d;
}

void CheckText(const std::string& input, const std::u16string& text, double value, int digits) {
  const std::string ours(text.begin(), text.end());
  const std::string shown = input + " -> " + ours;
  if (value == 0) {
    if (ours != "0") Disagree(shown, "zero text", value, 0);
    return;
  }
  // The value rounded to that many significant digits, by the standard library.
  char scientific[64];
  const auto written = std::to_chars(scientific, scientific + sizeof scientific, value,
                                     std::chars_format::scientific, digits - 1);
  const auto reference = ReadDecimal(std::string_view(scientific, written.ptr - scientific));
  const auto read = ReadDecimal(ours);
  if (!read) Disagree(shown, "text not a decimal number", value, 0);
  if (!(*read == *reference)) Disagree(shown, "digits", value, static_cast<double>(reference->exponent));
  const bool exponentForm = reference->exponent < -4 || reference->exponent >= digits;
  if ((ours.find('E') != std::string::npos) != exponentForm) Disagree(shown, "form", value, static_cast<double>(reference->exponent));
  const std::string mantissa = ours.substr(0, ours.find('E'));
  if (mantissa.find('.') != std::string::npos && (mantissa.back() == '0' || mantissa.back() == '.')) {
    Disagree(shown, "trailing zeros", value, 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const Text text = FromUtf8(input);
  const double ours = NumberFromText(text);
  const double reference = NumberReference(text);
  const bool bothTiny = std::fabs(ours) < DBL_MIN && std::fabs(reference) < DBL_MIN &&
                        std::signbit(ours) == std::signbit(reference);
  if (!Same(ours, reference) && !bothTiny) Disagree(input, "NumberFromText", ours, reference);

  const auto whole16 = Ours(&WholeInt16, ours);
  const auto expected16 = WholeReference(ours, -32768, 32767);
  if (whole16 != expected16) Disagree(input, "whole 16", whole16.value_or(NAN), expected16.value_or(NAN));
  const auto whole32 = Ours(&WholeInt32, ours);
  const auto expected32 = WholeReference(ours, -2147483648.0, 2147483647.0);
  if (whole32 != expected32) Disagree(input, "whole 32", whole32.value_or(NAN), expected32.value_or(NAN));

  if (std::isfinite(ours)) {
    CheckText(input, DoubleText(ours), ours, 15);
    const auto single = static_cast<float>(ours);
    if (std::isfinite(single)) CheckText(input, SingleText(single), static_cast<double>(single), 7);
  }
  // The raw bytes as a double too, to reach values no text spells.
  if (size >= sizeof(double)) {
    double raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    if (std::isfinite(raw)) CheckText(input, DoubleText(raw), raw, 15);
  }
  return 0;
}
