// The shell of sondrel under the default (English) locale: command line,
// template choice, Cancel, failure, playback and the exit clean-up.
#include <gtest/gtest.h>

#include "shell/wav_duration.h"
#include "shell_host.h"
#include "test_wav.h"

namespace shelltest {
namespace {

constexpr DWORD kCancelled = 1223;
constexpr int kStatus = 1001, kProgressBar = 1002;

TEST(Startup, WithoutPluginFileEndsWithZeroAndRendersNothing) {
  for (Program program : {Program::withFakeRender, Program::real}) {
    ShellHost host(L"shell_no_argument", "UseDLL=1\r\n", program);
    ASSERT_TRUE(host.start(L""));
    EXPECT_EQ(host.process.wait(kPatience), 0u) << "real program: " << (program == Program::real);
    EXPECT_TRUE(host.report().empty()) << "the dialog started a render";
    EXPECT_EQ(host.pluginContent(), "[#SETTING]\r\nTempo=120.00\r\n");
  }
}

TEST(Startup, PassesOptionsAsTheRenderSeesThem) {
  ShellHost host(L"shell_options", nullptr);
  ASSERT_TRUE(host.startWithPlugin(L"/O:x.wav /noplay2 \"/m:Z:\\a b\\mod.ust\" /debug /nodeletecache"));
  EXPECT_EQ(host.process.wait(kPatience), 0u);
  auto seen = host.report();
  EXPECT_EQ(seen["output"], "") << "/O: is not /o:";
  EXPECT_EQ(seen["play"], "1") << "/noplay2 is not /noplay";
  EXPECT_EQ(seen["modification"], "Z:\\a b\\mod.ust");
  EXPECT_EQ(seen["debug"], "1");
  EXPECT_EQ(seen["deleteCache"], "0");
  EXPECT_EQ(seen["deleteWav"], "1");
}

TEST(Startup, RefusesPathsLongerThanTheBuffersWithoutTouchingAnything) {
  const std::wstring tooLong = L"Z:\\" + std::wstring(300, L'a');
  struct Case {
    const char* name;
    std::wstring arguments;
  } cases[] = {
      {"plug-in file", L"\"" + tooLong + L"\""},
      {"/o:", L"PLUGIN /o:" + tooLong},
      {"/m:", L"PLUGIN /m:" + tooLong},
  };
  for (const Case& c : cases) {
    ShellHost host(L"shell_too_long", nullptr);
    std::wstring arguments = c.arguments;
    if (arguments.compare(0, 6, L"PLUGIN") == 0) arguments.replace(0, 6, L"\"" + host.plugin + L"\"");
    ASSERT_TRUE(host.start(arguments, {L"SONDREL_FAKE_WAV_MS=100"})) << c.name;
    HWND box = windriver::findMessageBox(host.process.id(), kPatience);
    ASSERT_NE(box, nullptr) << c.name << ": no failure message";
    EXPECT_EQ(windriver::messageBoxText(box), L"Failed to render") << c.name;
    windriver::pressButton(box, IDOK);
    EXPECT_EQ(host.process.wait(kPatience), 206u) << c.name;
    EXPECT_TRUE(host.report().empty()) << c.name << ": the render started";
    EXPECT_EQ(host.pluginContent(), "[#SETTING]\r\nTempo=120.00\r\n") << c.name;
  }
}

TEST(Dialog, TemplateFollowsUseDllInSettingIniAndIsCentred) {
  struct Case {
    const char* settingIni;
    bool progressBar;
  } cases[] = {
      {nullptr, false}, {"UseDLL=1\r\n", true}, {"VoiceRoot=voice\r\nUseDLL=2", true},
      {" UseDLL=1\r\n", false}, {"UseDLL=0\r\n", false},
  };
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  for (const Case& c : cases) {
    const char* name = c.settingIni ? c.settingIni : "no setting.ini";
    ShellHost host(L"shell_template", c.settingIni);
    ASSERT_TRUE(host.startWithPlugin(L"", {L"SONDREL_FAKE=wait"})) << name;
    HWND dialog = host.dialog();
    ASSERT_NE(dialog, nullptr) << name;
    EXPECT_EQ(GetDlgItem(dialog, kProgressBar) != nullptr, c.progressBar) << name;
    EXPECT_EQ(windriver::controlText(dialog, kStatus), L"Rendering...") << name;
    EXPECT_EQ(windriver::controlText(dialog, IDCANCEL), L"Cancel") << name;
    RECT window;
    GetWindowRect(dialog, &window);
    EXPECT_EQ(window.left, (desktop.right - (window.right - window.left)) / 2) << name;
    EXPECT_EQ(window.top, (desktop.bottom - (window.bottom - window.top)) / 2) << name;
    windriver::pressButton(dialog, IDCANCEL);
    EXPECT_EQ(host.process.wait(kPatience), kCancelled) << name;
  }
}

TEST(Dialog, EnterEscapeAndCloseBoxCancelTheRender) {
  struct Case {
    const char* name;
    void (*press)(HWND);
  } cases[] = {
      {"Cancel button", [](HWND d) { windriver::pressButton(d, IDCANCEL); }},
      {"Enter", windriver::pressEnter},
      {"Escape", windriver::pressEscape},
      {"close box", windriver::pressCloseBox},
  };
  for (const Case& c : cases) {
    ShellHost host(L"shell_cancel", "UseDLL=1\r\n");
    ASSERT_TRUE(host.startWithPlugin(L"", {L"SONDREL_FAKE=wait"})) << c.name;
    HWND dialog = host.dialog();
    ASSERT_NE(dialog, nullptr) << c.name;
    c.press(dialog);
    EXPECT_EQ(host.process.wait(kPatience), kCancelled) << c.name;
    EXPECT_EQ(host.pluginContent(), "") << c.name << ": the clean-up did not run";
  }
}

TEST(Dialog, CancelDoesNotDeadlockWithAWorkerUpdatingTheDialog) {
  ShellHost host(L"shell_cancel_spin", "UseDLL=1\r\n");
  ASSERT_TRUE(host.startWithPlugin(L"", {L"SONDREL_FAKE=spin"}));
  HWND dialog = host.dialog();
  ASSERT_NE(dialog, nullptr);
  Sleep(300);
  windriver::pressButton(dialog, IDCANCEL);
  EXPECT_EQ(host.process.wait(kPatience), kCancelled) << "STILL_ACTIVE (259) means a deadlock";
  if (host.process.wait(0) == STILL_ACTIVE) host.process.kill();
}

TEST(Dialog, FailedRenderShowsTheMessageAndEndsWithItsStatus) {
  ShellHost host(L"shell_failure", nullptr);
  ASSERT_TRUE(host.startWithPlugin(L"", {L"SONDREL_FAKE=fail:5"}));
  // A render that fails at once reports before the dialog has been shown;
  // the message box then stands alone, still owned by the dialog.
  HWND box = windriver::findMessageBox(host.process.id(), kPatience);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(windriver::messageBoxText(box), L"Failed to render");
  HWND dialog = GetWindow(box, GW_OWNER);
  wchar_t caption[16] = {};
  GetWindowTextW(dialog, caption, 16);
  EXPECT_STREQ(caption, L"TARV") << "the message box is not owned by the dialog";
  EXPECT_EQ(windriver::controlText(dialog, kStatus), L"Rendering...");
  windriver::pressButton(box, IDOK);
  EXPECT_EQ(host.process.wait(kPatience), 5u);
}

TEST(Playback, DialogStaysOneSecondLongerThanTheSound) {
  ShellHost host(L"shell_playback", nullptr);
  ASSERT_TRUE(host.startWithPlugin(L"", {L"SONDREL_FAKE_WAV_MS=2000"}));
  HWND dialog = host.dialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(waitForText(dialog, kStatus, L"Playing...", kPatience));
  DWORD playing = GetTickCount();
  ASSERT_TRUE(windriver::waitWindowGone(dialog, kPatience));
  DWORD shown = GetTickCount() - playing;
  // The timer period is 3000 ms; the bounds leave room for a busy machine
  // but not for a period of 1000 or 2000 ms.
  EXPECT_GE(shown, 2700u);
  EXPECT_LE(shown, 4500u);
  EXPECT_EQ(host.process.wait(kPatience), 0u);
  EXPECT_FALSE(windriver::fileExists(host.defaultWav)) << "the WAV was not deleted";
  EXPECT_EQ(host.pluginContent(), "") << "the plug-in file was not emptied";
}

TEST(ExitCleanUp, DeletesTheWavAndEmptiesThePluginFileUnlessKept) {
  // A minute of sound: a run that played it would not end in time.
  struct Case {
    const char* name;
    std::wstring options;
    const char* pluginContent;
    bool kept;
  } cases[] = {
      {"default", L"/noplay", "[#SETTING]\r\n", false},
      {"/nodeletewav", L"/noplay /nodeletewav", "[#SETTING]\r\n", true},
      {"whole project", L"", "[#SETTING]\r\n[#0000]\r\nLyric=a\r\n[#TRACKEND]\r\n", true},
      {"/o:", L"/noplay /o:OUT", "[#SETTING]\r\n", false},
  };
  for (const Case& c : cases) {
    ShellHost host(L"shell_clean_up", nullptr);
    windriver::writeFile(host.plugin, c.pluginContent);
    std::wstring wav = host.defaultWav;
    std::wstring options = c.options;
    if (size_t out = options.find(L"OUT"); out != std::wstring::npos) {
      wav = host.root + L"\\elsewhere.wav";
      options.replace(out, 3, wav);
    }
    ASSERT_TRUE(host.startWithPlugin(options, {L"SONDREL_FAKE_WAV_MS=60000"})) << c.name;
    EXPECT_EQ(host.process.wait(kPatience), 0u) << c.name;
    EXPECT_EQ(windriver::fileExists(wav), c.kept) << c.name;
    EXPECT_EQ(host.pluginContent(), c.kept ? c.pluginContent : "") << c.name;
  }
}

TEST(Locale, KeepsTheDecimalPointAndFollowsTheAnsiCodePage) {
  struct Case {
    const char* name;
    std::vector<std::wstring> environment;
    const char* codePage;
  } cases[] = {
      {"system code page", {}, ".1252"},
      {"Japanese application locale", {L"AppLocaleID=0411"}, ".932"},
      {"other application locale", {L"AppLocaleID=0409"}, ".1252"},
  };
  for (const Case& c : cases) {
    ShellHost host(L"shell_locale", nullptr);
    ASSERT_TRUE(host.startWithPlugin(L"/noplay", c.environment)) << c.name;
    EXPECT_EQ(host.process.wait(kPatience), 0u) << c.name;
    auto seen = host.report();
    const std::string& ctype = seen["ctype"];
    EXPECT_TRUE(ctype.size() > 4 && ctype.compare(ctype.size() - std::string(c.codePage).size(), std::string::npos,
                                                  c.codePage) == 0)
        << c.name << ": LC_CTYPE is " << ctype;
    EXPECT_EQ(seen["numeric"], "C") << c.name;
    EXPECT_EQ(seen["number"], "120.500000") << c.name;
  }
}

TEST(WavDuration, ReadsTheHeaderOfTheFile) {
  std::wstring dir = windriver::scratchDir(L"shell_wav_duration");
  std::string twoSeconds = silentWav(2000);
  struct Case {
    const char* name;
    std::string bytes;
    double expected;
  } cases[] = {
      {"2 s", twoSeconds, 2000.0},
      {"header only", twoSeconds.substr(0, 44), 0.0},
      {"short file", twoSeconds.substr(0, 43), 0.0},
      {"empty file", "", 0.0},
  };
  for (const Case& c : cases) {
    std::wstring path = dir + L"\\sound.wav";
    ASSERT_TRUE(windriver::writeFile(path, c.bytes)) << c.name;
    EXPECT_DOUBLE_EQ(sondrel::wavDurationMs(path.c_str()), c.expected) << c.name;
  }
  EXPECT_EQ(sondrel::wavDurationMs((dir + L"\\missing.wav").c_str()), 0.0);
}

}  // namespace
}  // namespace shelltest
