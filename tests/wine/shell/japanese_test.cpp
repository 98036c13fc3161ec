// The shell of sondrel on a Japanese system (LANG=ja_JP.UTF-8): the Japanese
// dialogs and texts (each string of them is the release check's part).
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

TEST(Japanese, FailureMessageAndItsCauseAreJapanese) {
  ShellHost host(L"shell_japanese_failure", nullptr);
  const std::wstring tooLong = L"Z:\\" + std::wstring(300, L'\u66f2');
  RunResult result = host.run(L"/o:" + tooLong);
  EXPECT_EQ(result.message, L"レンダリング中にエラーが発生しました\n出力ファイルが、Windows の上限の 259 文字を超えています"
                            L"（日本語の文字は 2 文字と数える場合があります）：" + tooLong +
                                L"\n曲や音源をパスの短いフォルダーへ移すか、名前を短くしてください。");
}

}  // namespace
}  // namespace shelltest
