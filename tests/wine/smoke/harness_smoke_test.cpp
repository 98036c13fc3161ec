#include <gtest/gtest-spi.h>

#include "windriver.h"

// A directory that is the current one cannot be removed: the test fails
// instead of waiting for it forever.
TEST(Harness, ScratchDirectoryThatCannotBeRemovedFailsTheTest) {
  std::wstring busy = windriver::scratchDir(L"harness_busy") + L"\\busy";
  ASSERT_TRUE(CreateDirectoryW(busy.c_str(), nullptr));
  ASSERT_TRUE(SetCurrentDirectoryW(busy.c_str()));
  EXPECT_NONFATAL_FAILURE(windriver::scratchDir(L"harness_busy"), "cannot remove");
  SetCurrentDirectoryW(windriver::buildDir().c_str());
}
