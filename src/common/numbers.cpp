#include "common/numbers.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <bit>
#include <cstdlib>
#include <limits>
#include <string>

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

std::string FormatG(double value, int digits) {
  if (value == 0) return "0";  // also -0
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*G", digits, value);
  std::string s = buf;
  // "%G" pads the exponent to two digits ("E+07"), as the original control does; "1.5E+300" stays.
  return s;
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
  return std::strtod(number.c_str(), nullptr);
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

}  // namespace vant
