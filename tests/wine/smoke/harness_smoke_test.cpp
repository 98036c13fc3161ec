#include <gtest/gtest.h>

#include "windriver.h"

TEST(Harness, ScratchDirectoryIsFreshAndWritable) {
  std::wstring dir = windriver::scratchDir(L"harness_smoke");
  ASSERT_TRUE(windriver::writeFile(dir + L"\\a.txt", "x"));
  dir = windriver::scratchDir(L"harness_smoke");
  EXPECT_FALSE(windriver::fileExists(dir + L"\\a.txt"));
}
