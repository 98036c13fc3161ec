// Plug-in files and voice banks that try to make the scripts run a command
// (each payload creates pwned.txt in the work directory if it runs), and
// legitimate names that must still render, in code page 932.
#include <gtest/gtest.h>

#include "render_host.h"
#include "windriver.h"

namespace {

// "ソ" (0x83 0x5C) and "ポ" (0x83 0x7C): second bytes "\" and "|".
const std::string kSo = "\x83\x5C", kPo = "\x83\x7C";

std::string note(const std::string& lyric, const std::string& extra = "") {
  return "[#0000]\r\nLength=480\r\nLyric=" + lyric + "\r\nNoteNum=60\r\n" + extra;
}

// A voice bank whose only sample is the demo bank's a.wav under `sample`.
std::wstring customBank(const Host& host, const std::wstring& dirName, const std::string& sample,
                        const std::string& alias) {
  std::wstring bank = host.root + L"\\" + dirName;
  CreateDirectoryW(bank.c_str(), nullptr);
  std::wstring wideSample(sample.size() + 1, L'\0');
  wideSample.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, sample.c_str(), -1, &wideSample[0],
                                                            static_cast<int>(wideSample.size())) - 1));
  windriver::copyFile(demoBank() + L"\\a.wav", bank + L"\\" + wideSample);
  windriver::writeFile(bank + L"\\oto.ini", sample + "=" + alias + ",30,40,-660,10,5\r\n");
  return bank;
}

struct Payload {
  const char* name;
  std::string notes;
  std::string setting;  // extra [#SETTING] lines
};

TEST(ScriptSecurity, PayloadsAreRefusedWithTheFailureMessage) {
  const Payload payloads[] = {
      {"quote in flags", note("a", "Flags=g\" & echo>pwned.txt & \"\r\n"), ""},
      {"variable in flags", note("a", "Flags=%1\r\n") + "[#0001]\r\nLength=480\r\nLyric=a&echo>pwned.txt\r\nNoteNum=60\r\n", ""},
      {"command in envelope", note("a", "Envelope=0,5,35,0,100,100,0 & echo>pwned.txt\r\n"), ""},
      {"quote in lyric", note("a\" & echo>pwned.txt & \""), ""},
      {"variable in lyric", note("%COMSPEC%"), ""},
      {"lone carriage return in lyric", note("a\recho>pwned.txt"), ""},
      {"variable in wavtool path", note("a"), "Tool1=%COMSPEC%\r\n"},
  };
  for (const Payload& p : payloads) {
    Host host(L"execution_security_payload", false);
    host.writePlugin(p.notes, p.setting);
    RunResult result = host.run(L"/noplay");
    EXPECT_EQ(result.exitCode, 13u) << p.name;
    EXPECT_NE(result.message, L"") << p.name;
    EXPECT_FALSE(host.exists(L"pwned.txt")) << p.name;
    EXPECT_FALSE(host.exists(L"plugin_temp.bat")) << p.name;
  }
}

TEST(ScriptSecurity, SampleNameFromTheVoiceBankIsRefused) {
  Host host(L"execution_security_oto", false);
  std::wstring bank = host.root + L"\\bank";
  CreateDirectoryW(bank.c_str(), nullptr);
  windriver::writeFile(bank + L"\\oto.ini", "a\" & echo>pwned.txt & \".wav=a,30,40,-660,10,5\r\n");
  host.writePlugin(note("a"), "", bank);
  RunResult result = host.run(L"/noplay");
  EXPECT_EQ(result.exitCode, 13u);
  EXPECT_NE(result.message, L"");
  EXPECT_FALSE(host.exists(L"pwned.txt"));
}

// Ampersands and parentheses that are escaped or quoted reach the tools as
// names, never as commands.
TEST(ScriptSecurity, EscapedPayloadsRunNothing) {
  Host host(L"execution_security_escaped", false);
  std::wstring bank = customBank(host, L"v&echo>pwned.txt", "a&echo>pwned.txt.wav", "a");
  host.writePlugin(note("a", "Flags=g&echo>pwned.txt\r\n"), "", bank);
  RunResult result = host.run(L"/noplay");
  EXPECT_FALSE(host.exists(L"pwned.txt"));
  EXPECT_EQ(host.calls("resampler ").size(), 1u);
}

TEST(ScriptSecurity, JapaneseNamesBlanksAndParenthesesRender) {
  for (bool useDll : {false, true}) {
    Host host(L"execution_security_legitimate", useDll);
    std::wstring bank =
        customBank(host, L"voice & bank (x86) \x30bd\x30dd", kSo + kPo + " (1).wav", kPo + kSo);
    host.writePlugin(note(kPo + kSo, "Envelope=0,5,35,0,100,100,0,%,0\r\n"), "", bank);
    RunResult result = host.run(L"/noplay /nodeletewav");
    EXPECT_EQ(result.exitCode, 0u) << useDll;
    EXPECT_EQ(result.message, L"") << useDll;
    EXPECT_GT(wavMilliseconds(host.work + L"\\plugin_temp.wav"), 500) << useDll;
    std::vector<std::string> calls = host.calls(useDll ? "resampler10.dll " : "resampler ");
    ASSERT_EQ(calls.size(), 1u) << useDll;
    std::string input = narrow(bank) + "\\" + kSo + kPo + " (1).wav|";
    EXPECT_EQ(calls[0].find(input), calls[0].find(' ', calls[0].find(' ') + 1) + 1)
        << "the resampler reads " << input << ", got " << calls[0];
  }
}

// DLL mode hands the strings over as they are; nothing is parsed.
TEST(DllSecurity, PayloadsArePlainArguments) {
  Host host(L"execution_security_dll", true);
  host.writePlugin(note("a", "Flags=g\" & echo>pwned.txt & \"\r\n"));
  RunResult result = host.run(L"/noplay");
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_FALSE(host.exists(L"pwned.txt"));
  std::vector<std::string> calls = host.calls("resampler10.dll ");
  ASSERT_EQ(calls.size(), 1u);
  // The planner puts a "/" before every "d" and "e" of the flags.
  EXPECT_NE(calls[0].find("|g\" & /echo>pwn/e/d.txt & \"|"), std::string::npos) << calls[0];
}

}  // namespace
