#include "base/number_text.h"

#include <cfloat>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace base {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

size_t skipBlanks(std::string_view text, size_t i) {
  while (i < text.size() && isBlank(text[i])) ++i;
  return i;
}

size_t decimalLength(std::string_view text, size_t i) {
  size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t e = i + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    if (e < text.size() && isDigit(text[e])) {
      while (e < text.size() && isDigit(text[e])) ++e;
      i = e;
    }
  }
  return i - start;
}

// strtod on a cleaned copy: the text is known to be a plain decimal number,
// so the result only depends on LC_NUMERIC, which the program keeps at "C".
double convertDecimal(std::string_view number) {
  std::string copy(number);
  double value = std::strtod(copy.c_str(), nullptr);
  if (std::isinf(value)) return value < 0 ? -DBL_MAX : DBL_MAX;
  return value;
}

}  // namespace

size_t decimalPrefixLength(std::string_view text) { return decimalLength(text, 0); }

int32_t readInt(std::string_view text) {
  size_t i = skipBlanks(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t magnitude = 0;
  const int64_t limit = negative ? int64_t{INT32_MAX} + 1 : INT32_MAX;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude >= limit) {
      magnitude = limit;
      while (i < text.size() && isDigit(text[i])) ++i;
      break;
    }
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

double readDouble(std::string_view text) {
  size_t i = skipBlanks(text, 0);
  size_t length = decimalLength(text, i);
  if (length == 0) return 0.0;
  return convertDecimal(text.substr(i, length));
}

int scanFloats(std::string_view text, float* out, int count) {
  size_t i = 0;
  for (int n = 0; n < count; ++n) {
    if (n > 0) {
      if (i >= text.size() || text[i] != ',') return n;
      ++i;
    }
    i = skipBlanks(text, i);
    size_t length = decimalLength(text, i);
    if (length == 0) return n;
    out[n] = toSingle(convertDecimal(text.substr(i, length)));
    i += length;
  }
  return count;
}

float toSingle(double value) {
  if (value > FLT_MAX) return FLT_MAX;
  if (value < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(value);
}

int32_t truncToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(value);
}

std::string formatSingleFixed(double value) {
  return formatText("%f", static_cast<double>(toSingle(value)));
}

std::string formatShortest6(double value) { return formatText("%.6g", value); }

std::string formatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(&text[0], text.size(), format, again);
    text.resize(static_cast<size_t>(length));
  }
  va_end(again);
  return text;
}

}  // namespace base
