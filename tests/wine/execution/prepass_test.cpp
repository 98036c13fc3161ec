// Script mode's resampling ahead of the scripts, against the scripts' own
// runs: a stand-in resampler records what it receives and when it starts and
// ends (argtool.cpp), and makes its output through the reference library.
// On a Japanese system (LANG=ja_JP.UTF-8, code page 932 for both the ANSI
// and the interpreter's code page), with the Japanese texts.
#include "render_host.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

namespace {

using testing::SizeIs;

// A direct sample first (its "@set env" comes before any sung note's), sung
// notes with and without a pitch list, with flags the interpreter must keep
// inside quotes, and with a sample named in Japanese with a blank, "&" and
// parentheses, and a rest: six resampler runs.
std::string song() {
  std::string notes;
  const char* lyrics[] = {"a", "a", "\x83\x7C\x83\x5C", "R", "sa", "i", "ta", "u"};
  for (int i = 0; i < 8; ++i) {
    notes += "[#000" + std::to_string(i) + "]\r\nLength=480\r\nLyric=" + lyrics[i] + "\r\nNoteNum=" +
             std::to_string(55 + i) + "\r\n";
    if (i == 0) notes += "$direct=1\r\n";
    if (i == 1) notes += "Pitches=0,5,10\r\nFlags=g&c^(\r\nEnvelope=0,5,35,0,100,100,0,%,0\r\n";
  }
  return notes;
}

struct PrepassHost : RenderHost {
  explicit PrepassHost(const wchar_t* name) : RenderHost(name, false) {
    take(kArgtool, L"standin.exe");
    // The demo bank under a name with blanks, "&", parentheses, "ソ" and "ポ"
    // (0x83 0x5C and 0x83 0x7C: second bytes "\\" and "|", in a folder that
    // an unquoted "@set" line stores).
    voice = root + L"\\voice & bank (x86) \x30bd\x30dd";
    CreateDirectoryW(voice.c_str(), nullptr);
    for (const std::wstring& name : filesIn(demoBank(), L"*"))
      copyFile(demoBank() + L"\\" + name, voice + L"\\" + name);
    copyFile(demoBank() + L"\\a.wav", voice + L"\\\x30bd\x30dd & (1).wav");
    writeFile(voice + L"\\oto.ini", fileText(voice + L"\\oto.ini") + "\x83\x5C\x83\x7C & (1).wav=\x83\x7C\x83\x5C,30,40,-660,10,5\r\n");
    records = root + L"\\records";
  }

  // Renders the song with `runs` on the ResamplerRuns= line; the stand-in's
  // records land in a fresh records directory.
  RunResult render(int runs, std::vector<std::wstring> environment = {},
                   const std::function<void(HWND)>& whileRunning = nullptr) {
    for (const auto& record : received()) DeleteFileW((records + L"\\" + record.first).c_str());
    CreateDirectoryW(records.c_str(), nullptr);
    DeleteFileW(log.c_str());
    setting("Tool1Path=wavtool.exe\r\nTool2Path=standin.exe\r\nUseDLL=0\r\nResamplerRuns=" + std::to_string(runs));
    writePlugin(song(), "", voice);
    environment.insert(environment.end(),
                       {L"STANDIN_RECORD=" + records, L"STANDIN_OUTPUT=resample", L"STANDIN_TIMES=1"});
    return run(L"/noplay /nodeletewav", environment, whileRunning);
  }

  // The same, made once more when a tool run is missing from the log: under
  // load, Wine's interpreter now and then fails to find a program it has
  // just run ("Can't recognize ..."). A fault of sondrel repeats.
  RunResult renderEveryRun(int runs, size_t toolRuns, const std::vector<std::wstring>& environment,
                           const std::function<void(HWND)>& whileRunning = nullptr) {
    RunResult result = render(runs, environment, whileRunning);
    if (toolOrder().size() < toolRuns) result = render(runs, environment, whileRunning);
    return result;
  }

  // What the stand-in received, by its output file's name.
  std::map<std::wstring, std::string> received() const {
    std::map<std::wstring, std::string> texts;
    for (const std::wstring& name : filesIn(records, L"*.txt")) texts[name] = fileText(records + L"\\" + name);
    return texts;
  }

  // The tool runs in log order: "r" for the stand-in resampler, "w" for the wavtool.
  std::string toolOrder() const {
    std::string order;
    for (const std::string& line : calls(""))
      if (line.rfind("standin.exe|", 0) == 0 || line.rfind("wavtool ", 0) == 0) order += line[0] == 's' ? 'r' : 'w';
    return order;
  }

  // The most resampler runs that were under way at one time.
  size_t mostAtOnce() const {
    std::vector<std::pair<long long, int>> events;
    for (const char* kind : {"start|standin.exe|", "end|standin.exe|"})
      for (const std::string& line : calls(kind))
        events.push_back({std::stoll(line.substr(std::string(kind).size())), kind[0] == 's' ? 1 : -1});
    std::sort(events.begin(), events.end());  // an end before a start at the same time
    int now = 0, most = 0;
    for (const auto& event : events) most = std::max(most, now += event.second);
    return static_cast<size_t>(most);
  }

  std::string wav() const { return fileText(work + L"\\plugin_temp.wav"); }

  std::wstring voice, records;
};

TEST(Prepass, RunsWhatTheScriptsWouldRunSideBySideNoMoreAtOnceThanSetAndLeavesFailedRunsToThem) {
  PrepassHost host(L"prepass_same");
  const std::vector<std::wstring> slow = {L"STANDIN_SLEEP_MS=800"};
  ASSERT_EQ(host.renderEveryRun(1, 14, slow).exitCode, 0u);
  EXPECT_EQ(host.toolOrder(), "wrwrwwrwrwrwrw") << "one after another inside the scripts, as before";
  EXPECT_EQ(host.mostAtOnce(), 1u);
  const std::map<std::wstring, std::string> byScripts = host.received();
  const std::string wav = host.wav();

  ASSERT_EQ(host.renderEveryRun(3, 14, slow, [](HWND dialog) {
    EXPECT_TRUE(waitForText(dialog, 1001, L"WAV ファイルを書き出しています"));
    EXPECT_EQ(SendDlgItemMessageW(dialog, 1002, PBM_GETPOS, 0, 0), 6);
  }).exitCode, 0u);
  EXPECT_EQ(host.toolOrder(), "rrrrrrwwwwwwww") << "every note resampled once, ahead of the scripts";
  EXPECT_EQ(host.mostAtOnce(), 3u);
  EXPECT_THAT(byScripts, SizeIs(6));
  EXPECT_EQ(host.received(), byScripts) << "command line, current directory and environment";
  EXPECT_GT(wav.size(), 44000u);
  EXPECT_TRUE(host.wav() == wav) << "the same WAV, byte for byte";

  // One run writes part of its output and ends with 1.
  RunResult result = host.render(3, {L"STANDIN_FAIL_ONCE=" + host.root + L"\\failed"});
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_EQ(result.message, L"");
  EXPECT_THAT(host.toolOrder(), testing::MatchesRegex("rrrrrrw+rw+")) << "resampled again by the scripts";
  EXPECT_TRUE(host.wav() == wav) << "the same WAV after a failed run";
}

// Runs on one sample follow one another, the others go on meanwhile: the
// stand-in writes an analysis file beside its sample, holding it while it
// works, and fails when another run holds it.
TEST(Prepass, RunsOnOneSampleNeverOverlap) {
  PrepassHost host(L"prepass_one_sample");
  std::string notes;
  const char* lyrics[] = {"a", "a", "ka", "a", "ka", "i", "a"};
  for (int i = 0; i < 7; ++i)
    notes += "[#000" + std::to_string(i) + "]\r\nLength=480\r\nLyric=" + lyrics[i] + "\r\nNoteNum=60\r\n";
  host.setting("Tool1Path=wavtool.exe\r\nTool2Path=standin.exe\r\nUseDLL=0\r\nResamplerRuns=3");
  host.writePlugin(notes, "", host.voice);
  RunResult result = host.run(L"/noplay /nodeletewav", {L"STANDIN_OUTPUT=resample", L"STANDIN_ANALYSIS=1",
                                                         L"STANDIN_SLEEP_MS=300", L"STANDIN_TIMES=1"});
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_THAT(host.calls("clash|"), testing::IsEmpty());
  EXPECT_EQ(host.toolOrder(), "rrrrrrrwwwwwww") << "every note resampled once, ahead of the scripts";
  EXPECT_EQ(host.mostAtOnce(), 3u) << "a, ka and i side by side";
  EXPECT_EQ(fileText(host.voice + L"\\a.wav.frq"), "analysis");
}

// Each run has a console of its own, without a window, which the programs a
// wrapper resampler starts share: without one, each of them would open a
// console window.
TEST(Prepass, RunsHaveAHiddenConsoleThatTheProgramsTheyStartShare) {
  PrepassHost host(L"prepass_console");
  host.take(kArgtool, L"wrapped.exe");
  host.setting("Tool1Path=wavtool.exe\r\nTool2Path=standin.exe\r\nUseDLL=0\r\nResamplerRuns=2");
  host.writePlugin("[#0000]\r\nLength=480\r\nLyric=a\r\nNoteNum=60\r\n", "", host.voice);
  // The wrapper waits two seconds, as for its tool: ending the pre-pass ends
  // what its runs started.
  RunResult result = host.run(L"/noplay", {L"STANDIN_OUTPUT=resample", L"STANDIN_CONSOLE=1", L"STANDIN_SLEEP_MS=2000",
                                           L"STANDIN_CHILD=" + host.root + L"\\wrapped.exe"});
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_THAT(host.calls("console|"), testing::UnorderedElementsAre("console|standin.exe|1|0", "console|wrapped.exe|1|0"));
}

// Before a note is resampled, its older cache files go: in script mode ahead
// of the scripts, in DLL mode before the library call, both from one listing
// of the cache directory. They must be exactly the files that the system's
// own search for "1_*.wav" finds, short names included (note 3 is a rest),
// and names that code page 932 cannot hold ("ē", "한"), which the
// interpreter's `del` deletes too. The clean-up after the render takes such
// names as well.
TEST(Prepass, OlderCacheFilesGoAsTheSystemsSearchFindsThem) {
  for (bool useDll : {false, true}) {
    PrepassHost host(L"prepass_older_files");
    const std::wstring cache = host.work + L"\\t1.cache";
    CreateDirectoryW(cache.c_str(), nullptr);
    CreateDirectoryW((cache + L"\\1_dir.wav").c_str(), nullptr);
    for (const wchar_t* name : {L"1_old.wav", L"1_OLD2.WAV", L"1 _x.wav", L"1_c.wavx", L"1_d.wav.x", L"1_e.wa",
                                L"1_.wav", L"1_e.b.wav", L"x1_.wav", L"10_x.wav", L"01_x.wav", L"3_x.wav",
                                L"1_\x0113.wav", L"1_\xD55C.wav", L"x\x0113.wav"})
      writeFile(cache + L"\\" + name, "old");
    const std::vector<std::wstring> matched = filesIn(cache, L"1_*.wav");
    const std::vector<std::wstring> before = filesIn(cache, L"*");
    ASSERT_THAT(matched, SizeIs(testing::Gt(3u))) << "the system also matches by short names";
    host.setting(std::string("Tool1Path=wavtool.exe\r\nTool2Path=resampler.exe\r\nUseDLL=") + (useDll ? "1" : "0"));
    host.writePlugin(song(), "", host.voice);
    ASSERT_EQ(host.run(L"/noplay /nodeletecache").exitCode, 0u) << useDll;
    for (const std::wstring& name : before) {
      bool gone = std::find(matched.begin(), matched.end(), name) != matched.end();
      EXPECT_EQ(fileExists(cache + L"\\" + name), !gone) << base::toAnsi(name) << (useDll ? " in DLL mode" : "");
    }
    ASSERT_EQ(host.run(L"/noplay").exitCode, 0u) << useDll;
    EXPECT_FALSE(fileExists(cache + L"\\x\x0113.wav")) << useDll;
  }
}

TEST(Prepass, CancelEndsEveryRunAndDeletesWhatTheyWrote) {
  PrepassHost host(L"prepass_cancel");
  // A name of its own: the other tests' stand-ins may run meanwhile.
  host.take(kArgtool, L"cancelled.exe");
  host.setting("Tool1Path=wavtool.exe\r\nTool2Path=cancelled.exe\r\nUseDLL=0\r\nResamplerRuns=2");
  host.writePlugin(song(), "", host.voice);
  auto cancelOnceTwoRun = [&](HWND dialog) {
    for (int i = 0; i < 200 && host.calls("start|").size() < 2; ++i) Sleep(50);
    EXPECT_EQ(controlText(dialog, 1001), L"ノートをリサンプリングしています（0/6）");
    EXPECT_EQ(SendDlgItemMessageW(dialog, 1002, PBM_GETRANGE, FALSE, 0), 6);
    pressButton(dialog, IDCANCEL);
  };
  RunResult result = host.run(L"/noplay /nodeletecache",
                              {L"STANDIN_OUTPUT=cut", L"STANDIN_TIMES=1", L"STANDIN_SLEEP_MS=20000"}, cancelOnceTwoRun);
  EXPECT_EQ(result.exitCode, 1223u);
  EXPECT_EQ(result.message, L"");
  EXPECT_THAT(host.calls("start|"), SizeIs(2));
  EXPECT_FALSE(processRunning(L"cancelled.exe"));
  EXPECT_THAT(host.calls("end|"), SizeIs(0)) << "ended, not waited for";
  EXPECT_TRUE(host.has(L"t1.cache"));
  EXPECT_THAT(filesIn(host.work + L"\\t1.cache", L"*"), SizeIs(0)) << "no cut cache file is left";
  EXPECT_THAT(host.calls("wavtool "), SizeIs(0)) << "the scripts do not run";
}

}  // namespace
