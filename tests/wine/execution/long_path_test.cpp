// Systems without 8.3 names give the long form back from the short-path
// lookup; this program links a lookup that does exactly that.
#include <gmock/gmock.h>

#include "base/ansi_text.h"
#include "base/status.h"
#include "execution/script_runner.h"
#include "execution/script_writer.h"
#include "execution/short_path.h"
#include "windriver.h"

namespace sondrel {
std::string shortPathOf(const std::string& path) { return path; }
}  // namespace sondrel

namespace {

TEST(LongPaths, ScriptsUnderADirectoryWithBlanksRun) {
  std::wstring dir = windriver::scratchDir(L"Jane Doe & (x86)");
  std::string dirA = base::toAnsi(dir);
  windriver::copyFile(windriver::buildDir() + L"\\tests\\wine\\execution\\argtool.exe", dir + L"\\tool.exe");
  SetEnvironmentVariableW(L"STANDIN_LOG", (dir + L"\\calls.log").c_str());
  sondrel::RenderConfig config;
  config.voiceDir = dirA;
  config.wavtoolPath = config.resamplerPath = dirA + "\\tool.exe";
  config.cacheDir = dirA + "\\t1.cache";
  config.requests.resize(1);
  sondrel::RenderRequest& sung = config.requests[0];
  sung.resampler.inputPath = "a.wav";
  sung.resampler.cachePath = sung.wavtool.wavInput = "0_a_C4_550.wav";
  sung.resampler.noteName = "C4";
  sung.wavtool.lengthArg = "480@120.00+0.000";
  sondrel::ScriptPaths paths;
  sondrel::RenderFailure failure;
  ASSERT_EQ(sondrel::writeScripts(config, dir + L"\\t1.tmp", nullptr, paths, failure), base::kStatusOk);
  EXPECT_THAT(windriver::fileText(dir + L"\\plugin_temp.bat"),
              testing::HasSubstr("\r\n@set helper=\"" + dirA + "\\plugin_helper.bat\"\r\n"));
  EXPECT_EQ(sondrel::runScript(nullptr, paths.mainScript, paths.codePage, config.cacheDir, failure), base::kStatusOk);
  EXPECT_THAT(windriver::fileText(dir + L"\\calls.log"),
              testing::AllOf(testing::StartsWith("tool.exe|"), testing::HasSubstr("\ntool.exe|plugin_temp.wav|")))
      << "the helper and the main script run the tools";
}

}  // namespace
