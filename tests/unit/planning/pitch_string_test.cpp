#include "planning/pitch_string.h"

#include <gtest/gtest.h>

namespace sondrel {
namespace {

TEST(EncodePitchValues, PairsAndRepeatMarks) {
  struct Case { std::vector<int32_t> values; const char* text; } cases[] = {
      {{0, 0, 0, 0, 5, 5, -1, 2047, -2048}, "AA#3#AFAF//f/gA"},
      {{0, 0, 10, 10, 10}, "AAAAAK#2#"},
      {{-100, -100, -100, -50, 0}, "+c#2#/OAA"},
      {{7}, "AH"},
      {{}, ""},
      {{3, 3}, "ADAD"},
      {{4096, -4097}, "AA//"},
      {{INT32_MIN, INT32_MAX}, "AA//"},
  };
  for (const Case& c : cases) {
    std::string name;
    for (int32_t v : c.values) name += std::to_string(v) + " ";
    EXPECT_EQ(encodePitchValues(c.values), c.text) << "values " << name;
  }
}

TEST(ReadPitchList, OneValuePerEntryWithoutTheFinalComma) {
  struct Case { const char* text; std::vector<int32_t> values; } cases[] = {
      {"1,2,3", {1, 2, 3}}, {"1,2,3,", {1, 2, 3}}, {"1,,2", {1, 0, 2}}, {"", {}},
      {" -5, +7,x", {-5, 7, 0}}, {",", {0}}, {"99999999999", {INT32_MAX}},
  };
  for (const Case& c : cases) EXPECT_EQ(readPitchList(c.text), c.values) << "text " << c.text;
}

TEST(BuildPitchString, ModeOneEncodesPitchesAndOtherModesGiveNothing) {
  Note note;
  note.pitches = "0,0,0";
  EXPECT_EQ(buildPitchString(note, 1), "AA#2#");
  EXPECT_EQ(buildPitchString(note, 3), "");
  EXPECT_EQ(buildPitchString(note, 0), "");
}

}  // namespace
}  // namespace sondrel
