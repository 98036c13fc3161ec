// quillet's ends before its dialog opens, run by the i686 build that users
// install (its dialog cannot open under Wine 8's WoW64, see CMakeLists.txt).
#include "quillet_host.h"

namespace quillettest {
namespace {

TEST_F(QuilletTest, StartEndsAtOnceWithoutAUsableNote) {
  struct Case { const char* name; std::string song; const wchar_t* arguments; DWORD exitCode; std::string after; } cases[] = {
      {"no argument: -1", kSong, L"", static_cast<DWORD>(-1), kSong},
      {"a path beyond 259 characters is refused untouched", kSong, nullptr, 206, kSong},
      {"only rests: an empty output", "[#0001]\r\nLyric=R\r\nNoteNum=60\r\n[#0002]\r\nLyric=r\r\nNoteNum=62\r\n", L"#", 0, ""},
  };
  for (const Case& c : cases) {
    QuilletHost host(L"quillet_start", c.song);
    std::wstring arguments = !c.arguments ? L"\"" + host.work + L"\\" + std::wstring(300, L'a') + L"\""
                             : std::wstring(c.arguments) == L"#" ? L"\"" + host.plugin + L"\"" : c.arguments;
    ASSERT_TRUE(host.startWith(arguments)) << c.name;
    EXPECT_EQ(host.process.wait(kPatience), c.exitCode) << c.name;
    EXPECT_EQ(fileText(host.plugin), c.after) << c.name;
  }
}

}  // namespace
}  // namespace quillettest
