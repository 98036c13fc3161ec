// Plug-in files that try to make the scripts run a command (each payload
// creates pwned.txt in the work directory if it runs), and legitimate names
// that must still render, in code page 932.
#include "render_host.h"
#include "shell/wav_duration.h"

namespace {

// "ソ" (0x83 0x5C) and "ポ" (0x83 0x7C): second bytes "\" and "|".
const std::string kSo = "\x83\x5C", kPo = "\x83\x7C";

std::string note(const std::string& lyric, const std::string& extra = "") {
  return "[#0000]\r\nLength=480\r\nLyric=" + lyric + "\r\nNoteNum=60\r\n" + extra;
}

// A voice bank in `dirName` whose oto.ini holds `otoLine`; `sample` (may be
// empty) is the demo bank's a.wav under that name.
std::wstring bank(const Host& host, const std::wstring& dirName, const std::string& otoLine,
                  const std::string& sample = "") {
  std::wstring dir = host.root + L"\\" + dirName;
  CreateDirectoryW(dir.c_str(), nullptr);
  if (!sample.empty()) copyFile(demoBank() + L"\\a.wav", dir + L"\\" + base::fromAnsi(sample));
  writeFile(dir + L"\\oto.ini", otoLine + "\r\n");
  return dir;
}

// The escaping rules themselves are checked by the round-trip test; here a
// whole render refuses a field before any script exists, and the message
// names the field, the note and the character in the user's language.
TEST(ScriptSecurity, RefusedFieldIsNamedInTheFailureMessage) {
  const struct { const char* name; std::string notes, setting; std::wstring cause; } cases[] = {
      {"quote in flags", note("a", "Flags=g\" & echo>pwned.txt & \"\r\n"), "",
       L"選択範囲の 1 番目のノート（休符も数えます）、歌詞「a」：フラグに含まれる文字「\"」は、スクリプトモードでは"
       L"ツールに安全に渡せません。\nフラグから"},
      {"variable in wavtool path", note("a"), "Tool1=%COMSPEC%.exe\r\n",
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

// A project name only stands in a comment line: what has no safe form there
// is replaced, never a reason to refuse the render.
TEST(ScriptSecurity, ProjectNameIsNoReasonToFail) {
  RenderHost host(L"execution_security_project_name", false);
  host.writePlugin(note("a"), "CacheDir=song.cache\r\n");
  writeFile(host.work + L"\\song.ust", "[#SETTING]\r\nProjectName=50% \"best\" & co\x01^\r\n");
  EXPECT_EQ(host.run(L"/noplay /debug").exitCode, 0u);
  EXPECT_THAT(fileText(host.work + L"\\plugin_temp.bat"), testing::StartsWith("@rem project=50_ _best_ _ co__\r\n"));
}

// DLL mode hands the strings over as they are, a quote included: nothing is
// parsed there. The interpreter reads the scripts in code page 932, so "ポ"
// stays one character in the unquoted "@set oto=" line too.
TEST(Security, JapaneseNamesBlanksAmpersandsAndParenthesesReachTheToolsInBothModes) {
  for (bool useDll : {false, true}) {
    RenderHost host(L"execution_security_legitimate", useDll);
    std::string sample = kSo + kPo + " & (1).wav", flags = useDll ? "g\"&c^(" : "g&c^(";
    std::wstring voice = bank(host, L"voice & bank (x86) \x30bd\x30dd", sample + "=" + kPo + kSo + ",30,40,-660,10,5", sample);
    host.writePlugin(note(kPo + kSo, "Flags=" + flags + "\r\nEnvelope=0,5,35,0,100,100,0,%,0\r\n"), "", voice);
    RunResult result = host.run(L"/noplay /nodeletewav");
    EXPECT_EQ(result.exitCode, 0u) << useDll;
    EXPECT_EQ(result.message, L"") << useDll;
    EXPECT_GT(sondrel::wavDurationMs((host.work + L"\\plugin_temp.wav").c_str()), 500) << useDll;
    // A logged call is "<tool> <argument count> <arguments separated by |>".
    EXPECT_THAT(host.calls(useDll ? "resampler10.dll " : "resampler "),
                testing::ElementsAre(testing::AllOf(testing::HasSubstr(" " + base::toAnsi(voice) + "\\" + sample + "|"),
                                                    testing::HasSubstr("|" + flags + "|"))));
  }
}

}  // namespace
