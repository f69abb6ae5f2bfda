// Text as the control sees it: UTF-16 code units, so that positions, lengths and the
// 32767 limits count exactly as they did on the original platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vant {

using Text = std::u16string;
using TextView = std::u16string_view;

// UTF-8 <-> UTF-16 at the edges of the system (files, Qt, CUPS, the terminal).
// Malformed UTF-8 becomes U+FFFD; an unpaired surrogate is written as U+FFFD.
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(TextView text);
// Appends one code point (up to U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// An ASCII digit, 0 to 9 (full-width digits are not).
inline bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Lower and upper case as the original control's case functions do: ASCII, Latin-1, Greek,
// Cyrillic and the full-width Latin letters; everything else is left as it stands.
Text LowerCase(TextView text);
Text UpperCase(TextView text);
// One UTF-16 unit lower-cased as LowerCase does.
char16_t LowerCaseUnit(char16_t unit);
// Whether text begins with prefix once lower-cased: LowerCase(text) starts with prefix.
bool StartsWithLowerCased(TextView text, TextView prefix);
// Whether text, lower-cased, equals lowered exactly; nothing is copied.
bool EqualsLowerCased(TextView text, TextView lowered);

// Removes blanks (U+0020 only) at both ends, like the original control's Trim.
Text TrimBlanks(TextView text);
// The same as a view into text.
TextView TrimmedBlanks(TextView text);

// Splits at every occurrence of separator; "" gives one empty part, "a," gives "a" and "".
std::vector<Text> SplitAt(TextView text, char16_t separator);

// Decimal text of a whole number.
Text DecimalText(long long value);

}  // namespace vant
