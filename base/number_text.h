// Numbers as the host editor's text files hold them, read and written the
// same way in every build and every locale.
//
// The readers follow atoi/atof: leading white space is skipped, reading stops
// at the first character that cannot continue the number, and no number at all
// gives 0. Unlike the C library they never overflow: an integer beyond the
// 32-bit range saturates to INT32_MIN/INT32_MAX, and a decimal beyond the
// double range saturates to -DBL_MAX/DBL_MAX, so no infinity reaches later
// stages. "inf", "nan" and hexadecimal forms are not numbers here (the
// system C runtime of the host platform does not read them either).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace base {

int32_t readInt(std::string_view text);
// Length of the decimal number (sign, digits, fraction, exponent) at the very
// start of text, 0 when none starts there.
size_t decimalPrefixLength(std::string_view text);
double readDouble(std::string_view text);

// Reads up to `count` comma-separated single-precision numbers the way the
// scanf pattern "%f,%f,...,%f" does: each number may be preceded by white
// space, each comma must follow the previous number directly. Returns how
// many numbers were read; the others are left untouched.
int scanFloats(std::string_view text, float* out, int count);

// Conversions that C++ leaves undefined out of range, made total: values
// beyond the target range saturate, NaN becomes 0 for integers.
float toSingle(double value);
int32_t truncToInt32(double value);

// printf "%f" of the value rounded to single precision, as the tools expect.
std::string formatSingleFixed(double value);
// printf "%.6g".
std::string formatShortest6(double value);
// printf into a string of any length.
std::string formatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace base
