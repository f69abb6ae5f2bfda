// Numbers as the method language reads and writes them.
#pragma once

#include <cstdint>

#include "common/text.h"

namespace vant {

// The numeric value of an argument text: the longest number at its start (optional sign,
// digits with an optional "." and an optional exponent E or D; or &H hexadecimal, &O octal).
// Blanks, tabs and line feeds are ignored wherever they stand. Yields 0 when there is no
// number and never fails; an exponent beyond the double range gives an infinity, which
// every conversion below refuses as an overflow.
//
// Hexadecimal and octal numbers are read as the original control reads them: with up to 16 bits of
// value as a 16-bit signed number (&HFFFF is -1), with up to 32 bits as a 32-bit one.
double NumberFromText(TextView text);

// Rounds to the nearest whole number, a tie going to the even one (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// Whole numbers: rounded half to even; outside the target width an overflow failure.
int16_t WholeInt16(double value);
int32_t WholeInt32(double value);

// Single precision: the nearest float; beyond the float range an overflow failure.
float ToSingle(double value);

// Whole number of an argument text (NumberFromText, then WholeInt16 / WholeInt32).
int16_t WholeFromText16(TextView text);
int32_t WholeFromText32(TextView text);

// Decimal texts, always with "." as decimal point: up to 7 significant digits for a
// single, up to 15 for a double; no trailing zeros; exponent form ("1.234568E+07",
// "1E-05") where the original control's general format uses it.
inline constexpr int kSingleDigits = 7;
inline constexpr int kDoubleDigits = 15;
Text SingleText(float value);
Text DoubleText(double value);

// What a preview copy keeps of a converted value: the value as its decimal text above reads
// back with NumberFromText, rounded to single precision for a single. The copies of the
// original control held their numbers as such texts, and the preview draws what they held;
// no text is made here.
float SingleAsWritten(float value);
double DoubleAsWritten(double value);

// Flags: true when the field, lower-cased, is exactly "true".
bool FlagFromText(TextView text);
// A flag as a field holds it, for the preview's copies of drawing methods: "true" or
// "false", which FlagFromText and the barcode check character's reading both read back.
Text FlagText(bool flag);

// The 16-bit flag values of the original control.
inline constexpr int16_t kFlagTrue = -1;
inline constexpr int16_t kFlagFalse = 0;

}  // namespace vant
