// quillet's ends before its dialog opens, run by the i686 build that users
// install (its dialog cannot open under Wine 8's WoW64, see CMakeLists.txt,
// and quillet then says so; a selection of rests is the dialog test's part).
#include "quillet_host.h"

namespace quillettest {
namespace {

TEST_F(QuilletTest, StartEndsAtOnceWithoutAUsablePath) {
  struct Case { const char* name; std::wstring arguments; DWORD exitCode; } cases[] = {
      {"no argument", L"", static_cast<DWORD>(-1)},
      {"a path beyond 259 characters is refused untouched", L"\"" + std::wstring(300, L'a') + L"\"", 206},
  };
  for (const Case& c : cases) {
    QuilletHost host(L"quillet_start", kSong);
    ASSERT_TRUE(host.process.start(L"\"" + host.root + L"\\plugins\\sondrel\\quillet.exe\" " + c.arguments, host.work.c_str()))
        << c.name;
    EXPECT_EQ(host.process.wait(kPatience), c.exitCode) << c.name;
    EXPECT_EQ(fileText(host.plugin), kSong) << c.name;
  }
}

}  // namespace
}  // namespace quillettest
