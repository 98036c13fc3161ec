// Whole renders of sondrel.exe started the way the host editor starts it: a
// host directory with setting.ini and the tools, the program two levels
// below, a plug-in file in a work directory.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "windriver.h"

namespace {

const char kNotes[] =
    "[#0000]\r\nLength=480\r\nLyric=a\r\nNoteNum=60\r\n"
    "[#0001]\r\nLength=480\r\nLyric=R\r\nNoteNum=60\r\n"
    "[#0002]\r\nLength=480\r\nLyric=ka\r\nNoteNum=62\r\n";

std::string narrow(const std::wstring& wide) {
  int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &text[0], n, nullptr, nullptr);
  text.resize(static_cast<size_t>(n) - 1);
  return text;
}

std::wstring demoBank() {
  std::wstring build = windriver::buildDir();
  return build.substr(0, build.find_last_of(L'\\')) + L"\\demo_bank";
}

struct RunResult {
  DWORD exitCode = STILL_ACTIVE;
  std::wstring message;  // text of the failure message box, if one was shown
};

enum class Tools { Reference, Fakes, FakesWithoutResamplerExec, NoResamplerLibrary };

struct Host {
  std::wstring root, work, exe, plugin, log;

  Host(const std::wstring& name, bool useDll, Tools tools = Tools::Reference) {
    root = windriver::scratchDir(name);
    work = root + L"\\work";
    CreateDirectoryW(work.c_str(), nullptr);
    CreateDirectoryW((root + L"\\plugins").c_str(), nullptr);
    CreateDirectoryW((root + L"\\plugins\\sondrel").c_str(), nullptr);
    exe = root + L"\\plugins\\sondrel\\sondrel.exe";
    windriver::copyFile(windriver::buildDir() + L"\\sondrel.exe", exe);
    plugin = work + L"\\t1.tmp";
    log = root + L"\\calls.log";
    std::wstring build = windriver::buildDir();
    for (const wchar_t* program : {L"resampler.exe", L"wavtool.exe"})
      windriver::copyFile(build + L"\\" + program, root + L"\\" + program);
    std::wstring fakes = build + L"\\tests\\wine\\execution\\fakes\\";
    switch (tools) {
      case Tools::Reference:
        windriver::copyFile(build + L"\\resampler10.dll", root + L"\\resampler10.dll");
        windriver::copyFile(build + L"\\wavtool2.dll", root + L"\\wavtool2.dll");
        break;
      case Tools::Fakes:
        windriver::copyFile(fakes + L"resampler\\resampler10.dll", root + L"\\resampler10.dll");
        windriver::copyFile(fakes + L"wavtool\\wavtool2.dll", root + L"\\wavtool2.dll");
        break;
      case Tools::FakesWithoutResamplerExec:
        windriver::copyFile(fakes + L"resampler_noexec\\resampler10.dll", root + L"\\resampler10.dll");
        windriver::copyFile(fakes + L"wavtool\\wavtool2.dll", root + L"\\wavtool2.dll");
        break;
      case Tools::NoResamplerLibrary:
        windriver::copyFile(build + L"\\wavtool2.dll", root + L"\\wavtool2.dll");
        break;
    }
    setting(std::string("Tool1Path=wavtool.exe\r\nTool2Path=resampler.exe\r\nUseDLL=") + (useDll ? "1" : "0") + "\r\n");
  }

  void setting(const std::string& text) const { windriver::writeFile(root + L"\\setting.ini", text); }

  void writePlugin(const std::string& notes, const std::string& extraSetting = "",
                   const std::wstring& voiceDir = demoBank()) const {
    windriver::writeFile(plugin, "[#SETTING]\r\nTempo=120\r\nVoiceDir=" + narrow(voiceDir) + "\r\n" + extraSetting +
                                     notes);
  }

  // Starts sondrel, answers a failure message (recording its text) and
  // waits for the exit. `whileRunning` is called once the progress dialog
  // is up.
  RunResult run(const std::wstring& options, const std::wstring& extraEnvironment = L"",
                const std::function<void(HWND)>& whileRunning = nullptr) const {
    std::wstring environment = L"REFTOOL_LOG=" + log + L"|FAKE_TOOL_LOG=" + log + L"|" + extraEnvironment + L"|";
    for (wchar_t& c : environment)
      if (c == L'|') c = L'\0';
    windriver::Process process;
    RunResult result;
    if (!process.start(L"\"" + exe + L"\" \"" + plugin + L"\" " + options, work.c_str(), environment.c_str()))
      return result;
    if (whileRunning) {
      HWND dialog = windriver::findDialog(process.id(), L"TARV", 20000);
      if (dialog) whileRunning(dialog);
    }
    for (int i = 0; i < 600 && result.exitCode == STILL_ACTIVE; ++i) {
      result.exitCode = process.wait(100);
      if (result.exitCode != STILL_ACTIVE) break;
      HWND progress = windriver::findDialog(process.id(), L"TARV", 0);
      HWND box = progress ? windriver::findOtherDialog(process.id(), progress, 0) : nullptr;
      if (box && result.message.empty()) {
        result.message = windriver::messageBoxText(box);
        windriver::pressButton(box, IDOK);
      }
    }
    if (result.exitCode == STILL_ACTIVE) process.kill();
    return result;
  }

  std::vector<std::string> calls(const std::string& prefix) const {
    std::string bytes;
    windriver::readFile(log, bytes);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
      if (bytes.compare(start, prefix.size(), prefix) == 0) lines.push_back(bytes.substr(start, end - start));
    return lines;
  }

  bool exists(const std::wstring& nameInWork) const { return windriver::fileExists(work + L"\\" + nameInWork); }
};

// Play time of a PCM WAV in ms, -1 when the file is not one.
double wavMilliseconds(const std::wstring& path) {
  std::string bytes;
  if (!windriver::readFile(path, bytes) || bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 ||
      bytes.compare(8, 4, "WAVE") != 0)
    return -1;
  auto u32 = [&](size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) |
           static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 3])) << 24;
  };
  unsigned byteRate = 0;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    unsigned size = u32(at + 4);
    if (bytes.compare(at, 4, "fmt ") == 0 && at + 20 <= bytes.size()) {
      if ((u32(at + 8) & 0xFFFF) != 1) return -1;
      byteRate = u32(at + 16);
    } else if (bytes.compare(at, 4, "data") == 0) {
      if (byteRate == 0 || at + 8 + size > bytes.size()) return -1;
      return size * 1000.0 / byteRate;
    }
    at += 8 + size + (size & 1);
  }
  return -1;
}

// Three notes of 480 ticks at tempo 120 last 1500 ms; the wavtool adds the
// first note's pre-utterance in front.
constexpr double kThreeNotesMs = 1500;

void expectRenderedSong(const Host& host, const std::wstring& wav, double songMs, const char* mode) {
  double ms = wavMilliseconds(wav);
  EXPECT_GE(ms, songMs) << mode;
  EXPECT_LE(ms, songMs + 100) << mode;
}

class Render : public ::testing::TestWithParam<bool> {};

TEST_P(Render, SongBecomesAWavOfItsLength) {
  Host host(L"execution_render_song", GetParam());
  host.writePlugin(kNotes);
  RunResult result = host.run(L"/noplay /nodeletewav");
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_EQ(result.message, L"");
  expectRenderedSong(host, host.work + L"\\plugin_temp.wav", kThreeNotesMs, GetParam() ? "DLL mode" : "script mode");
  EXPECT_FALSE(host.exists(L"t1.cache")) << "the cache is removed after the render";
  EXPECT_FALSE(host.exists(L"plugin_temp.bat") || host.exists(L"plugin_helper.bat"));
  EXPECT_FALSE(host.exists(L"plugin_temp.wav.whd") || host.exists(L"plugin_temp.wav.dat"));
}

TEST_P(Render, KeptCacheRunsNoResamplerTheSecondTime) {
  Host host(L"execution_render_cache", GetParam());
  host.writePlugin(kNotes);
  const std::string resampler = GetParam() ? "resampler10.dll " : "resampler ";
  const std::string wavtool = GetParam() ? "wavtool2.dll " : "wavtool ";
  ASSERT_EQ(host.run(L"/noplay /nodeletewav /nodeletecache").exitCode, 0u);
  EXPECT_EQ(host.calls(resampler).size(), 2u) << "two sung notes";
  EXPECT_TRUE(host.exists(L"t1.cache"));
  DeleteFileW(host.log.c_str());
  ASSERT_EQ(host.run(L"/noplay /nodeletewav /nodeletecache").exitCode, 0u);
  EXPECT_EQ(host.calls(resampler).size(), 0u);
  EXPECT_EQ(host.calls(wavtool).size(), 3u);
  expectRenderedSong(host, host.work + L"\\plugin_temp.wav", kThreeNotesMs, "from the cache");
}

TEST_P(Render, OutputOptionAndMergedModification) {
  Host host(L"execution_render_merge", GetParam());
  host.writePlugin(kNotes);
  windriver::writeFile(host.work + L"\\mod.ust", "[#0000]\r\nLength=960\r\n");
  std::wstring out = host.root + L"\\rendered.wav";
  RunResult result = host.run(L"/noplay /nodeletewav \"/o:" + out + L"\" \"/m:" + host.work + L"\\mod.ust\"");
  EXPECT_EQ(result.exitCode, 0u);
  expectRenderedSong(host, out, kThreeNotesMs + 500, "merged length");
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
  expectRenderedSong(host, host.work + L"\\whole.wav", kThreeNotesMs, "whole project");
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

INSTANTIATE_TEST_SUITE_P(Modes, Render, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Dll" : "Script"; });

TEST(ScriptRender, DebugKeepsTheScripts) {
  Host host(L"execution_render_debug", false);
  host.writePlugin(kNotes);
  EXPECT_EQ(host.run(L"/noplay /debug").exitCode, 0u);
  EXPECT_TRUE(host.exists(L"plugin_temp.bat"));
  EXPECT_TRUE(host.exists(L"plugin_helper.bat"));
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
