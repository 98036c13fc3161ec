#include "resampler/pitch_string.h"

namespace reftools {
namespace {

int alphabetIndex(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

bool decodePitchString(std::string_view text, std::vector<int32_t>& values, std::string& error) {
  values.clear();
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '#') {
      if (values.empty()) {
        error = "repeat mark before the first pitch value";
        return false;
      }
      size_t close = text.find('#', i + 1);
      if (close == std::string_view::npos || close == i + 1) {
        error = "unterminated or empty repeat mark";
        return false;
      }
      size_t count = 0;
      for (size_t j = i + 1; j < close; ++j) {
        char c = text[j];
        if (c < '0' || c > '9') {
          error = "repeat count is not a number";
          return false;
        }
        count = count * 10 + static_cast<size_t>(c - '0');
        if (count > kMaxPitchValues) break;
      }
      if (count > kMaxPitchValues - values.size()) {
        error = "too many pitch values";
        return false;
      }
      values.insert(values.end(), count, values.back());
      i = close + 1;
      continue;
    }
    if (i + 1 >= text.size()) {
      error = "pitch value cut in half";
      return false;
    }
    int high = alphabetIndex(text[i]);
    int low = alphabetIndex(text[i + 1]);
    if (high < 0 || low < 0) {
      error = "character outside the pitch alphabet";
      return false;
    }
    if (values.size() >= kMaxPitchValues) {
      error = "too many pitch values";
      return false;
    }
    int32_t value = high * 64 + low;
    values.push_back(value >= 2048 ? value - 4096 : value);
    i += 2;
  }
  return true;
}

}  // namespace reftools
