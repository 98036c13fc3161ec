// The values of a scale: every note number between the low and the high note
// has a NoteValue; a straight line from RangeLow at the low note to RangeHigh
// at the high note fills them all, and the user adjusts single pitches in the
// value grid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillet {

// The value of one note number; notes of that pitch are left alone while it
// is empty. Stored as 12 bytes in the registry (storage/stored_settings.h).
struct NoteValue {
  bool empty = true;
  int32_t note = 0;  // low + index; informative only
  int32_t value = 0;
};

// The inclusive range of note numbers that receive values.
struct Scale {
  int32_t low = 0;
  int32_t high = 0;
};

// The value grid carries the scale in the two 16-bit halves of its message
// parameters, so only notes up to 65535 can be a scale's ends: a note number
// beyond (NoteNum=70000, or 99999999999, which reads as 2147483647) is not
// usable for the scale, wherever it comes from (the selection, a typed name,
// the registry). That also bounds a value array to 65,535 records
// (786,420 bytes), whose size never overflows, not even in a 32-bit build.
constexpr int32_t kHighestScaleNote = 65535;

// 1 <= low <= high <= kHighestScaleNote.
bool isUsableScale(Scale scale);
// high - low + 1, or 0 when high is below low.
size_t valueCount(Scale scale);
// A fresh array for the scale: every record empty, note = low + index.
std::vector<NoteValue> emptyValues(Scale scale);

// The range numbers travel to the value grid as signed 16-bit halves of one
// message parameter. A typed number beyond them is clamped, so that 40000
// never arrives as -25536.
int16_t toRangeHalf(int32_t number);

// Sets every record: index i gets i * (high - low) / (count - 1) + low,
// rounded half away from zero. A single record gets rangeLow: its index is 0,
// so the step, whose 0 / 0 has no value of its own, adds nothing.
void fillLinear(std::vector<NoteValue>& values, int16_t rangeLow, int16_t rangeHigh);

}  // namespace quillet
