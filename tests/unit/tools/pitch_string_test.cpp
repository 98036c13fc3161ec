#include <gtest/gtest.h>

#include "resampler/pitch_string.h"

namespace {

using reftools::decodePitchString;

TEST(PitchString, DecodesValuesAndRepeatMarksUpToTheLimit) {
  struct Case { const char* text; std::vector<int32_t> values; } cases[] = {
      {"", {}},
      {"AA#3#AFAF//f/gA", {0, 0, 0, 0, 5, 5, -1, 2047, -2048}},
      {"+c#2#/OAA", {-100, -100, -100, -50, 0}},
      {"AA#0#AB", {0, 1}},
      {"AB#1#", {1, 1}},
      {"AA#1048575#", std::vector<int32_t>(reftools::kMaxPitchValues, 0)},
  };
  for (const Case& c : cases) {
    std::vector<int32_t> values = {99};
    std::string error;
    EXPECT_TRUE(decodePitchString(c.text, values, error)) << c.text << ": " << error;
    EXPECT_EQ(values, c.values) << c.text;
  }
}

TEST(PitchString, RefusesMalformedText) {
  for (const char* text : {"A", "A=", "A A", "#2#", "AA#", "AA##", "AA#-2#", "AA#2x#", "AA#1048576#",
                           "AA#18446744073709551617#"}) {
    std::vector<int32_t> values;
    std::string error;
    EXPECT_FALSE(decodePitchString(text, values, error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

}  // namespace
