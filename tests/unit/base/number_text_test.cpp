#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <vector>

namespace sondrel {
namespace {

TEST(ReadInt, FollowsAtoiAndSaturates) {
  struct Case { const char* text; int32_t expected; } cases[] = {
      {"  -17xyz", -17}, {"+8", 8}, {"abc", 0}, {"\t 3.9", 3}, {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX},
      {"-2147483648", INT32_MIN}, {"-99999999999", INT32_MIN}, {"- 5", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(base::readInt(c.text), c.expected) << "text: " << c.text;
}

TEST(ReadDouble, FollowsAtofWithoutInfinityOrSpecialForms) {
  struct Case { const char* text; double expected; } cases[] = {
      {" -0.25x", -0.25}, {".5", 0.5}, {"1e3", 1000.0}, {"1e+", 1.0}, {".", 0.0}, {"inf", 0.0}, {"nan", 0.0},
      {"0x10", 0.0}, {"1e999", DBL_MAX}, {"-1e999", -DBL_MAX}, {"120,5", 120.0},
  };
  for (const Case& c : cases) EXPECT_EQ(base::readDouble(c.text), c.expected) << "text: " << c.text;
}

TEST(ScanFloats, StopsAtTheFirstFieldThatDoesNotParse) {
  float v[5] = {-1, -1, -1, -1, -1};
  EXPECT_EQ(base::scanFloats("10, 20,-30,x,5", v, 5), 3);
  EXPECT_EQ(std::vector<float>(v, v + 5), (std::vector<float>{10, 20, -30, -1, -1})) << "unread fields stay untouched";
  EXPECT_EQ(base::scanFloats("1 ,2", v, 2), 1) << "the comma must follow the number directly";
  EXPECT_EQ(base::scanFloats("1e999", v, 1), 1);
  EXPECT_EQ(v[0], FLT_MAX);
}

TEST(Conversions, SaturateInsteadOfOverflowing) {
  EXPECT_EQ(base::truncToInt32(1e12), INT32_MAX);
  EXPECT_EQ(base::truncToInt32(-1e12), INT32_MIN);
  EXPECT_EQ(base::truncToInt32(-2.9), -2);
  EXPECT_EQ(base::truncToInt32(__builtin_nan("")), 0);
  EXPECT_EQ(base::toSingle(1e300), FLT_MAX);
  EXPECT_EQ(base::toSingle(-1e300), -FLT_MAX);
}

}  // namespace
}  // namespace sondrel
