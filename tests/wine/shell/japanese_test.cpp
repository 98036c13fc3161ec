// The shell of sondrel on a Japanese system (LANG=ja_JP.UTF-8): the Japanese
// dialogs (each string of them is the release check's part, and a Japanese
// failure message the code page test's).
#include "shell_host.h"

namespace shelltest {
namespace {

TEST(Japanese, DialogsShowTheJapaneseTexts) {
  for (const char* settingIni : {"UseDLL=0\r\nResamplerRuns=1\r\n", "UseDLL=1\r\n"}) {
    ShellHost host(L"shell_japanese_dialog", settingIni);
    EXPECT_EQ(host.run(L"", {L"SONDREL_FAKE=wait"}, [&](HWND dialog) {
      EXPECT_EQ(controlText(dialog, kStatus), L"レンダリングしています") << settingIni;
      EXPECT_EQ(GetDlgItem(dialog, kProgressBar) != nullptr, settingIni[7] == '1') << settingIni;
      pressButton(dialog, IDCANCEL);
    }).exitCode, kCancelled) << settingIni;
  }
}

}  // namespace
}  // namespace shelltest
