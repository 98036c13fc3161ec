// Script mode from folders whose names hold characters beyond ASCII, with
// the console's default code page set to another one first: the interpreter
// reads the scripts in the code page they are written in, so the tools get
// the paths DLL mode gives them, and the WAV is the same. Run under the
// German locale (ANSI 1252, OEM 850) and the Japanese one (932), where a
// refused field is also named in Japanese.
#include "render_host.h"

namespace {

// "CodePage" under HKEY_CURRENT_USER\Console, the default of every new
// console, for the length of a test.
class ConsoleDefault {
 public:
  explicit ConsoleDefault(DWORD codePage) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Console", L"CodePage", REG_DWORD, &codePage, sizeof codePage);
  }
  ~ConsoleDefault() { RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Console", L"CodePage"); }
};

TEST(CodePage, ScriptModeRendersWhatDllModeRendersFromFoldersBeyondAscii) {
  const bool japanese = GetACP() == 932;
  ASSERT_TRUE(japanese || GetACP() == 1252) << "this test needs the German or the Japanese locale";
  ConsoleDefault console(437);
  // The host folder holds the plug-in folder, the plug-in file's folder and
  // the tools.
  RenderHost host(japanese ? L"\x30dd\x30bf \x66f2" : L"Lieder \x00fc", false);
  const std::wstring voice = host.root + (japanese ? L"\\\x58f0 \x30dd\x30bf" : L"\\J\x00fcrgen \x00df \x00e9");
  CreateDirectoryW(voice.c_str(), nullptr);
  for (const std::wstring& name : filesIn(demoBank(), L"*")) copyFile(demoBank() + L"\\" + name, voice + L"\\" + name);
  host.writePlugin(kNotes, "", voice);
  std::string wav[2];
  for (bool useDll : {false, true}) {
    // Every resampler run inside the scripts.
    host.setting(std::string("Tool1Path=wavtool.exe\r\nTool2Path=resampler.exe\r\nResamplerRuns=1\r\nUseDLL=") +
                 (useDll ? "1" : "0"));
    DeleteFileW(host.log.c_str());
    RunResult result = host.run(L"/noplay /nodeletewav");
    EXPECT_EQ(result.exitCode, 0u) << useDll;
    EXPECT_EQ(result.message, L"") << useDll;
    EXPECT_THAT(host.calls(useDll ? "resampler10.dll " : "resampler "),
                testing::AllOf(testing::SizeIs(2), testing::Each(testing::HasSubstr(" " + base::toAnsi(voice) + "\\"))))
        << useDll;
    wav[useDll] = fileText(host.work + L"\\plugin_temp.wav");
  }
  EXPECT_GT(wav[0].size(), 44000u);
  EXPECT_TRUE(wav[0] == wav[1]) << "the same WAV, byte for byte";
}

// Wine's interpreter reads batch files in the OEM code page (850 here)
// whatever its console says, so there a script with "€", which 850 lacks,
// cannot be read as written: the render names the character rather than
// hand the tools a path that does not exist. (On Windows, chcp makes the
// interpreter read 1252, which has it.)
TEST(CodePage, CharacterThatTheInterpretersCodePageLacksIsNamed) {
  if (GetACP() != 1252) GTEST_SKIP() << "the German locale shows it";
  RenderHost host(L"Lieder \x20ac", false);
  host.writePlugin(kNotes);
  RunResult result = host.run(L"/noplay");
  EXPECT_EQ(result.exitCode, 1113u);
  EXPECT_EQ(result.message, L"Failed to render\nCommand Prompt reads the scripts in code page 850, which lacks the "
                            L"character \"\x20ac\".\nRender in DLL mode (UseDLL=1 in setting.ini), or rename what "
                            L"holds \"\x20ac\".");
  EXPECT_FALSE(host.has(L"plugin_temp.bat") || host.has(L"plugin_helper.bat") || host.has(L"plugin_probe.bat"));
}

// A plug-in file that tries to make the scripts run a command (the payload
// creates pwned.txt if it runs). The escaping rules themselves are the
// round-trip test's part; here a whole render refuses a field before any
// script exists, and the message names the field, the note and the
// character in the user's language.
TEST(ScriptSecurity, RefusedFieldIsNamedInTheFailureMessage) {
  if (GetACP() != 932) GTEST_SKIP() << "the Japanese locale shows it";
  const struct { const char* name; std::string notes, setting; std::wstring cause; } cases[] = {
      {"quote in flags", "[#0000]\r\nLyric=a\r\nFlags=g\" & echo>pwned.txt & \"\r\n", "",
       L"選択範囲の 1 番目のノート（休符も数えます）、歌詞「a」：フラグに含まれる文字「\"」は、スクリプトモードでは"
       L"ツールに安全に渡せません。\nフラグから"},
      {"variable in wavtool path", kNotes, "Tool1=%COMSPEC%.exe\r\n",
       L"wavtool のパスに含まれる文字「%」は、スクリプトモードではツールに安全に渡せません。\nwavtool のパスから"},
  };
  for (const auto& c : cases) {
    RenderHost host(L"execution_security_payload", false);
    host.take(kArgtool, L"%COMSPEC%.exe");  // a tool that exists, so that its path is what fails
    host.writePlugin(c.notes, c.setting);
    RunResult result = host.run(L"/noplay");
    EXPECT_EQ(result.exitCode, 13u) << c.name;
    EXPECT_THAT(result.message, testing::StartsWith(L"レンダリング中にエラーが発生しました\n" + c.cause)) << c.name;
    EXPECT_FALSE(host.has(L"pwned.txt") || host.has(L"plugin_temp.bat")) << c.name;
  }
}

}  // namespace
