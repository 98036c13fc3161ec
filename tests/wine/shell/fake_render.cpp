// Stand-in for the render in the shell's tests. Driven by the environment:
//   SONDREL_FAKE         "ok" (default), "fail:<status>", "wait" (until Cancel), "spin"
//                        (updates the status text and progress bar without pause until Cancel),
//                        "merge" (rewrites the plug-in file, unless cancelled first) or
//                        "progress" (stands at request 12 of 180 until Cancel, for pictures)
//   SONDREL_FAKE_LYRIC   with "progress": the lyric DLL mode shows; without it, the
//                        count of notes that script mode resamples ahead
//   SONDREL_FAKE_START_DELAY_MS  the render waits that long before its first step, as a
//                        worker that the system schedules late (the worker runs nothing
//                        of its own before the render)
//   SONDREL_FAKE_WAV_MS  on success, a silent WAV of that many milliseconds is the output
//   STANDIN_LOG          receives "render|" and name=value fields of what the render saw:
//                        the run options, a number read and printed, and the locale
#include <windows.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "base/ansi_text.h"
#include "base/file_access.h"
#include "base/number_text.h"
#include "base/status.h"
#include "shell/render_project.h"
#include "shell/run_options.h"

namespace sondrel {
namespace {

std::wstring environment(const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length < 1024 ? value : L"";
}

void report(const RunOptions& options) {
  std::string line = "render|modification=" + base::toAnsi(options.modificationPath) + "|output=" +
                     base::toAnsi(options.outputPath) +
                     base::formatText("|play=%d|deleteWav=%d|deleteCache=%d|debug=%d|number=%f|ctype=", options.play,
                                options.deleteWav, options.deleteCache, options.debug, base::readDouble("120.5")) +
                     setlocale(LC_CTYPE, nullptr) + "|numeric=" + setlocale(LC_NUMERIC, nullptr) + "\n";
  if (FILE* log = _wfopen(environment(L"STANDIN_LOG").c_str(), L"ab")) {
    fwrite(line.data(), 1, line.size(), log);
    fclose(log);
  }
}

// Mono, 8 bits, 8000 samples a second: 8 bytes a millisecond, so that a
// minute of sound stays small.
std::string silentWav(uint32_t milliseconds) {
  std::string wav("RIFF....WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0data....", 44);
  auto put = [&](size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) wav[offset + i] = static_cast<char>(value >> (8 * i) & 0xFF);
  };
  put(4, 36 + milliseconds * 8);
  put(40, milliseconds * 8);
  return wav + std::string(milliseconds * 8, '\x80');
}

// Output beside the plug-in file unless "/o:" names one, as the real render does.
void writeOutput(RunOptions& options) {
  std::wstring output = options.outputPath;
  if (output.empty()) {
    output = options.pluginFilePath;
    output = output.substr(0, output.find_last_of(L'\\') + 1) + L"plugin_temp.wav";
  }
  std::wstring milliseconds = environment(L"SONDREL_FAKE_WAV_MS");
  if (!milliseconds.empty()) base::replaceFileContent(output, silentWav(static_cast<uint32_t>(_wtoi(milliseconds.c_str()))));
  lstrcpynW(options.outputPath, output.c_str(), MAX_PATH);
}

}  // namespace

int32_t renderProject(RunOptions& options, RenderProgress& progress) {
  // A delay queued from the loader's thread start-up instead would crash a
  // 32-bit thread under Wine 8's WoW64.
  Sleep(static_cast<DWORD>(_wtoi(environment(L"SONDREL_FAKE_START_DELAY_MS").c_str())));
  report(options);
  std::string plugin;
  options.wholeProject = base::readFileBytes(std::wstring(options.pluginFilePath), plugin) &&
                         plugin.find("[#TRACKEND]") != std::string::npos;
  std::wstring mode = environment(L"SONDREL_FAKE");
  if (mode.compare(0, 5, L"fail:") == 0) return _wtoi(mode.c_str() + 5);
  if (mode == L"wait") {
    WaitForSingleObject(progress.cancelEvent(), INFINITE);
    return base::kStatusCancelled;
  }
  if (mode == L"merge") {
    if (progress.cancelled()) return base::kStatusCancelled;
    base::replaceFileContent(options.pluginFilePath, plugin + "[#0000]\r\nLyric=merged\r\n");
    return base::kStatusOk;
  }
  if (mode == L"spin") {
    progress.setRange(1000);
    for (int i = 0; !progress.cancelled(); i = (i + 1) % 1000) {
      progress.showNote(i % 2 ? "spin" : "spun");
      progress.setPosition(static_cast<size_t>(i));
    }
    return base::kStatusCancelled;
  }
  if (mode == L"progress") {
    progress.setRange(180);
    progress.setPosition(12);
    const std::wstring lyric = environment(L"SONDREL_FAKE_LYRIC");
    if (lyric.empty())
      progress.showResampling(12, 180);
    else
      progress.showNote(base::toAnsi(lyric));
    WaitForSingleObject(progress.cancelEvent(), INFINITE);
    return base::kStatusCancelled;
  }
  writeOutput(options);
  return base::kStatusOk;
}

}  // namespace sondrel
