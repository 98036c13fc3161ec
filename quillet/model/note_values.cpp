#include "model/note_values.h"

#include <algorithm>

namespace quillet {

bool isUsableScale(Scale scale) {
  return scale.low >= 1 && scale.low <= scale.high && scale.high <= kHighestScaleNote;
}

size_t valueCount(Scale scale) {
  return scale.high < scale.low ? 0 : static_cast<size_t>(int64_t{scale.high} - scale.low + 1);
}

std::vector<NoteValue> emptyValues(Scale scale) {
  std::vector<NoteValue> values(valueCount(scale));
  for (size_t i = 0; i < values.size(); ++i) values[i].note = static_cast<int32_t>(scale.low + int64_t(i));
  return values;
}

int16_t toRangeHalf(int32_t number) {
  return static_cast<int16_t>(std::clamp<int32_t>(number, INT16_MIN, INT16_MAX));
}

void fillLinear(std::vector<NoteValue>& values, int16_t rangeLow, int16_t rangeHigh) {
  double steps = static_cast<double>(values.size()) - 1;
  for (size_t i = 0; i < values.size(); ++i) {
    double x = i == 0 ? rangeLow : static_cast<double>(i) * (rangeHigh - rangeLow) / steps + rangeLow;
    values[i].value = static_cast<int32_t>(x >= 0 ? x + 0.5 : x - 0.5);
    values[i].empty = false;
  }
}

}  // namespace quillet
