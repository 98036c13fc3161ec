// The scripts as Wine's cmd.exe reads them, in code page 932: every field must
// reach the tools exactly as planned, and no field may make cmd.exe run
// anything else.
#include <gtest/gtest.h>

#include "execution/script_writer.h"
#include "execution/short_path.h"
#include "script_fixture.h"
#include "shell/status.h"
#include "windriver.h"

namespace {

using sondrel::RenderConfig;

// "ソ" (0x83 0x5C) and "ポ" (0x83 0x7C): second bytes "\" and "|".
const std::string kSo = "\x83\x5C", kPo = "\x83\x7C";

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

int32_t render(ScriptFixture& f, RenderConfig& config) {
  sondrel::ScriptPaths paths;
  int32_t status = sondrel::writeScripts(config, f.options, paths);
  if (status != sondrel::kStatusOk) return status;
  return sondrel::runScript(nullptr, paths.mainScript);
}

TEST(Scripts, FieldsReachTheToolsExactly) {
  ScriptFixture f(L"execution_scripts_fields");
  RenderConfig config = f.config();
  config.voiceDir = f.dirA + "\\voice & (x86) " + kSo + kPo;
  config.requests = threeRequests();
  config.requests[0].resampler.inputPath = kPo + "&b (2)" + kSo + ".wav";
  config.requests[0].resampler.flags = "g&x^(";
  config.requests[1].wavtool.wavInput = "b%PATH%.wav";

  render(f, config);
  const std::string voice = config.voiceDir, cache = config.cacheDir;
  EXPECT_EQ(joined(f.calls()),
            "resampler.exe|" + voice + "\\" + kPo + "&b (2)" + kSo + ".wav|" + cache +
                "\\0_a_C4_550.wav|C4|100|g&x^(|12.25|550|60|-100|90|0|!120.000000|AA#3#\n"
                "wavtool.exe|out.wav|" + cache + "\\0_a_C4_550.wav|12.5|480@120.00+10.000|0|5|35|0|100|100|0|30.000000\n"
                "wavtool.exe|out.wav|" + voice + "\\b%PATH%.wav|100.5|510.000000|0|5|35|0|100|100|0|0.000000\n"
                "wavtool.exe|out.wav|" + voice + "\\R.wav|0|240@120.00+0.000|0|0\n");
}

TEST(Scripts, HelperIsNamedByItsShortPath) {
  ScriptFixture f(L"execution_scripts_short_helper_path");
  RenderConfig config = f.config();
  sondrel::ScriptPaths paths;
  ASSERT_EQ(sondrel::writeScripts(config, f.options, paths), sondrel::kStatusOk);
  EXPECT_EQ(paths.helperScript, f.dirA + "\\plugin_helper.bat");
  EXPECT_EQ(config.helperScriptPath, paths.helperScript);
  std::string shortHelper = sondrel::shortPathOf(paths.helperScript);
  ASSERT_NE(shortHelper.find('~'), std::string::npos) << "Wine gives 8.3 names, got " << shortHelper;
  std::string text;
  ASSERT_TRUE(windriver::readFile(f.dir + L"\\plugin_temp.bat", text));
  EXPECT_NE(text.find("\r\n@set helper=" + shortHelper + "\r\n@set cachedir="), std::string::npos) << text;
}

// Each payload tries to create pwned.txt in the current directory. Accepted
// payloads must arrive at the tools as they were planned (`expectedCall` is
// part of the call log), refused ones must leave no script behind.
struct Payload {
  const char* name;
  void (*apply)(RenderConfig&, const std::string& dir);
  const char* expectedCall;  // nullptr: refused with 13
};

const Payload kPayloads[] = {
    {"quote in flags", [](RenderConfig& c, const std::string&) { c.requests[0].resampler.flags = "x\" & echo>pwned.txt & \""; }, nullptr},
    {"ampersand in flags", [](RenderConfig& c, const std::string&) { c.requests[0].resampler.flags = "x&echo>pwned.txt"; },
     "|C4|100|x&echo>pwned.txt|12.25|"},
    {"variable in flags", [](RenderConfig& c, const std::string&) { c.requests[0].resampler.flags = "%COMSPEC%"; }, nullptr},
    {"parameter in flags", [](RenderConfig& c, const std::string&) {
       c.requests[0].resampler.flags = "%1";
       c.requests[0].resampler.inputPath = "a&echo>pwned.txt.wav";
     }, nullptr},
    {"command in envelope", [](RenderConfig& c, const std::string&) { c.requests[0].wavtool.envelopeArg = "0 & echo>pwned.txt"; }, nullptr},
    {"command in pitch string", [](RenderConfig& c, const std::string&) { c.requests[0].resampler.pitchString = "AA|echo>pwned.txt"; }, nullptr},
    {"quote in sample name", [](RenderConfig& c, const std::string&) { c.requests[0].resampler.inputPath = "a\" & echo>pwned.txt & \".wav"; }, nullptr},
    {"variable in sample name", [](RenderConfig& c, const std::string&) { c.requests[0].resampler.inputPath = "%COMSPEC%.wav"; }, nullptr},
    {"ampersand in sample name", [](RenderConfig& c, const std::string&) { c.requests[0].resampler.inputPath = "a&echo>pwned.txt.wav"; },
     "\\voice\\a&echo>pwned.txt.wav|"},
    {"lone carriage return in lyric", [](RenderConfig& c, const std::string&) { c.requests[0].resampler.inputPath = "a\recho>pwned.txt"; }, nullptr},
    {"ampersand in voice dir", [](RenderConfig& c, const std::string& d) { c.voiceDir = d + "\\v&echo>pwned.txt"; },
     "\\v&echo>pwned.txt\\a.wav|"},
    {"variable in voice dir", [](RenderConfig& c, const std::string& d) { c.voiceDir = d + "\\%COMSPEC%"; }, nullptr},
    {"ampersand in output", [](RenderConfig& c, const std::string&) { c.outputPath = "o&echo>pwned.txt.wav"; },
     "wavtool.exe|o&echo>pwned.txt.wav|"},
    {"command in project name", [](RenderConfig& c, const std::string&) { c.projectName = "p&echo>pwned.txt"; }, "resampler.exe|"},
    {"quote in project name", [](RenderConfig& c, const std::string&) { c.projectName = "p\"&echo>pwned.txt&\""; }, "resampler.exe|"},
    {"caret at the end of the project name", [](RenderConfig& c, const std::string&) { c.projectName = "p^"; }, "resampler.exe|"},
};

TEST(Scripts, InjectionPayloadsRunNothing) {
  for (const Payload& p : kPayloads) {
    ScriptFixture f(L"execution_scripts_payload");
    RenderConfig config = f.config();
    config.requests = threeRequests();
    p.apply(config, f.dirA);
    int32_t status = render(f, config);
    EXPECT_FALSE(f.exists("pwned.txt")) << p.name;
    std::vector<std::string> calls = f.calls();
    if (p.expectedCall == nullptr) {
      EXPECT_EQ(status, sondrel::kStatusInvalidData) << p.name;
      EXPECT_FALSE(f.exists("plugin_temp.bat") || f.exists("plugin_helper.bat")) << p.name;
    } else {
      EXPECT_NE(joined(calls).find(p.expectedCall), std::string::npos) << p.name << ": got\n" << joined(calls);
      EXPECT_EQ(calls.size(), 4u) << p.name << "\n" << joined(calls);
    }
  }
}

TEST(Scripts, CancelEndsTheInterpreterPromptly) {
  ScriptFixture f(L"execution_scripts_cancel");
  SetEnvironmentVariableW(L"ARGTOOL_SLEEP_MS", L"4000");
  RenderConfig config = f.config();
  config.requests = threeRequests();
  sondrel::ScriptPaths paths;
  ASSERT_EQ(sondrel::writeScripts(config, f.options, paths), sondrel::kStatusOk);
  HANDLE cancel = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE timer = CreateThread(
      nullptr, 0, [](void* event) -> DWORD { Sleep(1000); SetEvent(static_cast<HANDLE>(event)); return 0; }, cancel, 0,
      nullptr);
  DWORD start = GetTickCount();
  EXPECT_EQ(sondrel::runScript(cancel, paths.mainScript), sondrel::kStatusCancelled);
  DWORD elapsed = GetTickCount() - start;
  EXPECT_LT(elapsed, 3500u) << "the runner waited for the sleeping tool";
  WaitForSingleObject(timer, INFINITE);
  CloseHandle(timer);
  CloseHandle(cancel);
  // Only the first call had started; the rest of the script never ran.
  Sleep(4000);
  EXPECT_EQ(f.calls().size(), 1u) << joined(f.calls());
}

}  // namespace
