#include "planning/pitch_string.h"

#include <gtest/gtest.h>

#include "resampler/pitch_string.h"

namespace sondrel {
namespace {

// The pitch string is written by the planner and read by the reference
// resampler: both directions run on one table where the text is canonical.
TEST(PitchString, EncodedByThePlannerAndDecodedByTheTool) {
  enum Direction { kBoth, kEncodeOnly, kDecodeOnly };
  struct Case { const char* name; std::vector<int32_t> values; const char* text; Direction direction; } cases[] = {
      {"worked example", {0, 0, 0, 0, 5, 5, -1, 2047, -2048}, "AA#3#AFAF//f/gA", kBoth},
      {"run at the end", {0, 0, 10, 10, 10}, "AAAAAK#2#", kBoth},
      {"negative run", {-100, -100, -100, -50, 0}, "+c#2#/OAA", kBoth},
      {"single value", {7}, "AH", kBoth},
      {"none", {}, "", kBoth},
      {"two equal values", {3, 3}, "ADAD", kBoth},
      {"low 12 bits only", {4096, -4097, INT32_MIN}, "AA//AA", kEncodeOnly},
      {"repeat of 0", {0, 1}, "AA#0#AB", kDecodeOnly},
      {"repeat up to the limit", std::vector<int32_t>(reftools::kMaxPitchValues, 0), "AA#1048575#", kDecodeOnly},
  };
  for (const Case& c : cases) {
    if (c.direction != kDecodeOnly) EXPECT_EQ(encodePitchValues(c.values), c.text) << c.name;
    if (c.direction == kEncodeOnly) continue;
    std::vector<int32_t> values = {99};
    std::string error;
    EXPECT_TRUE(reftools::decodePitchString(c.text, values, error)) << c.name << ": " << error;
    EXPECT_EQ(values, c.values) << c.name;
  }
}

TEST(PitchString, ToolRefusesMalformedText) {
  for (const char* text : {"A", "A=", "A A", "#2#", "AA#", "AA##", "AA#-2#", "AA#2x#", "AA#1048576#",
                           "AA#18446744073709551617#"}) {
    std::vector<int32_t> values;
    std::string error;
    EXPECT_FALSE(reftools::decodePitchString(text, values, error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

TEST(BuildPitchString, WithoutModeTwoReadsPitchesLikeAtoi) {
  struct Case { const char* pitches; const char* text; } cases[] = {
      {"0,0,0", "AA#2#"}, {"1,2,3,", "ABACAD"}, {"1,,2", "ABAAAC"}, {" -1, +1,x", "//ABAA"}, {"99999999999", "//"},
  };
  for (const Case& c : cases) {
    Note note;
    note.pitches = c.pitches;
    CurveCache curves;
    EXPECT_EQ(buildPitchString(note, false, curves), c.text) << "Pitches=" << c.pitches;
  }
}

}  // namespace
}  // namespace sondrel
