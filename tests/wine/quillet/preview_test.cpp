// Play: quillet starts the sondrel.exe beside it on a copy of the plug-in
// file and a modification file, waits without freezing, and removes both
// files afterwards; names already taken beside the plug-in file are left
// alone. The recording stand-in (sondrel_recorder.cpp) plays sondrel.
#include "quillet_host.h"

namespace quillettest {
namespace {

using testing::ElementsAre;

TEST_F(QuilletTest, PlayStartsSondrelOnACopyAndTheModificationAndRemovesBoth) {
  struct Case { const char* name; bool userFiles; const wchar_t* copy; const wchar_t* modification; } cases[] = {
      {"free names", false, L"t1.ust", L"quillet_temp.ust"},
      {"the user's files of those names stay", true, L"t1_2.ust", L"quillet_temp_2.ust"},
  };
  for (const Case& c : cases) {
    QuilletHost host(L"quillet_play", kSong);
    host.install(L"tests\\wine\\quillet\\sondrel_recorder.exe");
    if (c.userFiles) {
      writeFile(host.work + L"\\t1.ust", "mine");
      writeFile(host.work + L"\\quillet_temp.ust", "mine too");
    }
    HWND dialog = host.open({{kRangeHigh, L"4"}});
    ASSERT_NE(dialog, nullptr) << c.name;
    ASSERT_TRUE(click(dialog, kApply)) << c.name;
    ASSERT_TRUE(click(dialog, kPlay, 60000)) << c.name << ": Play did not return";
    std::wstring command = L"\"" + host.root + L"\\plugins\\sondrel\\sondrel.exe\" \"" + host.work + L"\\" + c.copy +
                           L"\" \"/m:" + host.work + L"\\" + c.modification + L"\"";
    EXPECT_THAT(host.calls(""), ElementsAre("command|" + std::string(command.begin(), command.end()), "responding|1",
                                            "enabled|0"))
        << c.name << ": one run, with the dialog disabled but painted; the second Play was ignored";
    EXPECT_EQ(fileText(host.log + L".copy"), kSong) << c.name;
    EXPECT_EQ(fileText(host.log + L".modification"),
              "[#0003]\r\nFlags=B40g0\r\n[#0004]\r\n[#0005]\r\nFlags=g4Y0\r\n[#0006]\r\nFlags=g2\r\n[#0007]\r\n[#0008]\r\n")
        << c.name;
    EXPECT_FALSE(fileExists(host.work + L"\\" + c.copy)) << c.name;
    EXPECT_FALSE(fileExists(host.work + L"\\" + c.modification)) << c.name;
    if (c.userFiles) {
      EXPECT_EQ(fileText(host.work + L"\\t1.ust"), "mine") << c.name;
      EXPECT_EQ(fileText(host.work + L"\\quillet_temp.ust"), "mine too") << c.name;
    }
    EXPECT_EQ(fileText(host.plugin), kSong) << c.name << ": Play does not touch the plug-in file";
    EXPECT_TRUE(IsWindowEnabled(dialog)) << c.name;
    EXPECT_EQ(host.close(dialog, IDCANCEL), 0u) << c.name;
    EXPECT_EQ(fileText(host.plugin), "") << c.name << ": Cancel after a Play leaves no output";
  }
}

}  // namespace
}  // namespace quillettest
