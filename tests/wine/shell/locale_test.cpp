// The runtime locale of sondrel on a system whose regional format writes a
// decimal comma (LANG=de_DE.UTF-8): LC_CTYPE follows the ANSI code page, or
// code page 932 under a Japanese application locale, but numbers are still
// read and written with ".".
#include "shell_host.h"

namespace shelltest {
namespace {

TEST(Locale, KeepsTheDecimalPointAndFollowsTheAnsiCodePage) {
  struct Case { const char* name; std::vector<std::wstring> environment; const char* codePage; } cases[] = {
      {"system code page", {}, ".1252|"},
      {"Japanese application locale", {L"AppLocaleID=0411"}, ".932|"},
      {"other application locale", {L"AppLocaleID=0409"}, ".1252|"},
  };
  for (const Case& c : cases) {
    ShellHost host(L"shell_locale", nullptr);
    EXPECT_EQ(host.run(L"/noplay", c.environment).exitCode, 0u) << c.name;
    EXPECT_THAT(host.calls("render|"),
                testing::ElementsAre(testing::AllOf(testing::HasSubstr("|number=120.500000|"),
                                                    testing::HasSubstr(c.codePage),
                                                    testing::EndsWith("|numeric=C"))))
        << c.name;
  }
}

}  // namespace
}  // namespace shelltest
