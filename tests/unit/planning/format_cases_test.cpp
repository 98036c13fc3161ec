#include "planning/format_cases.h"

#include <gtest/gtest.h>

namespace sondrel {
namespace {

TEST(FormatCases, SameTextAsTheWindowsBuild) {
  for (const format_cases::FormatCase& c : format_cases::table()) EXPECT_EQ(c.make(), c.expected) << c.name;
}

}  // namespace
}  // namespace sondrel
