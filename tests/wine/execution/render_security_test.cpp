// Plug-in files and voice banks that try to make the scripts run a command
// (each payload creates pwned.txt in the work directory if it runs), and
// legitimate names that must still render, in code page 932.
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

TEST(ScriptSecurity, PayloadsAreRefusedWithTheFailureMessage) {
  const struct { const char* name; std::string notes, setting, otoLine; } payloads[] = {
      {"quote in flags", note("a", "Flags=g\" & echo>pwned.txt & \"\r\n"), "", ""},
      {"parameter in flags", note("a", "Flags=%1\r\n") + note("a&echo>pwned.txt"), "", ""},
      {"command in envelope", note("a", "Envelope=0,5,35,0,100,100,0 & echo>pwned.txt\r\n"), "", ""},
      {"quote in lyric", note("a\" & echo>pwned.txt & \""), "", ""},
      {"variable in lyric", note("%COMSPEC%"), "", ""},
      {"lone carriage return in lyric", note("a\recho>pwned.txt"), "", ""},
      {"variable in wavtool path", note("a"), "Tool1=%COMSPEC%\r\n", ""},
      {"quote in an oto.ini sample", note("a"), "", "a\" & echo>pwned.txt & \".wav=a,30,40,-660,10,5"},
  };
  for (const auto& p : payloads) {
    RenderHost host(L"execution_security_payload", false);
    host.writePlugin(p.notes, p.setting, p.otoLine.empty() ? demoBank() : bank(host, L"bank", p.otoLine));
    RunResult result = host.run(L"/noplay");
    EXPECT_EQ(result.exitCode, 13u) << p.name;
    EXPECT_NE(result.message, L"") << p.name;
    EXPECT_FALSE(host.has(L"pwned.txt")) << p.name;
    EXPECT_FALSE(host.has(L"plugin_temp.bat")) << p.name;
  }
}

TEST(Security, JapaneseNamesBlanksAmpersandsAndParenthesesReachTheToolsInBothModes) {
  for (bool useDll : {false, true}) {
    RenderHost host(L"execution_security_legitimate", useDll);
    std::string sample = kSo + kPo + " & (1).wav";
    std::wstring voice = bank(host, L"voice & bank (x86) \x30bd\x30dd", sample + "=" + kPo + kSo + ",30,40,-660,10,5", sample);
    host.writePlugin(note(kPo + kSo, "Flags=g&c^(\r\nEnvelope=0,5,35,0,100,100,0,%,0\r\n"), "", voice);
    RunResult result = host.run(L"/noplay /nodeletewav");
    EXPECT_EQ(result.exitCode, 0u) << useDll;
    EXPECT_EQ(result.message, L"") << useDll;
    EXPECT_GT(sondrel::wavDurationMs((host.work + L"\\plugin_temp.wav").c_str()), 500) << useDll;
    // A logged call is "<tool> <argument count> <arguments separated by |>".
    EXPECT_THAT(host.calls(useDll ? "resampler10.dll " : "resampler "),
                testing::ElementsAre(testing::AllOf(testing::HasSubstr(" " + base::toAnsi(voice) + "\\" + sample + "|"),
                                                    testing::HasSubstr("|g&c^(|"))));
  }
}

// DLL mode hands the strings over as they are; nothing is parsed.
TEST(DllSecurity, PayloadsArePlainArguments) {
  RenderHost host(L"execution_security_dll", true);
  host.writePlugin(note("a", "Flags=g\" & echo>pwned.txt & \"\r\n"));
  EXPECT_EQ(host.run(L"/noplay").exitCode, 0u);
  EXPECT_FALSE(host.has(L"pwned.txt"));
  // The planner puts a "/" before every "d" and "e" of the flags.
  EXPECT_THAT(host.calls("resampler10.dll "), testing::ElementsAre(testing::HasSubstr("|g\" & /echo>pwn/e/d.txt & \"|")));
}

}  // namespace
