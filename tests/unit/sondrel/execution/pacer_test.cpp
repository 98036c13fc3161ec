#include "execution/pacer.h"

#include <gtest/gtest.h>

namespace sondrel {
namespace {

TEST(Pacer, LooksAtTheFirstStepThenAtMostEveryIntervalAndAtTheLast) {
  Pacer pacer(100);
  const struct { uint64_t now; bool last, due; } steps[] = {
      {1000, false, true}, {1010, false, false}, {1099, false, false}, {1100, false, true},
      {1110, true, true}, {1111, false, false},
  };
  for (const auto& s : steps) EXPECT_EQ(pacer.due(s.now, s.last), s.due) << "at " << s.now;
}

}  // namespace
}  // namespace sondrel
