// Whole renders of sondrel.exe in a host editor's layout, in both modes.
#include "base/win32_files.h"
#include "render_host.h"
#include "shell/wav_duration.h"

namespace {

using testing::SizeIs;

// Milliseconds of a WAV; three notes of 480 ticks at tempo 120 last 1500 ms,
// and the wavtool adds up to 100 ms of the first note's pre-utterance in front.
double duration(const std::wstring& wav) { return sondrel::wavDurationMs(wav.c_str()); }
const auto kThreeNotes = testing::DoubleNear(1550, 50);

class Render : public ::testing::TestWithParam<bool> {};

TEST_P(Render, SongRendersAndAKeptCacheSkipsTheResamplerAndDebugKeepsTheScripts) {
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

  ASSERT_EQ(host.run(L"/noplay /nodeletewav /nodeletecache /debug").exitCode, 0u);
  EXPECT_TRUE(host.has(L"t1.cache"));
  if (!GetParam()) {
    // The scripts kept by /debug name the helper by its short path.
    char shortHelper[MAX_PATH] = {};
    GetShortPathNameA((base::toAnsi(host.work) + "\\plugin_helper.bat").c_str(), shortHelper, MAX_PATH);
    EXPECT_THAT(shortHelper, testing::HasSubstr("~")) << "the helper is kept, with an 8.3 name";
    EXPECT_THAT(fileText(host.work + L"\\plugin_temp.bat"),
                testing::HasSubstr(std::string("\r\n@set helper=") + shortHelper + "\r\n"));
  }
  DeleteFileW(host.log.c_str());
  DeleteFileW((host.work + L"\\plugin_temp.wav").c_str());
  const std::wstring out = host.root + L"\\rendered.wav";
  ASSERT_EQ(host.run(L"/noplay /nodeletewav /nodeletecache \"/o:" + out + L"\"").exitCode, 0u);
  EXPECT_THAT(host.calls(resampler), SizeIs(0));
  EXPECT_THAT(host.calls(GetParam() ? "wavtool2.dll " : "wavtool "), SizeIs(3));
  EXPECT_THAT(duration(out), kThreeNotes) << "from the cache, into the /o: file";
  EXPECT_FALSE(host.has(L"plugin_temp.wav"));
}

// Each tool call takes a second; Cancel during the first one stops the render
// after the calls already under way in DLL mode, and at once in script mode,
// where the interpreter and the tool it started end together. A resampler
// cut short leaves its cache file, which must not count as done: script mode
// deletes what the run created, also when something holds it open for a
// moment, and nothing older, whatever its time says (a share's clock may run
// ahead).
TEST_P(Render, CancelEndsWithoutFailureMessageAndLeavesNoToolRunning) {
  RenderHost host(L"execution_render_cancel", GetParam(), GetParam() ? Tools::Fakes : Tools::Reference);
  const std::wstring cache = host.work + L"\\t1.cache", older = cache + L"\\5_old_C4_550.wav";
  if (!GetParam()) {
    host.take(kArgtool, L"slowcancel.exe");
    host.setting("Tool1Path=wavtool.exe\r\nTool2Path=slowcancel.exe\r\nUseDLL=0\r\nResamplerRuns=1");
    CreateDirectoryW(cache.c_str(), nullptr);
    writeFile(older, "RIFF");
    base::FileHandle file(CreateFileW(older.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    FILETIME ahead;
    GetSystemTimeAsFileTime(&ahead);
    ahead.dwHighDateTime += 10;  // about five days on
    SetFileTime(file.get(), nullptr, nullptr, &ahead);
  }
  host.writePlugin(kNotes);
  RunResult result = host.run(L"/noplay /nodeletecache", {L"STANDIN_SLEEP_MS=1000", L"STANDIN_OUTPUT=cut"},
                              [&](HWND dialog) {
                                for (int i = 0; i < 100 && host.calls("").empty(); ++i) Sleep(100);
                                base::FileHandle held(CreateFileW((cache + L"\\0_a_C4_550.wav").c_str(), GENERIC_READ,
                                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                                  OPEN_EXISTING, 0, nullptr));
                                EXPECT_EQ(held.valid(), !GetParam());
                                pressButton(dialog, IDCANCEL);
                                Sleep(500);
                              });
  EXPECT_EQ(result.exitCode, 1223u);
  EXPECT_EQ(result.message, L"");
  EXPECT_FALSE(processRunning(L"slowcancel.exe"));
  EXPECT_EQ(host.has(L"t1.cache\\0_a_C4_550.wav"), GetParam())
      << "the cache file of the call DLL mode completes stays; the one a script-mode resampler was cut in goes";
  EXPECT_EQ(fileExists(older), !GetParam());
  Sleep(1500);
  EXPECT_THAT(host.calls(GetParam() ? "resampler|" : "slowcancel.exe|"), SizeIs(1));
  EXPECT_THAT(host.calls(GetParam() ? "wavtool|" : "wavtool "), SizeIs(GetParam() ? 1 : 0))
      << "DLL mode completes the request under way; the script stops at once";
}

// A whole project renders into the project file's OutFile. A wildcard in the
// output would make the script's `del` remove every file it matches, in the
// user's music folder say, and `del` on a folder would empty it (after a
// question nobody sees); both modes refuse them alike.
TEST_P(Render, WholeProjectTakesOutFileButNoWildcardsOrAFolder) {
  RenderHost host(L"execution_render_wildcard", GetParam());
  const std::wstring music = host.root + L"\\music";
  CreateDirectoryW(music.c_str(), nullptr);
  for (const wchar_t* victim : {L"\\keep1.wav", L"\\keep2.wav"}) writeFile(music + victim, "RIFF");
  host.writePlugin(std::string(kNotes) + "[#TRACKEND]\r\n", "CacheDir=song.cache\r\n");
  writeFile(host.work + L"\\song.ust", "[#SETTING]\r\nOutFile=whole.wav\r\n");
  EXPECT_EQ(host.run(L"").exitCode, 0u);
  EXPECT_THAT(duration(host.work + L"\\whole.wav"), kThreeNotes);
  EXPECT_TRUE(host.has(L"t1.cache")) << "a whole project keeps its cache";
  EXPECT_THAT(fileText(host.plugin), testing::HasSubstr("[#TRACKEND]")) << "the plug-in file keeps its content";
  writeFile(host.work + L"\\song.ust", "[#SETTING]\r\nOutFile=" + base::toAnsi(music) + "\\keep?.wav\r\n");
  const std::wstring wildcard = L"Failed to render\nThe output file contains the character \"",
                     notAllowed = L"\", which a file name cannot hold: " + music,
                     folder = L"Failed to render\nThe output file " + music,
                     isFolder = L" is a folder: rendering into it would delete the files in it.";
  const struct { std::wstring options, message; } cases[] = {
      {L"\"/o:" + music + L"\\*.wav\"", wildcard + L"*" + notAllowed + L"\\*.wav\nChoose a name without \"*\"."},
      {L"", wildcard + L"?" + notAllowed + L"\\keep?.wav\nChoose a name without \"?\"."},  // OutFile= of the whole project
      {L"\"/o:" + music + L"\"", folder + isFolder},
      {L"\"/o:" + music + L"\\.\"", folder + L"\\." + isFolder},
  };
  for (const auto& c : cases) {
    RunResult result = host.run(L"/noplay " + c.options);
    EXPECT_EQ(result.exitCode, 123u) << c.message;
    EXPECT_THAT(result.message, testing::StartsWith(c.message));
    EXPECT_TRUE(fileExists(music + L"\\keep1.wav") && fileExists(music + L"\\keep2.wav")) << c.message;
  }
}

// A lyric without a voice bank entry names the sample, and with it the cache
// file. The resampler fails on such a sample, and script mode then deletes
// the cache file it was to write: a name that reached outside the cache
// directory would delete the user's file, one with ":" would leave a stream.
TEST_P(Render, LyricsThatLookLikePathsNameOnlyFilesInTheCache) {
  RenderHost host(L"execution_render_traversal", GetParam());
  host.setting(std::string("Tool1Path=wavtool.exe\r\nTool2Path=resampler.exe\r\nResamplerRuns=2\r\nUseDLL=") +
               (GetParam() ? "1" : "0"));
  const std::wstring music = host.root + L"\\Music";
  CreateDirectoryW(music.c_str(), nullptr);
  writeFile(music + L"\\take_C4_550.wav", "keep");
  host.writePlugin("[#0000]\r\nLength=480\r\nLyric=/../../../Music/take.x\r\nNoteNum=60\r\n"
                   "[#0001]\r\nLength=480\r\nLyric=C:take.x\r\nNoteNum=60\r\n");
  EXPECT_EQ(host.run(L"/noplay /nodeletecache").exitCode, 0u);
  EXPECT_EQ(fileText(music + L"\\take_C4_550.wav"), "keep");
  EXPECT_THAT(filesIn(music, L"*"), SizeIs(1));
  const std::string cache = "|" + base::toAnsi(host.work) + "\\t1.cache\\";
  EXPECT_THAT(host.calls(GetParam() ? "resampler10.dll " : "resampler "),
              testing::Each(testing::AnyOf(testing::HasSubstr(cache + "0__.._.._.._Music_take_C4_550.wav|"),
                                           testing::HasSubstr(cache + "1_C_take_C4_550.wav|"))));
  EXPECT_THAT(host.calls(GetParam() ? "resampler10.dll " : "resampler "), SizeIs(GetParam() ? 2 : 4))
      << "script mode runs a failed note once more inside the scripts";
}

// "ē" has no form in code page 1252: a look-alike "e" would send the cache,
// the scripts and the clean-up into the folder "Zoe". The folder's short form
// stands in; a new file's name has none, and is refused.
TEST_P(Render, FolderOutsideTheCodePageIsReachedByItsShortFormAndNeverByALookAlike) {
  RenderHost host(L"execution_render_code_page", GetParam());
  const std::wstring lookAlike = host.work + L"\\Zoe";
  CreateDirectoryW(lookAlike.c_str(), nullptr);
  CreateDirectoryW((lookAlike + L"\\t1.cache").c_str(), nullptr);
  writeFile(lookAlike + L"\\t1.cache\\keep.wav", "RIFF");
  host.work += L"\\Zo\u0113";
  host.plugin = host.work + L"\\t1.tmp";
  CreateDirectoryW(host.work.c_str(), nullptr);
  host.writePlugin(kNotes);
  EXPECT_EQ(host.run(L"/noplay /nodeletewav").exitCode, 0u);
  EXPECT_THAT(duration(host.work + L"\\plugin_temp.wav"), kThreeNotes);
  EXPECT_TRUE(fileExists(lookAlike + L"\\t1.cache\\keep.wav"));
  EXPECT_FALSE(fileExists(lookAlike + L"\\plugin_temp.wav") || fileExists(lookAlike + L"\\plugin_temp.bat"));

  const std::wstring output = host.root + L"\\out\u0113.wav";
  RunResult result = host.run(L"/noplay \"/o:" + output + L"\"");
  EXPECT_EQ(result.exitCode, 123u);
  EXPECT_EQ(result.message, L"Failed to render\nThe output file contains the character \"\u0113\", which this "
                            L"computer's language for non-Unicode programs cannot represent: " + output +
                                L"\nRename the folder or file without \"\u0113\".");
  EXPECT_FALSE(fileExists(host.root + L"\\oute.wav"));
}

INSTANTIATE_TEST_SUITE_P(Modes, Render, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Dll" : "Script"; });

TEST(ScriptRender, ToolThatWritesNothingOrFailsIsNamed) {
  RenderHost host(L"execution_render_no_output", false);
  host.take(kArgtool, L"silent.exe");
  host.setting("Tool1Path=silent.exe\r\nTool2Path=resampler.exe");
  host.writePlugin(kNotes);
  RunResult result = host.run(L"/noplay");
  EXPECT_EQ(result.exitCode, 2u);
  EXPECT_THAT(result.message, testing::StartsWith(L"Failed to render\nThe wavtool " + host.root +
                                                  L"\\silent.exe wrote no output file (plugin_temp.wav).\nCheck"));
  // A tool that fails leaves the interpreter with a failing exit code.
  result = host.run(L"/noplay", {L"ARGTOOL_EXIT=3"});
  EXPECT_NE(result.exitCode, 0u);
  EXPECT_THAT(result.message, testing::StartsWith(L"Failed to render\nThe render's script ended with exit code " +
                                                  std::to_wstring(result.exitCode) + L": a tool or a command in it "
                                                  L"failed.\nTo see which, run sondrel with /debug"));
}

// The text with <root> and <work> standing for the host's folders.
std::wstring inHost(std::wstring text, const RenderHost& host) {
  for (const auto& [name, folder] : {std::pair{L"<root>", host.root}, std::pair{L"<work>", host.work}})
    for (size_t at; (at = text.find(name)) != std::wstring::npos;) text.replace(at, wcslen(name), folder);
  return text;
}

// A tool that does not exist would leave the notes silent while the render
// ends "successfully" (the interpreter reports the missing program and goes
// on): nothing runs, and the message names the tool and the line that sets
// it, in setting.ini, the song or its project file, or the setting.ini that
// a plug-in folder in the wrong place does not find. The interpreter's own
// search stays: a name without ".exe" is found.
TEST(ScriptRender, MissingToolIsNamedWithTheLineThatSetsIt) {
  const char kTools[] = "Tool1Path=wavtool.exe\r\nTool2Path=resampler.exe";
  const struct { const char *name, *setting, *song, *projectFile; std::wstring message; } cases[] = {
      {"setting.ini", "Tool1Path=wavtool.exe\r\nTool2Path=missing.exe", "", nullptr,
       L"The resampler path <root>\\missing.exe names no program that exists.\nIt is set by the line Tool2Path= in "
       L"<root>\\setting.ini: change that line to the program's full path."},
      {"not set", "Tool1Path=\r\nTool2Path=resampler.exe", "", nullptr,
       L"No wavtool path is set.\nAdd the line Tool1Path= followed by the program's full path to <root>\\setting.ini, "
       L"or complete that line if it is there but empty."},
      {"song", kTools, "Tool2=C:\\gone\\r.exe\r\n", nullptr,
       L"The resampler path C:\\gone\\r.exe names no program that exists.\nIt is set by the song's own Tool2= (its "
       L"project settings in the host editor): correct it there, or empty it so that the line Tool2Path= in "
       L"setting.ini counts."},
      {"project file", kTools, "CacheDir=song.cache\r\n", "[#SETTING]\r\nTool1=gone.exe\r\n",
       L"The wavtool path <root>\\gone.exe names no program that exists.\nIt is set by the line Tool1= in the song's "
       L"project file <work>\\song.ust: correct the song's project settings in the host editor, or empty that value so "
       L"that the line Tool1Path= in setting.ini counts."},
      {"no setting.ini", nullptr, "", nullptr,
       L"sondrel finds no <root>\\setting.ini, so no wavtool path is set.\nsondrel looks for setting.ini two folders "
       L"above its own: copy the folder sondrel into the plugins folder of the host editor, so that the program is "
       L"<host editor folder>\\plugins\\sondrel\\sondrel.exe."},
      {"found as the interpreter finds it", "Tool1Path=wavtool\r\nTool2Path=resampler", "", nullptr, L""},
  };
  for (const auto& c : cases) {
    RenderHost host(L"execution_render_missing_tool", false);
    if (c.setting)
      host.setting(c.setting);
    else
      DeleteFileW((host.root + L"\\setting.ini").c_str());
    host.writePlugin(kNotes, c.song);
    if (c.projectFile) writeFile(host.work + L"\\song.ust", c.projectFile);
    RunResult result = host.run(L"/noplay");
    EXPECT_EQ(result.exitCode, c.message.empty() ? 0u : 2u) << c.name;
    EXPECT_EQ(result.message, c.message.empty() ? L"" : L"Failed to render\n" + inHost(c.message, host)) << c.name;
    EXPECT_FALSE(host.has(L"plugin_temp.bat")) << c.name;
  }
}

// AutoRun commands and delayed expansion from the registry would run before
// the script and strip the "!" of every tempo argument. Wine's interpreter
// ignores both values, so the command line it was started with is checked
// too. The 32-bit sondrel names the interpreter in the system folder, which
// WoW64 turns into the 32-bit one in syswow64; 64-bit tools named in
// setting.ini run from it all the same.
TEST(ScriptRender, InterpreterRunsWithoutAutoRunOrDelayedExpansionAndStartsSixtyFourBitTools) {
  RenderHost host(L"execution_render_interpreter", false);
  for (const wchar_t* tool : {L"\\bang64.exe", L"\\wavtool64.exe"})
    ASSERT_TRUE(copyFile(twinBuildDir() + L"\\" + kArgtool, host.root + tool));
  // Every resampler runs inside the scripts, started by the interpreter.
  host.setting("Tool1Path=wavtool64.exe\r\nTool2Path=bang64.exe\r\nUseDLL=0\r\nResamplerRuns=1");
  host.writePlugin(kNotes);
  const wchar_t* key = L"Software\\Microsoft\\Command Processor";
  const std::wstring autoRun = L"echo ran>\"" + host.root + L"\\autorun.txt\"";
  const DWORD on = 1;
  RegSetKeyValueW(HKEY_CURRENT_USER, key, L"AutoRun", REG_SZ, autoRun.c_str(),
                  static_cast<DWORD>((autoRun.size() + 1) * sizeof(wchar_t)));
  RegSetKeyValueW(HKEY_CURRENT_USER, key, L"DelayedExpansion", REG_DWORD, &on, sizeof on);
  RunResult result = host.run(L"/noplay", {L"ARGTOOL_PARENT=1", L"ARGTOOL_PARTS=1"});
  RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"AutoRun");
  RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"DelayedExpansion");
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_FALSE(fileExists(host.root + L"\\autorun.txt"));
  EXPECT_THAT(host.calls("bang64.exe|"), testing::Each(testing::EndsWith("|!120.000000")));
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string chcp = std::string(system) + "\\chcp.com " + std::to_string(GetACP());
  EXPECT_THAT(host.calls("parent|"), testing::AllOf(SizeIs(5), testing::Each(testing::StartsWith(
                                                                   "parent|cmd.exe /d /v:off /s /c \"" + chcp + " >nul & "))));
  EXPECT_THAT(host.calls("image|"), testing::AllOf(SizeIs(5), testing::Each(testing::MatchesRegex(
                                                                  "image\\|64\\|C:\\\\windows\\\\syswow64\\\\cmd\\.exe\\|32"))));
}

// 18 bars at tempo 120 with vibrato: the pitch string makes the helper's
// resampler line longer than the 8191 characters the interpreter reads, and
// the interpreter would skip it and leave the note silent.
TEST(ScriptRender, NoteTooLongForTheInterpreterIsNamedWithTheDllHint) {
  RenderHost host(L"execution_render_long_note", false);
  host.writePlugin("[#0000]\r\nLength=34560\r\nLyric=a\r\nNoteNum=60\r\nVBR=65,180,35,20,20,0,0\r\n",
                   "Mode2=True\r\n");
  RunResult result = host.run(L"/noplay");
  EXPECT_EQ(result.exitCode, 24u);
  EXPECT_EQ(result.message, L"Failed to render\nNote 1 of the selection (rests count), lyric \"a\": The note is too "
                            L"long for Command Prompt: its script line would be longer than 8,191 characters.\nSplit "
                            L"the note, or render in DLL mode (UseDLL=1 in setting.ini), which has no such limit.");
  EXPECT_FALSE(host.has(L"plugin_temp.bat"));
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

// A library without its entry point is skipped. One that is missing, misses
// a DLL it needs or is built for stdcall fails the render before anything is
// rendered, and the message says what to do.
TEST(DllRender, MissingEntryPointIsSkippedAndAMissingOrStdcallLibraryNamed) {
  const struct {
    Tools tools;
    const wchar_t* drop;
    DWORD exitCode;
    size_t resamplerCalls, wavtoolCalls;
    std::wstring message;
  } cases[] = {
      {Tools::FakesWithoutResamplerExec, nullptr, 0, 0, 3, L""},
      {Tools::NoResamplerLibrary, nullptr, 2, 0, 0,
       L"DLL mode (the line UseDLL=1 in <root>\\setting.ini) needs the tool library <root>\\resampler10.dll, which "
       L"does not exist.\nCopy the library into the host editor's folder, beside setting.ini, or change that line "
       L"to UseDLL=0 to render with the programs of Tool1Path= and Tool2Path=."},
      {Tools::RuntimeResampler, L"\\toolruntime.dll", ERROR_MOD_NOT_FOUND, 0, 0,
       L"The tool library <root>\\resampler10.dll could not be loaded (error 126): a DLL that it needs is missing.\n"
       L"Copy the DLLs that came with the library beside it, or set UseDLL=0 in setting.ini to render with the "
       L"tool programs."},
      // A 32-bit library built for stdcall removes its arguments itself;
      // called as the host editor calls (cdecl), it would leave sondrel's
      // stack pointer off and crash it. The first call shows it, and the
      // render stops there.
      {Tools::StdcallResampler, nullptr, 193, 1, 0,
       L"The tool library <root>\\resampler10.dll is built for the stdcall calling convention, but tool libraries are "
       L"called as cdecl.\nUse a build of the library made for the host editor, or set UseDLL=0 in setting.ini to "
       L"render with the tool programs."},
  };
  for (const auto& c : cases) {
    RenderHost host(L"execution_render_incomplete", true, c.tools);
    if (c.drop) DeleteFileW((host.root + c.drop).c_str());
    host.writePlugin(kNotes);
    RunResult result = host.run(L"/noplay");
    EXPECT_EQ(result.exitCode, c.exitCode) << c.exitCode;
    EXPECT_EQ(result.message, c.message.empty() ? L"" : L"Failed to render\n" + inHost(c.message, host));
    EXPECT_THAT(host.calls("resampler"), SizeIs(c.resamplerCalls)) << c.exitCode;
    EXPECT_THAT(host.calls("wavtool"), SizeIs(c.wavtoolCalls)) << c.exitCode;
  }
}

// A tool library may need a DLL shipped beside it; one of that name planted in
// the current directory, the plug-in file's folder, must never load instead.
TEST(DllRender, ToolLibraryTakesTheDllsItNeedsFromItsOwnFolder) {
  RenderHost host(L"execution_render_runtime", true, Tools::RuntimeResampler);
  copyFile(buildDir() + L"\\" + kFakes + L"runtime_planted\\toolruntime.dll", host.work + L"\\toolruntime.dll");
  host.writePlugin(kNotes);
  EXPECT_EQ(host.run(L"/noplay").exitCode, 0u);
  EXPECT_THAT(host.calls("resampler|"), testing::ElementsAre("resampler|beside|none", "resampler|beside|none"));
}

// A DLL found only through PATH loads, as with a plain load by full path;
// the current directory is never searched, also not by the library's own
// later loads by name.
TEST(DllRender, ToolLibraryFindsDllsThroughPathButNeverInThePluginFilesFolder) {
  RenderHost host(L"execution_render_path", true, Tools::RuntimeResampler);
  DeleteFileW((host.root + L"\\toolruntime.dll").c_str());
  const std::wstring path = host.root + L"\\path";
  CreateDirectoryW(path.c_str(), nullptr);
  for (const wchar_t* kind : {L"runtime_", L"late_"}) {
    const std::wstring file = std::wstring(kind) == L"late_" ? L"\\toollate.dll" : L"\\toolruntime.dll";
    copyFile(buildDir() + L"\\" + kFakes + kind + L"path" + file, path + file);
    copyFile(buildDir() + L"\\" + kFakes + kind + L"planted" + file, host.work + file);
  }
  wchar_t inherited[32767] = {};
  GetEnvironmentVariableW(L"PATH", inherited, 32767);
  SetEnvironmentVariableW(L"PATH", (path + L";" + inherited).c_str());
  host.writePlugin(kNotes);
  EXPECT_EQ(host.run(L"/noplay").exitCode, 0u);
  EXPECT_THAT(host.calls("resampler|"), testing::ElementsAre("resampler|path|path", "resampler|path|path"));
}

}  // namespace
