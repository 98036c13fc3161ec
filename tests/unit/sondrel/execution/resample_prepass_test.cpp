#include "execution/run_order.h"

#include <gmock/gmock.h>

#include "execution/interpreter_environment.h"
#include "execution/pacer.h"

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

TEST(Pacer, LooksAtTheFirstStepThenAtMostEveryIntervalAndAtTheLast) {
  Pacer pacer(100);
  const struct { uint64_t now; bool last, due; } steps[] = {
      {1000, false, true}, {1010, false, false}, {1099, false, false}, {1100, false, true},
      {1110, true, true}, {1111, false, false},
  };
  for (const auto& s : steps) EXPECT_EQ(pacer.due(s.now, s.last), s.due) << "at " << s.now;
}

std::vector<std::wstring> entries(const std::wstring& block) {
  return environmentEntries(block.c_str());
}

TEST(InterpreterEnvironment, StartAndSetChangeTheBlockAsTheInterpreterDoes) {
  const struct {
    const char* name;
    std::vector<std::wstring> inherited;
    std::wstring directory;
    std::vector<std::wstring> expected;
  } cases[] = {
      {"prompt and drive added, set replaces in place under its own spelling and appends",
       {L"PATH=C:\\w", L"TEMP=C:\\t", L"TMP=C:\\t"}, L"C:\\song",
       {L"PATH=C:\\w", L"temp=\"C:\\c\\0_a.wav\"", L"TMP=C:\\t", L"PROMPT=$P$G", L"=C:=C:\\song", L"tempo=120"}},
      {"a prompt of its own stays, the drive variable is replaced",
       {L"prompt=>", L"=C:=C:\\old", L"TempO=1"}, L"C:\\song",
       {L"prompt=>", L"=C:=C:\\song", L"tempo=120", L"temp=\"C:\\c\\0_a.wav\""}},
      {"no drive variable for a share", {}, L"\\\\server\\share",
       {L"PROMPT=$P$G", L"tempo=120", L"temp=\"C:\\c\\0_a.wav\""}},
  };
  for (const auto& c : cases) {
    InterpreterEnvironment environment(c.inherited);
    environment.startIn(c.directory);
    environment.set(L"tempo", L"120");
    environment.set(L"temp", L"\"C:\\c\\0_a.wav\"");
    std::wstring block = environment.block();
    EXPECT_EQ(entries(block), c.expected) << c.name;
    EXPECT_EQ(block.substr(block.size() - 2), std::wstring(2, L'\0')) << c.name << ": an empty entry ends the block";
  }
}

}  // namespace
}  // namespace sondrel
