// Whole renders of sondrel.exe in a host editor's layout, in both modes.
#include "render_host.h"
#include "shell/wav_duration.h"

namespace {

using testing::SizeIs;

const char kNotes[] =
    "[#0000]\r\nLength=480\r\nLyric=a\r\nNoteNum=60\r\n"
    "[#0001]\r\nLength=480\r\nLyric=R\r\nNoteNum=60\r\n"
    "[#0002]\r\nLength=480\r\nLyric=ka\r\nNoteNum=62\r\n";

// Milliseconds of a WAV; three notes of 480 ticks at tempo 120 last 1500 ms,
// and the wavtool adds up to 100 ms of the first note's pre-utterance in front.
double duration(const std::wstring& wav) { return sondrel::wavDurationMs(wav.c_str()); }
const auto kThreeNotes = testing::DoubleNear(1550, 50);

class Render : public ::testing::TestWithParam<bool> {};

TEST_P(Render, SongRendersAndAKeptCacheSkipsTheResampler) {
  RenderHost host(L"execution_render_song", GetParam());
  host.writePlugin(kNotes);
  const std::string resampler = GetParam() ? "resampler10.dll " : "resampler ";
  RunResult result = host.run(L"/noplay /nodeletewav");
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_EQ(result.message, L"");
  EXPECT_THAT(duration(host.work + L"\\plugin_temp.wav"), kThreeNotes);
  EXPECT_FALSE(host.has(L"t1.cache")) << "the cache is removed after the render";
  EXPECT_FALSE(host.has(L"plugin_temp.bat") || host.has(L"plugin_helper.bat"));
  EXPECT_FALSE(host.has(L"plugin_temp.wav.whd") || host.has(L"plugin_temp.wav.dat"));
  EXPECT_THAT(host.calls(resampler), SizeIs(2)) << "two sung notes";

  ASSERT_EQ(host.run(L"/noplay /nodeletewav /nodeletecache").exitCode, 0u);
  EXPECT_TRUE(host.has(L"t1.cache"));
  DeleteFileW(host.log.c_str());
  ASSERT_EQ(host.run(L"/noplay /nodeletewav /nodeletecache").exitCode, 0u);
  EXPECT_THAT(host.calls(resampler), SizeIs(0));
  EXPECT_THAT(host.calls(GetParam() ? "wavtool2.dll " : "wavtool "), SizeIs(3));
  EXPECT_THAT(duration(host.work + L"\\plugin_temp.wav"), kThreeNotes) << "from the cache";
}

TEST_P(Render, OutputOptionAndMergedModification) {
  RenderHost host(L"execution_render_merge", GetParam());
  host.writePlugin(kNotes);
  writeFile(host.work + L"\\mod.ust", "[#0000]\r\nLength=960\r\n");
  std::wstring out = host.root + L"\\rendered.wav";
  EXPECT_EQ(host.run(L"/noplay /nodeletewav \"/o:" + out + L"\" \"/m:" + host.work + L"\\mod.ust\"").exitCode, 0u);
  EXPECT_THAT(duration(out), testing::DoubleNear(2050, 50)) << "the first note made 500 ms longer";
  EXPECT_FALSE(host.has(L"plugin_temp.wav"));
  EXPECT_THAT(fileText(host.plugin), testing::HasSubstr("Length=960"));
}

TEST_P(Render, WholeProjectTakesOutFileFromTheProjectFile) {
  RenderHost host(L"execution_render_whole", GetParam());
  host.writePlugin(std::string(kNotes) + "[#TRACKEND]\r\n", "CacheDir=song.cache\r\n");
  writeFile(host.work + L"\\song.ust", "[#SETTING]\r\nOutFile=whole.wav\r\n");
  EXPECT_EQ(host.run(L"").exitCode, 0u);
  EXPECT_THAT(duration(host.work + L"\\whole.wav"), kThreeNotes);
  EXPECT_TRUE(host.has(L"t1.cache")) << "a whole project keeps its cache";
  EXPECT_THAT(fileText(host.plugin), testing::HasSubstr("[#TRACKEND]")) << "the plug-in file keeps its content";
}

// Each tool call takes a second; Cancel during the first one must stop the
// render after the calls already under way.
TEST_P(Render, CancelEndsWithoutFailureMessage) {
  RenderHost host(L"execution_render_cancel", GetParam(), GetParam() ? Tools::Fakes : Tools::Reference);
  if (!GetParam()) {
    host.take(kArgtool, L"slow.exe");
    host.setting("Tool1Path=wavtool.exe\r\nTool2Path=slow.exe\r\nUseDLL=0\r\nResamplerRuns=1");
  }
  host.writePlugin(kNotes);
  RunResult result = host.run(L"/noplay", {L"STANDIN_SLEEP_MS=1000"}, [&](HWND dialog) {
    for (int i = 0; i < 100 && host.calls("").empty(); ++i) Sleep(100);
    pressButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(result.exitCode, 1223u);
  EXPECT_EQ(result.message, L"");
  // A resampler started by the script is left to finish on its own.
  Sleep(1500);
  EXPECT_THAT(host.calls(GetParam() ? "resampler|" : "slow.exe|"), SizeIs(1));
  EXPECT_THAT(host.calls(GetParam() ? "wavtool|" : "wavtool "), SizeIs(GetParam() ? 1 : 0))
      << "DLL mode completes the request under way; the script stops at once";
}

INSTANTIATE_TEST_SUITE_P(Modes, Render, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Dll" : "Script"; });

TEST(ScriptRender, DebugKeepsTheScriptsWhichNameTheHelperByItsShortPath) {
  RenderHost host(L"execution_render_debug", false);
  host.writePlugin(kNotes);
  EXPECT_EQ(host.run(L"/noplay /debug").exitCode, 0u);
  EXPECT_TRUE(host.has(L"plugin_helper.bat"));
  char shortHelper[MAX_PATH] = {};
  GetShortPathNameA((base::toAnsi(host.work) + "\\plugin_helper.bat").c_str(), shortHelper, MAX_PATH);
  ASSERT_THAT(shortHelper, testing::HasSubstr("~")) << "Wine gives 8.3 names";
  EXPECT_THAT(fileText(host.work + L"\\plugin_temp.bat"),
              testing::HasSubstr(std::string("\r\n@set helper=") + shortHelper + "\r\n"));
}

TEST(ScriptRender, ToolThatWritesNothingIsAFailure) {
  RenderHost host(L"execution_render_no_output", false);
  host.take(kArgtool, L"silent.exe");
  host.setting("Tool1Path=silent.exe\r\nTool2Path=resampler.exe");
  host.writePlugin(kNotes);
  RunResult result = host.run(L"/noplay");
  EXPECT_EQ(result.exitCode, 2u);
  EXPECT_NE(result.message, L"");
}

// Each call takes 300 ms, longer than the dialog's refresh interval, so each
// request is shown. The resampler library is called one note after another
// whatever setting.ini allows script mode.
TEST(DllRender, ProgressShowsEachRequestAndCallsFollowOneAnother) {
  RenderHost host(L"execution_render_progress", true, Tools::Fakes);
  host.setting("UseDLL=1\r\nResamplerRuns=4");
  host.writePlugin(kNotes);
  ASSERT_EQ(host.run(L"/noplay", {L"STANDIN_SLEEP_MS=300"}).exitCode, 0u);
  using testing::StartsWith;
  EXPECT_THAT(host.calls(""), testing::ElementsAre(StartsWith("resampler|"), StartsWith("wavtool|1|3|a|"),
                                                   StartsWith("wavtool|2|3|R|"), StartsWith("resampler|"),
                                                   StartsWith("wavtool|3|3|ka|"), StartsWith("append_files|")));
}

TEST(DllRender, MissingEntryPointSkipsItsCalls) {
  RenderHost host(L"execution_render_no_exec", true, Tools::FakesWithoutResamplerExec);
  host.writePlugin(kNotes);
  EXPECT_EQ(host.run(L"/noplay").exitCode, 0u);
  EXPECT_THAT(host.calls("resampler"), SizeIs(0));
  EXPECT_THAT(host.calls("wavtool|"), SizeIs(3));
}

TEST(DllRender, MissingLibraryGivesItsErrorCode) {
  RenderHost host(L"execution_render_no_library", true, Tools::NoResamplerLibrary);
  host.writePlugin(kNotes);
  RunResult result = host.run(L"/noplay");
  EXPECT_EQ(result.exitCode, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_NE(result.message, L"");
  EXPECT_THAT(host.calls("wavtool2.dll"), SizeIs(0)) << "nothing is rendered";
}

}  // namespace
