#include <gtest/gtest.h>

#include "../../unit/sondrel/planning/format_cases.h"

TEST(PlanningFormats, SameTextAsTheNativeBuild) {
  for (const sondrel::format_cases::FormatCase& c : sondrel::format_cases::table()) EXPECT_EQ(c.make(), c.expected) << c.name;
}
