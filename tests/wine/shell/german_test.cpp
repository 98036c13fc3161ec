// The shell of sondrel on a system whose regional format writes a decimal
// comma (LANG=de_DE.UTF-8): the runtime locale follows code page 1252, but
// numbers are still read and written with ".".
#include <gtest/gtest.h>

#include "shell_host.h"

namespace shelltest {
namespace {

TEST(German, NumbersKeepTheDecimalPoint) {
  ShellHost host(L"shell_german", nullptr);
  ASSERT_TRUE(host.startWithPlugin(L"/noplay"));
  EXPECT_EQ(host.process.wait(kPatience), 0u);
  auto seen = host.report();
  EXPECT_EQ(seen["number"], "120.500000") << "\"120.5\" read and printed with \"%f\"";
  EXPECT_EQ(seen["numeric"], "C");
  const std::string& ctype = seen["ctype"];
  EXPECT_TRUE(ctype.size() > 5 && ctype.compare(ctype.size() - 5, 5, ".1252") == 0) << "LC_CTYPE is " << ctype;
}

}  // namespace
}  // namespace shelltest
