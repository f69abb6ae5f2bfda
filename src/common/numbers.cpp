#include "common/numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <system_error>

#include "common/failure.h"

namespace vant {
namespace {

bool IsIgnored(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// &H / &O numbers: the digits after the prefix, in the given base. Leading zeros do not
// count towards the width.
double RadixNumber(const Text& s, size_t pos, int base) {
  unsigned long long value = 0;
  int bits = 0;
  bool tooLong = false;
  const int bitsPerDigit = base == 16 ? 4 : 3;
  for (; pos < s.size(); ++pos) {
    const int d = DigitValue(s[pos]);
    if (d < 0 || d >= base) break;
    if (value == 0 && d == 0) continue;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    bits = (bits == 0) ? static_cast<int>(std::bit_width(static_cast<unsigned>(d)))
                       : bits + bitsPerDigit;
    if (bits > 64) tooLong = true;
  }
  if (tooLong) return static_cast<double>(std::numeric_limits<unsigned long long>::max());
  if (bits <= 16) return static_cast<double>(static_cast<int16_t>(static_cast<uint16_t>(value)));
  if (bits <= 32) return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
  return static_cast<double>(value);
}

// The C library's conversions follow the process locale, which the window toolkit sets to
// the user's: under a decimal-comma locale they would write "12,5" and read "12.5" as 12.
// std::to_chars and std::from_chars never look at the locale.
std::string FormatG(double value, int digits) {
  if (value == 0) return "0";  // also -0
  char buf[64];
  const std::to_chars_result written =
      std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
  if (written.ec != std::errc()) throw std::logic_error("FormatG: buffer too small");
  std::string s(buf, written.ptr);
  // The general format with an upper-case exponent letter, its exponent padded to two
  // digits ("E+07"), as the original control writes it; "1.5E+300" stays.
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

// The power of ten of the first significant digit of a decimal number text (from start,
// after its sign): "123" 2, "0.05" -2, "1E400" 400. The exponent saturates; it only tells
// an overflow from an underflow.
long long DecimalExponent(const std::string& number, size_t start) {
  const size_t e = number.find('E', start);
  const std::string mantissa = number.substr(start, e == std::string::npos ? std::string::npos : e - start);
  long long exponent = 0;
  if (e != std::string::npos) {
    size_t i = e + 1;
    const bool negative = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
    for (; i < number.size(); ++i) exponent = std::min(exponent * 10 + (number[i] - '0'), 1000000000LL);
    if (negative) exponent = -exponent;
  }
  const size_t point = mantissa.find('.');
  const std::string whole = mantissa.substr(0, point);
  const size_t firstWhole = whole.find_first_not_of('0');
  if (firstWhole != std::string::npos) return exponent + static_cast<long long>(whole.size() - firstWhole) - 1;
  const std::string fraction = point == std::string::npos ? std::string() : mantissa.substr(point + 1);
  const size_t firstFraction = fraction.find_first_not_of('0');
  return exponent - static_cast<long long>(firstFraction == std::string::npos ? 0 : firstFraction) - 1;
}

// The value of a decimal number text of the shape NumberFromText collects (sign, digits,
// ".", digits, "E" and a signed exponent). A number beyond the double range is an
// infinity of its sign, one too small for it a zero of its sign.
double ParseDecimal(const std::string& number) {
  const bool negative = !number.empty() && number[0] == '-';
  const size_t start = (!number.empty() && (number[0] == '-' || number[0] == '+')) ? 1 : 0;
  double value = 0;
  const std::from_chars_result read =
      std::from_chars(number.data() + start, number.data() + number.size(), value);
  if (read.ec == std::errc::result_out_of_range) {
    value = DecimalExponent(number, start) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (read.ec != std::errc()) {
    // NumberFromText hands over only texts it has checked to be numbers.
    throw std::logic_error("ParseDecimal: not a decimal number");
  }
  return negative ? -value : value;
}

}  // namespace

double NumberFromText(TextView text) {
  Text s;
  s.reserve(text.size());
  for (char16_t c : text) {
    if (!IsIgnored(c)) s.push_back(c);
  }
  if (s.size() >= 2 && s[0] == u'&') {
    if (s[1] == u'h' || s[1] == u'H') return RadixNumber(s, 2, 16);
    if (s[1] == u'o' || s[1] == u'O') return RadixNumber(s, 2, 8);
    return 0;
  }
  std::string number;
  size_t i = 0;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) number.push_back(static_cast<char>(s[i++]));
  bool digits = false;
  while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
    number.push_back(static_cast<char>(s[i++]));
    digits = true;
  }
  if (i < s.size() && s[i] == u'.') {
    number.push_back('.');
    ++i;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
      number.push_back(static_cast<char>(s[i++]));
      digits = true;
    }
  }
  if (!digits) return 0;
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
    size_t j = i + 1;
    std::string exponent = "E";
    if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) exponent.push_back(static_cast<char>(s[j++]));
    bool expDigits = false;
    while (j < s.size() && s[j] >= u'0' && s[j] <= u'9') {
      exponent.push_back(static_cast<char>(s[j++]));
      expDigits = true;
    }
    if (expDigits) number += exponent;
  }
  return ParseDecimal(number);
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

int16_t WholeInt16(double value) {
  const double r = RoundHalfEven(value);
  if (!std::isfinite(r) || r < -32768.0 || r > 32767.0) throw Failure::Overflow();
  return static_cast<int16_t>(r);
}

int32_t WholeInt32(double value) {
  const double r = RoundHalfEven(value);
  if (!std::isfinite(r) || r < -2147483648.0 || r > 2147483647.0) throw Failure::Overflow();
  return static_cast<int32_t>(r);
}

float ToSingle(double value) {
  const auto f = static_cast<float>(value);
  if (!std::isfinite(f)) throw Failure::Overflow();
  return f;
}

int16_t WholeFromText16(TextView text) { return WholeInt16(NumberFromText(text)); }
int32_t WholeFromText32(TextView text) { return WholeInt32(NumberFromText(text)); }

Text SingleText(float value) {
  const std::string s = FormatG(static_cast<double>(value), 7);
  return Text(s.begin(), s.end());
}

Text DoubleText(double value) {
  const std::string s = FormatG(value, 15);
  return Text(s.begin(), s.end());
}

bool FlagFromText(TextView text) { return LowerCase(text) == u"true"; }

Text FlagText(bool flag) { return flag ? u"true" : u"false"; }

}  // namespace vant
