// Systems without 8.3 names give the long form back from the short-path
// lookup; this program links a lookup that does exactly that.
#include <gtest/gtest.h>

#include "execution/script_writer.h"
#include "execution/short_path.h"
#include "script_fixture.h"
#include "shell/status.h"
#include "windriver.h"

namespace sondrel {
std::string shortPathOf(const std::string& path) { return path; }
}  // namespace sondrel

namespace {

TEST(LongPaths, ScriptsUnderADirectoryWithBlanksRun) {
  ScriptFixture f(L"Jane Doe & (x86)");
  sondrel::RenderConfig config = f.config();
  config.requests = threeRequests();
  sondrel::ScriptPaths paths;
  ASSERT_EQ(sondrel::writeScripts(config, f.options, paths), sondrel::kStatusOk);
  std::string text;
  ASSERT_TRUE(windriver::readFile(f.dir + L"\\plugin_temp.bat", text));
  EXPECT_NE(text.find("\r\n@set helper=\"" + f.dirA + "\\plugin_helper.bat\"\r\n"), std::string::npos) << text;
  EXPECT_EQ(sondrel::runScript(nullptr, paths.mainScript), sondrel::kStatusOk);
  EXPECT_EQ(f.calls().size(), 4u) << "the main script or the helper did not run";
}

TEST(LongPaths, PercentInTheScriptDirectoryIsRefused) {
  ScriptFixture f(L"100%PATH%");
  sondrel::RenderConfig config = f.config();
  sondrel::ScriptPaths paths;
  EXPECT_EQ(sondrel::writeScripts(config, f.options, paths), sondrel::kStatusInvalidData);
  EXPECT_FALSE(f.exists("plugin_temp.bat") || f.exists("plugin_helper.bat"));
}

}  // namespace
