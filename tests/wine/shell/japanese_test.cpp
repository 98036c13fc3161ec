// The shell of sondrel on a Japanese system (LANG=ja_JP.UTF-8): the Japanese
// dialogs and texts, and the runtime locale of code page 932.
#include <gtest/gtest.h>

#include "shell_host.h"

namespace shelltest {
namespace {

constexpr DWORD kCancelled = 1223;
constexpr int kStatus = 1001, kProgressBar = 1002;

TEST(Japanese, DialogsShowTheJapaneseTexts) {
  for (const char* settingIni : {"UseDLL=0\r\n", "UseDLL=1\r\n"}) {
    ShellHost host(L"shell_japanese_dialog", settingIni);
    ASSERT_TRUE(host.startWithPlugin(L"", {L"SONDREL_FAKE=wait"})) << settingIni;
    HWND dialog = host.dialog();
    ASSERT_NE(dialog, nullptr) << settingIni;
    EXPECT_EQ(windriver::controlText(dialog, kStatus), L"レンダリングしています") << settingIni;
    EXPECT_EQ(windriver::controlText(dialog, IDCANCEL), L"キャンセル") << settingIni;
    EXPECT_EQ(GetDlgItem(dialog, kProgressBar) != nullptr, settingIni[7] == '1') << settingIni;
    windriver::pressButton(dialog, IDCANCEL);
    EXPECT_EQ(host.process.wait(kPatience), kCancelled) << settingIni;
  }
}

TEST(Japanese, FailureMessageIsJapanese) {
  ShellHost host(L"shell_japanese_failure", nullptr);
  ASSERT_TRUE(host.startWithPlugin(L"", {L"SONDREL_FAKE=fail:2"}));
  HWND box = windriver::findMessageBox(host.process.id(), kPatience);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(windriver::messageBoxText(box), L"レンダリング中にエラーが発生しました");
  windriver::pressButton(box, IDOK);
  EXPECT_EQ(host.process.wait(kPatience), 2u);
}

TEST(Japanese, PlaybackStatusIsJapaneseAndCancelStopsIt) {
  ShellHost host(L"shell_japanese_playback", nullptr);
  ASSERT_TRUE(host.startWithPlugin(L"", {L"SONDREL_FAKE_WAV_MS=60000"}));
  HWND dialog = host.dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(waitForText(dialog, kStatus, L"再生しています"));
  windriver::pressButton(dialog, IDCANCEL);
  EXPECT_EQ(host.process.wait(kPatience), 0u);
  auto seen = host.report();
  const std::string& ctype = seen["ctype"];
  EXPECT_TRUE(ctype.size() > 4 && ctype.compare(ctype.size() - 4, 4, ".932") == 0) << "LC_CTYPE is " << ctype;
  EXPECT_EQ(seen["number"], "120.500000");
}

}  // namespace
}  // namespace shelltest
