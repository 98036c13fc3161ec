#include "execution/run_order.h"

#include <gmock/gmock.h>

namespace sondrel {
namespace {

// The runs that may start now, in the order they would.
std::vector<size_t> startable(RunOrder& order) {
  std::vector<size_t> runs;
  for (size_t run; order.next(run);) runs.push_back(run);
  return runs;
}

TEST(RunOrder, RunsOnOneSampleFollowOneAnotherAndTheOthersGoAhead) {
  RunOrder order({{"a.wav", "0_a"}, {"a.wav", "1_a"}, {"ka.wav", "2_ka"}, {"a.wav", "3_a"}, {"sa.wav", "4_sa"}});
  EXPECT_THAT(startable(order), testing::ElementsAre(0u, 2u, 4u));
  order.ended(2);
  EXPECT_THAT(startable(order), testing::IsEmpty()) << "run 1 waits for run 0's sample";
  order.ended(0);
  EXPECT_THAT(startable(order), testing::ElementsAre(1u));
  order.ended(1);
  EXPECT_THAT(startable(order), testing::ElementsAre(3u));
  order.ended(3);
  order.ended(4);
  EXPECT_THAT(startable(order), testing::IsEmpty());
}

TEST(RunOrder, ASharedOutputWaitsAsASharedSampleDoes) {
  RunOrder order({{"a.wav", "x"}, {"i.wav", "x"}, {"u.wav", "u.wav"}});
  EXPECT_THAT(startable(order), testing::ElementsAre(0u, 2u)) << "a run whose two files are one starts once";
  order.ended(0);
  EXPECT_THAT(startable(order), testing::ElementsAre(1u));
}

// Only the earliest waiting run of a file may take it, so a run cannot
// overtake an earlier one on the same sample while that one waits for its
// output.
TEST(RunOrder, NoRunOvertakesAnEarlierOneOnItsFile) {
  RunOrder order({{"a.wav", "o"}, {"b.wav", "o"}, {"b.wav", "p"}});
  EXPECT_THAT(startable(order), testing::ElementsAre(0u));
  order.ended(0);
  EXPECT_THAT(startable(order), testing::ElementsAre(1u));
  order.ended(1);
  EXPECT_THAT(startable(order), testing::ElementsAre(2u));
}

}  // namespace
}  // namespace sondrel
