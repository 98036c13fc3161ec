#include "execution/interpreter_environment.h"

#include <gtest/gtest.h>

namespace sondrel {
namespace {

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
