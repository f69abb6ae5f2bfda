#include "common/numbers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "common/failure.h"

namespace vant {
namespace {

bool IsIgnored(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// The characters of a text with those NumberFromText ignores left out, read one at a time
// in place.
class SignificantChars {
 public:
  explicit SignificantChars(TextView text) : text_(text) { SkipIgnored(); }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char16_t Peek() const { return text_[pos_]; }
  // Whether the current character is one of a or b.
  bool PeekIs(char16_t a, char16_t b) const { return !AtEnd() && (Peek() == a || Peek() == b); }
  bool PeekIsDigit() const { return !AtEnd() && Peek() >= u'0' && Peek() <= u'9'; }
  void Next() {
    ++pos_;
    SkipIgnored();
  }

 private:
  void SkipIgnored() {
    while (pos_ < text_.size() && IsIgnored(text_[pos_])) ++pos_;
  }
  TextView text_;
  size_t pos_ = 0;
};

// The decimal number NumberFromText collects: on the stack, unless it is longer than any
// number a page has a reason to write.
class NumberChars {
 public:
  void Append(char16_t c) {
    const auto ascii = static_cast<char>(c);
    if (!long_.empty() || size_ == inline_.size()) {
      if (long_.empty()) long_.assign(inline_.data(), size_);
      long_.push_back(ascii);
    } else {
      inline_[size_] = ascii;
    }
    ++size_;
  }
  size_t Size() const { return size_; }
  void Shorten(size_t size) {
    size_ = size;
    if (!long_.empty()) long_.resize(size);
  }
  std::string_view View() const {
    return long_.empty() ? std::string_view(inline_.data(), size_) : std::string_view(long_);
  }

 private:
  std::array<char, 64> inline_{};
  size_t size_ = 0;
  std::string long_;
};

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// &H / &O numbers: the digits after the prefix, in the given base. Leading zeros do not
// count towards the width.
double RadixNumber(SignificantChars& s, int base) {
  unsigned long long value = 0;
  int bits = 0;
  bool tooLong = false;
  const int bitsPerDigit = base == 16 ? 4 : 3;
  for (; !s.AtEnd(); s.Next()) {
    const int d = DigitValue(s.Peek());
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
long long DecimalExponent(std::string_view number, size_t start) {
  const size_t e = number.find('E', start);
  const std::string_view mantissa = number.substr(start, e == std::string_view::npos ? std::string_view::npos : e - start);
  long long exponent = 0;
  if (e != std::string_view::npos) {
    size_t i = e + 1;
    const bool negative = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
    for (; i < number.size(); ++i) exponent = std::min(exponent * 10 + (number[i] - '0'), 1000000000LL);
    if (negative) exponent = -exponent;
  }
  const size_t point = mantissa.find('.');
  const std::string_view whole = mantissa.substr(0, point);
  const size_t firstWhole = whole.find_first_not_of('0');
  if (firstWhole != std::string_view::npos) return exponent + static_cast<long long>(whole.size() - firstWhole) - 1;
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
  const size_t firstFraction = fraction.find_first_not_of('0');
  return exponent - static_cast<long long>(firstFraction == std::string_view::npos ? 0 : firstFraction) - 1;
}

// The value of a decimal number text of the shape NumberFromText collects (sign, digits,
// ".", digits, "E" and a signed exponent). A number beyond the double range is an
// infinity of its sign, one too small for it a zero of its sign.
double ParseDecimal(std::string_view number) {
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
  // Read in place: a method's numbers are read on every run, and copying them would cost
  // an allocation each.
  SignificantChars s(text);
  if (s.PeekIs(u'&', u'&')) {
    s.Next();
    if (s.AtEnd()) return 0;  // "&" alone is no number
    const char16_t prefix = s.Peek();
    s.Next();
    if (prefix == u'h' || prefix == u'H') return RadixNumber(s, 16);
    if (prefix == u'o' || prefix == u'O') return RadixNumber(s, 8);
    return 0;
  }
  NumberChars number;
  if (s.PeekIs(u'+', u'-')) {
    number.Append(s.Peek());
    s.Next();
  }
  bool digits = false;
  for (; s.PeekIsDigit(); s.Next(), digits = true) number.Append(s.Peek());
  if (s.PeekIs(u'.', u'.')) {
    number.Append(u'.');
    s.Next();
    for (; s.PeekIsDigit(); s.Next(), digits = true) number.Append(s.Peek());
  }
  if (!digits) return 0;
  if (s.PeekIs(u'e', u'E') || s.PeekIs(u'd', u'D')) {
    const size_t mantissa = number.Size();
    number.Append(u'E');
    s.Next();
    if (s.PeekIs(u'+', u'-')) {
      number.Append(s.Peek());
      s.Next();
    }
    bool expDigits = false;
    for (; s.PeekIsDigit(); s.Next(), expDigits = true) number.Append(s.Peek());
    if (!expDigits) number.Shorten(mantissa);
  }
  return ParseDecimal(number.View());
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
  const std::string s = FormatG(static_cast<double>(value), kSingleDigits);
  return Text(s.begin(), s.end());
}

Text DoubleText(double value) {
  const std::string s = FormatG(value, kDoubleDigits);
  return Text(s.begin(), s.end());
}

bool FlagFromText(TextView text) { return EqualsLowerCased(text, u"true"); }

namespace {

// value written as SingleText and DoubleText write it (the general format with the given
// significant digits, "0" for either zero) and read back as NumberFromText reads it,
// without making the text.
double AsWritten(double value, int digits) {
  if (value == 0) return 0;
  char buf[40];
  const std::to_chars_result written =
      std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
  if (written.ec != std::errc()) throw std::logic_error("AsWritten: buffer too small");
  for (char* c = buf; c != written.ptr; ++c) {
    if (*c == 'e') *c = 'E';  // as written, so that an overflowing text reads as one
  }
  return ParseDecimal(std::string_view(buf, static_cast<size_t>(written.ptr - buf)));
}

}  // namespace

float SingleAsWritten(float value) { return ToSingle(AsWritten(static_cast<double>(value), kSingleDigits)); }

double DoubleAsWritten(double value) { return AsWritten(value, kDoubleDigits); }

Text FlagText(bool flag) { return flag ? u"true" : u"false"; }

}  // namespace vant
