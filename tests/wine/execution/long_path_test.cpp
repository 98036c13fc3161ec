// Systems without 8.3 names give the long form back from the short-path
// lookup; this program links a lookup that does exactly that.
#include <gtest/gtest.h>

#include "execution/script_writer.h"
#include "execution/short_path.h"
#include "shell/ansi_text.h"
#include "shell/status.h"
#include "windriver.h"

namespace sondrel {
std::string shortPathOf(const std::string& path) { return path; }
}  // namespace sondrel

namespace {

struct ScriptDir {
  std::wstring dir;
  std::string dirA;
  sondrel::RunOptions options;
  sondrel::RenderConfig config;

  explicit ScriptDir(const std::wstring& name) : dir(windriver::scratchDir(name)), dirA(sondrel::toAnsi(dir)) {
    windriver::copyFile(windriver::buildDir() + L"\\tests\\wine\\execution\\argtool.exe", dir + L"\\tool.exe");
    SetEnvironmentVariableW(L"ARGTOOL_LOG", (dir + L"\\calls.log").c_str());
    lstrcpynW(options.pluginFilePath, (dir + L"\\t1.tmp").c_str(), MAX_PATH);
    config.voiceDir = dirA;
    config.wavtoolPath = config.resamplerPath = dirA + "\\tool.exe";
    config.cacheDir = dirA + "\\t1.cache";
    sondrel::RenderRequest sung;
    sung.resampler.inputPath = "a.wav";
    sung.resampler.cachePath = sung.wavtool.wavInput = "0_a_C4_550.wav";
    sung.resampler.noteName = "C4";
    sung.wavtool.lengthArg = "480@120.00+0.000";
    config.requests = {sung};
  }
};

TEST(LongPaths, ScriptsUnderADirectoryWithBlanksRun) {
  ScriptDir s(L"Jane Doe & (x86)");
  sondrel::ScriptPaths paths;
  ASSERT_EQ(sondrel::writeScripts(s.config, s.options, paths), sondrel::kStatusOk);
  std::string text, calls;
  ASSERT_TRUE(windriver::readFile(s.dir + L"\\plugin_temp.bat", text));
  EXPECT_NE(text.find("\r\n@set helper=\"" + s.dirA + "\\plugin_helper.bat\"\r\n"), std::string::npos) << text;
  EXPECT_EQ(sondrel::runScript(nullptr, paths.mainScript), sondrel::kStatusOk);
  windriver::readFile(s.dir + L"\\calls.log", calls);
  EXPECT_EQ(calls.substr(0, 9), "tool.exe|") << "the main script or the helper did not run";
  EXPECT_NE(calls.find("\ntool.exe|plugin_temp.wav|"), std::string::npos) << calls;
}

TEST(LongPaths, PercentInTheScriptDirectoryIsRefused) {
  ScriptDir s(L"100%PATH%");
  sondrel::ScriptPaths paths;
  EXPECT_EQ(sondrel::writeScripts(s.config, s.options, paths), sondrel::kStatusInvalidData);
  EXPECT_FALSE(windriver::fileExists(s.dir + L"\\plugin_temp.bat") ||
               windriver::fileExists(s.dir + L"\\plugin_helper.bat"));
}

}  // namespace
