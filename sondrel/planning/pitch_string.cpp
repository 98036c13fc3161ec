#include "planning/pitch_string.h"

#include <string_view>

#include "base/number_text.h"

namespace sondrel {
namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Values outside -2048 ... 2047 keep only their low 12 bits; the unsigned
// shift takes the same bits as an arithmetic one would.
void appendPair(std::string& text, int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  text += kAlphabet[(bits >> 6) & 63];
  text += kAlphabet[bits & 63];
}

void settleRun(std::string& text, int32_t value, long long repeats) {
  if (repeats == 1) {
    appendPair(text, value);
  } else if (repeats >= 2) {
    text += base::formatText("#%lld#", repeats);
  }
}

}  // namespace

std::vector<int32_t> readPitchList(const std::string& pitches) {
  std::vector<int32_t> values;
  std::string_view text = pitches;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t comma = text.find(',', pos);
    size_t end = comma == std::string_view::npos ? text.size() : comma;
    values.push_back(base::readInt(text.substr(pos, end - pos)));
    if (comma == std::string_view::npos) break;
    pos = comma + 1;
  }
  return values;
}

std::string encodePitchValues(const std::vector<int32_t>& values) {
  std::string text;
  text.reserve(values.size() * 2);
  long long repeats = 0;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0 && values[i] == values[i - 1]) {
      ++repeats;
      continue;
    }
    if (i > 0) settleRun(text, values[i - 1], repeats);
    appendPair(text, values[i]);
    repeats = 0;
  }
  if (!values.empty()) settleRun(text, values.back(), repeats);
  return text;
}

std::string buildPitchString(const Note& note, bool mode2, CurveCache& curves) {
  return encodePitchValues(mode2 ? buildPitchArray(note, curves) : readPitchList(note.pitches));
}

}  // namespace sondrel
