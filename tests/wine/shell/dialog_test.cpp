// The shell of sondrel with its English texts, on a system whose regional
// format writes a decimal comma (LANG=de_DE.UTF-8): command line, template
// choice, Cancel, failure, playback, the exit clean-up and the locale.
#include "shell_host.h"

namespace shelltest {
namespace {

using testing::AllOf;
using testing::ElementsAre;
using testing::EndsWith;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::StartsWith;

TEST(Startup, WithoutPluginFileEndsWithZeroAndRendersNothing) {
  ShellHost host(L"shell_no_argument", "UseDLL=1\r\n");
  ASSERT_TRUE(host.process.start(L"\"" + host.root + L"\\plugins\\sondrel\\sondrel.exe\"", nullptr,
                                 {L"STANDIN_LOG=" + host.log}));
  EXPECT_EQ(host.process.wait(kPatience), 0u);
  EXPECT_THAT(host.calls("render|"), IsEmpty());
}

// Nothing is rendered; the run ends as every failed render does, the
// plug-in file emptied unless kept.
TEST(Startup, ModificationPathBeyondItsBufferEndsLikeAFailedRender) {
  const std::wstring tooLong = L"Z:\\" + std::wstring(300, L'a');
  for (bool kept : {false, true}) {
    ShellHost host(L"shell_too_long", nullptr);
    RunResult result = host.run(L"/m:" + tooLong + (kept ? L" /nodeletewav" : L""), {L"SONDREL_FAKE_WAV_MS=100"});
    EXPECT_EQ(result.exitCode, 206u) << kept;
    EXPECT_THAT(result.message, StartsWith(L"Failed to render\nThe modification file (/m:) is longer than the 259 "
                                           L"characters that Windows allows (a Japanese character may count as two): " +
                                           tooLong + L"\nMove the song"))
        << kept;
    EXPECT_THAT(host.calls("render|"), IsEmpty()) << kept;
    EXPECT_EQ(fileText(host.plugin), kept ? kPluginText : "") << kept;
  }
}

// Script mode shows the progress bar too when it resamples ahead of the
// scripts: by default with more than one processor. The last "UseDLL=" line
// decides, as it decides the render's mode.
TEST(Dialog, TemplateFollowsUseDllAndResamplerRunsInSettingIniAndIsCentred) {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  const bool several = system.dwNumberOfProcessors > 1;
  struct Case { const char* settingIni; bool progressBar; } cases[] = {
      {nullptr, several}, {"UseDLL=0\r\nResamplerRuns=1\r\n", false},
      {"UseDLL=0\r\nUseDLL=1\r\nResamplerRuns=1\r\n", true}};
  for (const Case& c : cases) {
    const char* name = c.settingIni ? c.settingIni : "no setting.ini";
    ShellHost host(L"shell_template", c.settingIni);
    EXPECT_EQ(host.run(L"", {L"SONDREL_FAKE=wait"}, [&](HWND dialog) {
      EXPECT_EQ(GetDlgItem(dialog, kProgressBar) != nullptr, c.progressBar) << name;
      EXPECT_EQ(controlText(dialog, kStatus), L"Rendering...") << name;
      EXPECT_TRUE(centred(dialog)) << name;
      pressButton(dialog, IDCANCEL);
    }).exitCode, kCancelled) << name;
  }
}

// A worker that keeps updating the dialog must not deadlock with the Cancel
// that waits for it (STILL_ACTIVE, 259, would be the sign).
TEST(Dialog, EnterEscapeCloseBoxAndCancelCancelTheRender) {
  struct Case { const char* name; void (*press)(HWND); const wchar_t* fake; } cases[] = {
      {"Enter", pressEnter, L"SONDREL_FAKE=wait"}, {"Escape", pressEscape, L"SONDREL_FAKE=wait"},
      {"close box", pressCloseBox, L"SONDREL_FAKE=wait"},
      {"Cancel while the worker updates the dialog", [](HWND dialog) {
         Sleep(300);
         pressButton(dialog, IDCANCEL);
       }, L"SONDREL_FAKE=spin"}};
  for (const Case& c : cases) {
    ShellHost host(L"shell_cancel", "UseDLL=1\r\n");
    EXPECT_EQ(host.run(L"", {c.fake}, c.press).exitCode, kCancelled) << c.name;
    EXPECT_EQ(fileText(host.plugin), "") << c.name << ": the clean-up did not run";
  }
}

// A Cancel that comes before the worker runs still stops the render and waits
// for it: the plug-in file is merged or untouched when the process ends,
// never cut by an exit beside a running merge.
TEST(Dialog, CancelBeforeTheWorkerRunsWaitsForIt) {
  ShellHost host(L"shell_cancel_early", nullptr);
  RunResult result = host.run(L"/nodeletewav", {L"SONDREL_FAKE=merge", L"SONDREL_FAKE_START_DELAY_MS=1500"},
                              [](HWND dialog) { pressButton(dialog, IDCANCEL); });
  EXPECT_EQ(result.exitCode, kCancelled);
  EXPECT_THAT(fileText(host.plugin), testing::AnyOf(std::string(kPluginText),
                                                    std::string(kPluginText) + "[#0000]\r\nLyric=merged\r\n"));
}

TEST(Dialog, FailedRenderShowsTheMessageAndEndsWithItsStatus) {
  ShellHost host(L"shell_failure", nullptr);
  ASSERT_TRUE(host.start(L"", {L"SONDREL_FAKE=fail:5"}));
  // A render that fails at once reports before the dialog has been shown;
  // the message box then stands alone, still owned by the dialog.
  HWND box = findMessageBox(host.process.id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(messageBoxText(box), L"Failed to render");
  wchar_t boxCaption[16] = {};
  GetWindowTextW(box, boxCaption, 16);
  EXPECT_STREQ(boxCaption, L"sondrel");
  // The icon control of a message box (stc1); hidden when it shows none.
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, 0x0440))) << "no icon";
  HWND dialog = GetWindow(box, GW_OWNER);
  wchar_t caption[16] = {};
  GetWindowTextW(dialog, caption, 16);
  EXPECT_STREQ(caption, L"TARV") << "the message box is not owned by the dialog";
  pressButton(box, IDOK);
  EXPECT_EQ(host.process.wait(kPatience), 5u);
}

TEST(Playback, DialogStaysOneSecondLongerThanTheSound) {
  ShellHost host(L"shell_playback", nullptr);
  ASSERT_TRUE(host.start(L"", {L"SONDREL_FAKE_WAV_MS=2000"}));
  HWND dialog = host.dialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(waitForText(dialog, kStatus, L"Playing..."));
  DWORD playing = GetTickCount();
  ASSERT_TRUE(waitWindowGone(dialog));
  DWORD shown = GetTickCount() - playing;
  // The timer period is 3000 ms; the bounds leave room for a busy machine
  // but not for a period of 1000 or 2000 ms.
  EXPECT_GE(shown, 2700u);
  EXPECT_LE(shown, 4500u);
  EXPECT_EQ(host.process.wait(kPatience), 0u);
}

TEST(ExitCleanUp, DeletesTheWavAndEmptiesThePluginFileUnlessKept) {
  // A minute of sound: a run that played it would not end in time.
  struct Case { const char* name; const wchar_t* options; std::string pluginText; bool kept; } cases[] = {
      {"default", L"/noplay", kPluginText, false},
      {"/nodeletewav", L"/noplay /nodeletewav", kPluginText, true},
      {"whole project", L"", "[#SETTING]\r\n[#0000]\r\nLyric=a\r\n[#TRACKEND]\r\n", true},
  };
  for (const Case& c : cases) {
    ShellHost host(L"shell_clean_up", nullptr);
    writeFile(host.plugin, c.pluginText);
    EXPECT_EQ(host.run(c.options, {L"SONDREL_FAKE_WAV_MS=60000"}).exitCode, 0u) << c.name;
    EXPECT_EQ(fileExists(host.work + L"\\plugin_temp.wav"), c.kept) << c.name;
    EXPECT_EQ(fileText(host.plugin), c.kept ? c.pluginText : "") << c.name;
  }
}

// The options reach the render as parsed (/O: is not /o:, /noplay2 is not
// /noplay). LC_CTYPE follows the ANSI code page, or code page 932 under a
// Japanese application locale, but numbers are still read and written with ".".
TEST(Startup, RenderSeesTheOptionsAndTheLocale) {
  const char kNoPlay[] = "render|modification=|output=|play=0|deleteWav=1|deleteCache=1|debug=0|";
  struct Case { const char* name; const wchar_t* options; std::vector<std::wstring> environment; const char *seen, *codePage; } cases[] = {
      {"system code page", L"/O:x.wav /noplay2 \"/m:Z:\\a b\\mod.ust\" /debug /nodeletecache", {},
       "render|modification=Z:\\a b\\mod.ust|output=|play=1|deleteWav=1|deleteCache=0|debug=1|", ".1252|"},
      {"Japanese application locale", L"/noplay", {L"AppLocaleID=0411"}, kNoPlay, ".932|"},
      {"other application locale", L"/noplay", {L"AppLocaleID=0409"}, kNoPlay, ".1252|"},
  };
  for (const Case& c : cases) {
    ShellHost host(L"shell_locale", nullptr);
    EXPECT_EQ(host.run(c.options, c.environment).exitCode, 0u) << c.name;
    EXPECT_THAT(host.calls("render|"), ElementsAre(AllOf(StartsWith(c.seen), HasSubstr("|number=120.500000|"),
                                                         HasSubstr(c.codePage), EndsWith("|numeric=C"))))
        << c.name;
  }
}

}  // namespace
}  // namespace shelltest
