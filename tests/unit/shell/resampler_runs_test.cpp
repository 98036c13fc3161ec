#include "shell/resampler_runs.h"

#include <gtest/gtest.h>

#include "execution/pacer.h"

namespace sondrel {
namespace {

TEST(ResamplerRuns, OnePerProcessorUnlessSettingIniSaysOtherwise) {
  const struct { const char* setting; int processors; int runs; } cases[] = {
      {"", 8, 8}, {"", 1, 1}, {"ResamplerRuns=1\r\n", 8, 1}, {"UseDLL=0\r\nResamplerRuns=3", 8, 3},
      {"ResamplerRuns=0\r\n", 4, 4}, {"ResamplerRuns=-2\r\n", 4, 4}, {"ResamplerRuns=x\r\n", 4, 4},
      {" ResamplerRuns=3\r\n", 4, 4}, {"ResamplerRuns=3\r\nResamplerRuns=5\r\n", 4, 3},
      {"ResamplerRuns=1000\r\n", 4, kMaxResamplerRuns}, {"", 128, kMaxResamplerRuns}, {"", 0, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(resamplerRuns(c.setting, c.processors), c.runs) << c.setting << " with " << c.processors;
}

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
