// quillet's ends before its dialog opens, run by the i686 build that users
// install (its dialog cannot open under Wine 8's WoW64, see CMakeLists.txt,
// and quillet then says so; a selection of rests is the dialog test's part).
#include "quillet_host.h"

namespace quillettest {
namespace {

TEST_F(QuilletTest, StartEndsAtOnceWithoutAUsableNote) {
  struct Case { const char* name; std::string song; const wchar_t* arguments; DWORD exitCode; std::string after; } cases[] = {
      {"no argument: -1", kSong, L"", static_cast<DWORD>(-1), kSong},
      {"a path beyond 259 characters is refused untouched", kSong, nullptr, 206, kSong},
  };
  for (const Case& c : cases) {
    QuilletHost host(L"quillet_start", c.song);
    std::wstring arguments = c.arguments ? c.arguments : L"\"" + host.work + L"\\" + std::wstring(300, L'a') + L"\"";
    ASSERT_TRUE(host.startWith(arguments)) << c.name;
    EXPECT_EQ(host.process.wait(kPatience), c.exitCode) << c.name;
    EXPECT_EQ(fileText(host.plugin), c.after) << c.name;
  }
}

}  // namespace
}  // namespace quillettest
