// Systems without 8.3 names give the long form back from the short-path
// lookup; this program links a lookup that does exactly that.
#include <gmock/gmock.h>

#include "execution/script_writer.h"
#include "execution/short_path.h"
#include "shell/ansi_text.h"
#include "shell/status.h"
#include "windriver.h"

namespace sondrel {
std::string shortPathOf(const std::string& path) { return path; }
}  // namespace sondrel

namespace {

using testing::AllOf;
using testing::HasSubstr;
using testing::StartsWith;

struct ScriptDir {
  std::wstring dir;
  std::string dirA;
  sondrel::RunOptions options;
  sondrel::RenderConfig config;

  explicit ScriptDir(const std::wstring& name) : dir(windriver::scratchDir(name)), dirA(sondrel::toAnsi(dir)) {
    windriver::copyFile(windriver::buildDir() + L"\\tests\\wine\\execution\\argtool.exe", dir + L"\\tool.exe");
    SetEnvironmentVariableW(L"STANDIN_LOG", (dir + L"\\calls.log").c_str());
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
  EXPECT_THAT(windriver::fileText(s.dir + L"\\plugin_temp.bat"),
              HasSubstr("\r\n@set helper=\"" + s.dirA + "\\plugin_helper.bat\"\r\n"));
  EXPECT_EQ(sondrel::runScript(nullptr, paths.mainScript), sondrel::kStatusOk);
  EXPECT_THAT(windriver::fileText(s.dir + L"\\calls.log"),
              AllOf(StartsWith("tool.exe|"), HasSubstr("\ntool.exe|plugin_temp.wav|")))
      << "the helper and the main script run the tools";
}

TEST(LongPaths, PercentInTheScriptDirectoryIsRefused) {
  ScriptDir s(L"100%PATH%");
  sondrel::ScriptPaths paths;
  EXPECT_EQ(sondrel::writeScripts(s.config, s.options, paths), sondrel::kStatusInvalidData);
  EXPECT_FALSE(windriver::fileExists(s.dir + L"\\plugin_temp.bat") ||
               windriver::fileExists(s.dir + L"\\plugin_helper.bat"));
}

}  // namespace
