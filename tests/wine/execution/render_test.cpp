// Whole renders of sondrel.exe in a host editor's layout, in both modes.
#include <gtest/gtest.h>

#include <cstring>

#include "render_host.h"
#include "shell/ansi_text.h"
#include "shell/wav_duration.h"
#include "windriver.h"

namespace {

const char kNotes[] =
    "[#0000]\r\nLength=480\r\nLyric=a\r\nNoteNum=60\r\n"
    "[#0001]\r\nLength=480\r\nLyric=R\r\nNoteNum=60\r\n"
    "[#0002]\r\nLength=480\r\nLyric=ka\r\nNoteNum=62\r\n";

// Three notes of 480 ticks at tempo 120 last 1500 ms; the wavtool adds the
// first note's pre-utterance in front.
constexpr double kThreeNotesMs = 1500;

void expectRenderedSong(const std::wstring& wav, double songMs, const char* mode) {
  double ms = sondrel::wavDurationMs(wav.c_str());
  EXPECT_GE(ms, songMs) << mode;
  EXPECT_LE(ms, songMs + 100) << mode;
}

class Render : public ::testing::TestWithParam<bool> {};

TEST_P(Render, SongRendersAndAKeptCacheSkipsTheResampler) {
  Host host(L"execution_render_song", GetParam());
  host.writePlugin(kNotes);
  const std::string resampler = GetParam() ? "resampler10.dll " : "resampler ";
  RunResult result = host.run(L"/noplay /nodeletewav");
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_EQ(result.message, L"");
  expectRenderedSong(host.work + L"\\plugin_temp.wav", kThreeNotesMs, "first render");
  EXPECT_FALSE(host.exists(L"t1.cache")) << "the cache is removed after the render";
  EXPECT_FALSE(host.exists(L"plugin_temp.bat") || host.exists(L"plugin_helper.bat"));
  EXPECT_FALSE(host.exists(L"plugin_temp.wav.whd") || host.exists(L"plugin_temp.wav.dat"));
  EXPECT_EQ(host.calls(resampler).size(), 2u) << "two sung notes";

  ASSERT_EQ(host.run(L"/noplay /nodeletewav /nodeletecache").exitCode, 0u);
  EXPECT_TRUE(host.exists(L"t1.cache"));
  DeleteFileW(host.log.c_str());
  ASSERT_EQ(host.run(L"/noplay /nodeletewav /nodeletecache").exitCode, 0u);
  EXPECT_EQ(host.calls(resampler).size(), 0u);
  EXPECT_EQ(host.calls(GetParam() ? "wavtool2.dll " : "wavtool ").size(), 3u);
  expectRenderedSong(host.work + L"\\plugin_temp.wav", kThreeNotesMs, "from the cache");
}

TEST_P(Render, OutputOptionAndMergedModification) {
  Host host(L"execution_render_merge", GetParam());
  host.writePlugin(kNotes);
  windriver::writeFile(host.work + L"\\mod.ust", "[#0000]\r\nLength=960\r\n");
  std::wstring out = host.root + L"\\rendered.wav";
  RunResult result = host.run(L"/noplay /nodeletewav \"/o:" + out + L"\" \"/m:" + host.work + L"\\mod.ust\"");
  EXPECT_EQ(result.exitCode, 0u);
  expectRenderedSong(out, kThreeNotesMs + 500, "merged length");
  EXPECT_FALSE(host.exists(L"plugin_temp.wav"));
  std::string plugin;
  windriver::readFile(host.plugin, plugin);
  EXPECT_NE(plugin.find("Length=960"), std::string::npos) << plugin;
}

TEST_P(Render, WholeProjectTakesOutFileFromTheProjectFile) {
  Host host(L"execution_render_whole", GetParam());
  host.writePlugin(std::string(kNotes) + "[#TRACKEND]\r\n", "CacheDir=song.cache\r\n");
  windriver::writeFile(host.work + L"\\song.ust", "[#SETTING]\r\nOutFile=whole.wav\r\n");
  RunResult result = host.run(L"");
  EXPECT_EQ(result.exitCode, 0u);
  expectRenderedSong(host.work + L"\\whole.wav", kThreeNotesMs, "whole project");
  EXPECT_TRUE(host.exists(L"t1.cache")) << "a whole project keeps its cache";
  std::string plugin;
  windriver::readFile(host.plugin, plugin);
  EXPECT_NE(plugin.find("[#TRACKEND]"), std::string::npos) << "the plug-in file keeps its content";
}

// Each tool call takes a second; Cancel during the first one must stop the
// render after the calls already under way.
TEST_P(Render, CancelEndsWithoutFailureMessage) {
  Host host(L"execution_render_cancel", GetParam(), GetParam() ? Tools::Fakes : Tools::Reference);
  if (!GetParam()) {
    windriver::copyFile(windriver::buildDir() + L"\\tests\\wine\\execution\\argtool.exe", host.root + L"\\slow.exe");
    host.setting("Tool1Path=wavtool.exe\r\nTool2Path=slow.exe\r\nUseDLL=0\r\n");
  }
  host.writePlugin(kNotes);
  RunResult result = host.run(L"/noplay", L"ARGTOOL_LOG=" + host.log + L"|ARGTOOL_SLEEP_MS=1000|FAKE_TOOL_SLEEP_MS=1000",
                              [&](HWND dialog) {
                                for (int i = 0; i < 100 && host.calls("").empty(); ++i) Sleep(100);
                                windriver::pressButton(dialog, IDCANCEL);
                              });
  EXPECT_EQ(result.exitCode, 1223u);
  EXPECT_EQ(result.message, L"");
  // A resampler started by the script is left to finish on its own.
  Sleep(1500);
  EXPECT_EQ(host.calls(GetParam() ? "resampler|" : "slow.exe|").size(), 1u);
  EXPECT_EQ(host.calls(GetParam() ? "wavtool|" : "wavtool ").size(), GetParam() ? 1u : 0u)
      << "DLL mode completes the request under way; the script stops at once";
}

TEST_P(Render, SamplePathBeyond259BytesIsRefused) {
  Host host(L"execution_render_long_path", GetParam());
  // 255 bytes of directory, a separator and "a.wav" make 261.
  host.writePlugin(kNotes, "", L"C:\\" + std::wstring(252, L'v'));
  RunResult result = host.run(L"/noplay");
  EXPECT_EQ(result.exitCode, 206u);
  EXPECT_NE(result.message, L"");
  EXPECT_EQ(host.calls("resampler").size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Modes, Render, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Dll" : "Script"; });

TEST(ScriptRender, DebugKeepsTheScriptsWhichNameTheHelperByItsShortPath) {
  Host host(L"execution_render_debug", false);
  host.writePlugin(kNotes);
  EXPECT_EQ(host.run(L"/noplay /debug").exitCode, 0u);
  EXPECT_TRUE(host.exists(L"plugin_helper.bat"));
  std::string script;
  ASSERT_TRUE(windriver::readFile(host.work + L"\\plugin_temp.bat", script));
  char shortHelper[MAX_PATH] = {};
  GetShortPathNameA((sondrel::toAnsi(host.work) + "\\plugin_helper.bat").c_str(), shortHelper, MAX_PATH);
  ASSERT_NE(std::strchr(shortHelper, '~'), nullptr) << "Wine gives 8.3 names, got " << shortHelper;
  EXPECT_NE(script.find(std::string("\r\n@set helper=") + shortHelper + "\r\n"), std::string::npos) << script;
}

TEST(ScriptRender, ToolThatWritesNothingIsAFailure) {
  Host host(L"execution_render_no_output", false);
  windriver::copyFile(windriver::buildDir() + L"\\tests\\wine\\execution\\argtool.exe", host.root + L"\\silent.exe");
  host.setting("Tool1Path=silent.exe\r\nTool2Path=resampler.exe\r\n");
  host.writePlugin(kNotes);
  RunResult result = host.run(L"/noplay");
  EXPECT_EQ(result.exitCode, 2u);
  EXPECT_NE(result.message, L"");
}

TEST(DllRender, ProgressShowsEachRequest) {
  Host host(L"execution_render_progress", true, Tools::Fakes);
  host.writePlugin(kNotes);
  ASSERT_EQ(host.run(L"/noplay").exitCode, 0u);
  std::vector<std::string> calls = host.calls("wavtool|");
  ASSERT_EQ(calls.size(), 3u);
  const char* expected[] = {"wavtool|1|3|a|", "wavtool|2|3|R|", "wavtool|3|3|ka|"};
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(calls[i].compare(0, strlen(expected[i]), expected[i]), 0) << calls[i];
  EXPECT_EQ(host.calls("append_files|").size(), 1u);
}

TEST(DllRender, MissingEntryPointSkipsItsCalls) {
  Host host(L"execution_render_no_exec", true, Tools::FakesWithoutResamplerExec);
  host.writePlugin(kNotes);
  EXPECT_EQ(host.run(L"/noplay").exitCode, 0u);
  EXPECT_EQ(host.calls("resampler").size(), 0u);
  EXPECT_EQ(host.calls("wavtool|").size(), 3u);
}

TEST(DllRender, MissingLibraryGivesItsErrorCode) {
  Host host(L"execution_render_no_library", true, Tools::NoResamplerLibrary);
  host.writePlugin(kNotes);
  RunResult result = host.run(L"/noplay");
  EXPECT_EQ(result.exitCode, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_NE(result.message, L"");
  EXPECT_EQ(host.calls("wavtool2.dll").size(), 0u) << "nothing is rendered";
}

}  // namespace
