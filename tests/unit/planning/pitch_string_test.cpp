#include "planning/pitch_string.h"

#include <gtest/gtest.h>

namespace sondrel {
namespace {

TEST(EncodePitchValues, PairsAndRepeatMarks) {
  struct Case { const char* name; std::vector<int32_t> values; const char* text; } cases[] = {
      {"worked example", {0, 0, 0, 0, 5, 5, -1, 2047, -2048}, "AA#3#AFAF//f/gA"},
      {"run at the end", {0, 0, 10, 10, 10}, "AAAAAK#2#"},
      {"negative run", {-100, -100, -100, -50, 0}, "+c#2#/OAA"},
      {"single value", {7}, "AH"},
      {"none", {}, ""},
      {"two equal values", {3, 3}, "ADAD"},
      {"low 12 bits only", {4096, -4097, INT32_MIN}, "AA//AA"},
  };
  for (const Case& c : cases) EXPECT_EQ(encodePitchValues(c.values), c.text) << c.name;
}

TEST(BuildPitchString, ModeOneReadsPitchesLikeAtoi) {
  struct Case { const char* pitches; int mode2; const char* text; } cases[] = {
      {"0,0,0", 1, "AA#2#"}, {"1,2,3,", 1, "ABACAD"}, {"1,,2", 1, "ABAAAC"}, {"", 1, ""},
      {" -1, +1,x", 1, "//ABAA"}, {"99999999999", 1, "//"}, {"0,0,0", 3, ""}, {"0,0,0", 0, ""},
  };
  for (const Case& c : cases) {
    Note note;
    note.pitches = c.pitches;
    EXPECT_EQ(buildPitchString(note, c.mode2), c.text) << "Pitches=" << c.pitches << " mode " << c.mode2;
  }
}

}  // namespace
}  // namespace sondrel
