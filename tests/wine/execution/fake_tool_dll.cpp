// Stand-ins for the tool libraries. Each call appends a line to the file named
// by STANDIN_LOG and then sleeps STANDIN_SLEEP_MS if set. The wavtool's
// line starts with what the progress dialog of the calling process shows at
// that moment: "wavtool|<position>|<range end>|<status text>|<arguments>".
// Without STANDIN_LOG they do nothing beyond what a render needs: the
// resampler creates its (empty) output file, append_files the output WAV.
// With STANDIN_TOOL_TIME, a library appends "<µs inside its calls> <start
// of its first call> <end of its last call>" (one clock for all processes)
// to that file when it is unloaded, so that a benchmark can take the tools'
// own time out of a render's.
// Built as: FAKE_RESAMPLER (resampler10.dll with "exec"), FAKE_RESAMPLER_STDCALL
// (the same built for the stdcall convention, exported undecorated),
// FAKE_RESAMPLER_NOEXEC (resampler10.dll without it), FAKE_RESAMPLER_RUNTIME
// (resampler10.dll that needs toolruntime.dll, loads toollate.dll when
// called, and logs which copy of each it got, "none" for none),
// FAKE_WAVTOOL (wavtool2.dll with "exec" and "append_files").
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

LARGE_INTEGER spent = {}, firstStart = {}, lastEnd = {};

class CallTimer {
 public:
  CallTimer() {
    QueryPerformanceCounter(&start_);
    if (firstStart.QuadPart == 0) firstStart = start_;
  }
  ~CallTimer() {
    QueryPerformanceCounter(&lastEnd);
    spent.QuadPart += lastEnd.QuadPart - start_.QuadPart;
  }

 private:
  LARGE_INTEGER start_;
};

[[maybe_unused]] void logLine(std::string line, const char* const* args, int count) {
  for (int i = 0; i < count; ++i) line += std::string("|") + (args[i] ? args[i] : "(null)");
  line += "\n";
  if (const char* log = std::getenv("STANDIN_LOG")) {
    if (FILE* file = std::fopen(log, "ab")) {
      std::fwrite(line.data(), 1, line.size(), file);
      std::fclose(file);
    }
  }
  if (const char* sleep = std::getenv("STANDIN_SLEEP_MS")) Sleep(static_cast<DWORD>(std::atoi(sleep)));
}

BOOL CALLBACK findProgressDialog(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !GetDlgItem(window, 1002)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

[[maybe_unused]] std::string dialogState() {
  HWND dialog = nullptr;
  EnumWindows(findProgressDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return "no dialog";
  char text[256] = {};
  GetDlgItemTextA(dialog, 1001, text, sizeof text);
  LRESULT position = SendDlgItemMessageA(dialog, 1002, PBM_GETPOS, 0, 0);
  LRESULT high = SendDlgItemMessageA(dialog, 1002, PBM_GETRANGE, FALSE, 0);
  return std::to_string(position) + "|" + std::to_string(high) + "|" + text;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  const char* path = std::getenv("STANDIN_TOOL_TIME");
  if (reason != DLL_PROCESS_DETACH || !path) return TRUE;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  auto micro = [&](LARGE_INTEGER ticks) {
    return ticks.QuadPart / frequency.QuadPart * 1000000 + ticks.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
  };
  if (FILE* file = std::fopen(path, "ab")) {
    std::fprintf(file, "%lld %lld %lld\n", micro(spent), micro(firstStart), micro(lastEnd));
    std::fclose(file);
  }
  return TRUE;
}

#if defined(FAKE_RESAMPLER) || defined(FAKE_RESAMPLER_STDCALL)
#if defined(FAKE_RESAMPLER_STDCALL)
#define RESAMPLER_CONVENTION __stdcall
#else
#define RESAMPLER_CONVENTION __cdecl
#endif
extern "C" __declspec(dllexport) int RESAMPLER_CONVENTION exec(const char* a0, const char* a1, const char* a2, const char* a3,
                                                  const char* a4, const char* a5, const char* a6, const char* a7,
                                                  const char* a8, const char* a9, const char* a10, const char* a11,
                                                  const char* a12, const char* a13) {
  CallTimer timer;
  const char* args[] = {a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13};
  logLine("resampler", args, 14);
  FILE* file = std::fopen(a1, "wb");
  if (file) std::fclose(file);
  return file ? 0 : 1;
}
#elif defined(FAKE_RESAMPLER_RUNTIME)
extern "C" __declspec(dllimport) const char* __cdecl toolRuntimeName();
extern "C" __declspec(dllexport) int __cdecl exec(const char*, const char*, const char*, const char*, const char*,
                                                  const char*, const char*, const char*, const char*, const char*,
                                                  const char*, const char*, const char*, const char*) {
  // A library of its own that it loads later, by name.
  using Name = const char*(__cdecl*)();
  HMODULE late = LoadLibraryA("toollate.dll");
  auto lateName = late ? reinterpret_cast<Name>(reinterpret_cast<void*>(GetProcAddress(late, "toolRuntimeName")))
                       : nullptr;
  const char* args[] = {toolRuntimeName(), lateName ? lateName() : "none"};
  logLine("resampler", args, 2);
  return 0;
}
#elif defined(FAKE_RESAMPLER_NOEXEC)
extern "C" __declspec(dllexport) int __cdecl execute(const char*) { return 0; }
#elif defined(FAKE_WAVTOOL)
extern "C" __declspec(dllexport) int __cdecl exec(const char* a0, const char* a1, const char* a2, const char* a3,
                                                  const char* a4, const char* a5, const char* a6, const char* a7,
                                                  const char* a8, const char* a9, const char* a10, const char* a11,
                                                  const char* a12, const char* a13, const char* a14) {
  CallTimer timer;
  const char* args[] = {a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14};
  if (std::getenv("STANDIN_LOG")) logLine("wavtool|" + dialogState(), args, 15);
  return 0;
}

// An empty output file: the render then has an output, which is all the
// tests of the runner need.
extern "C" __declspec(dllexport) int __cdecl append_files(const char* header, const char* data, const char* output) {
  CallTimer timer;
  const char* args[] = {header, data, output};
  logLine("append_files", args, 3);
  FILE* file = std::fopen(output, "wb");
  if (file) std::fclose(file);
  return file ? 0 : 1;
}
#endif
