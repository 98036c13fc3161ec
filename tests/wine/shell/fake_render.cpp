// Stand-in for the render in the shell's tests, so that they can make a render
// fail, wait for Cancel or keep updating the dialog. Driven by the
// environment:
//   SONDREL_FAKE         "ok" (default), "fail:<status>", "wait" (until
//                        Cancel) or "spin" (sets the status text and progress
//                        bar without pause until Cancel)
//   SONDREL_FAKE_WAV_MS  on success, a silent WAV of that many milliseconds is
//                        written to the output path
//   SONDREL_FAKE_REPORT  file that receives what the render saw: the run
//                        options, a number read and printed, and the locale
#include <windows.h>
#include <commctrl.h>

#include <clocale>
#include <string>

#include "project/file_access.h"
#include "project/number_text.h"
#include "resources/resource.h"
#include "shell/run_options.h"
#include "shell/status.h"
#include "test_wav.h"

namespace sondrel {
namespace {

std::wstring environment(const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length > 0 && length < 1024 ? value : L"";
}

std::string utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &text[0], n, nullptr, nullptr);
  return text;
}

bool writeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return written == bytes.size();
}

void report(const RunOptions& options) {
  std::wstring path = environment(L"SONDREL_FAKE_REPORT");
  if (path.empty()) return;
  std::string text = "plugin=" + utf8(options.pluginFilePath) + "\n";
  text += "modification=" + utf8(options.modificationPath) + "\n";
  text += "output=" + utf8(options.outputPath) + "\n";
  text += formatText("play=%d\ndeleteWav=%d\ndeleteCache=%d\ndebug=%d\n", options.play, options.deleteWav,
                     options.deleteCache, options.debug);
  text += "number=" + formatText("%f", readDouble("120.5")) + "\n";
  text += std::string("ctype=") + setlocale(LC_CTYPE, nullptr) + "\n";
  text += std::string("numeric=") + setlocale(LC_NUMERIC, nullptr) + "\n";
  writeFile(path, text);
}

bool cancelled(const RunOptions& options) { return WaitForSingleObject(options.cancelEvent, 0) == WAIT_OBJECT_0; }

// Output beside the plug-in file unless "/o:" names one, as the real render does.
void writeOutput(RunOptions& options) {
  std::wstring output = options.outputPath;
  if (output.empty()) {
    output = options.pluginFilePath;
    output = output.substr(0, output.find_last_of(L'\\') + 1) + L"plugin_temp.wav";
  }
  std::wstring milliseconds = environment(L"SONDREL_FAKE_WAV_MS");
  if (!milliseconds.empty()) writeFile(output, shelltest::silentWav(static_cast<uint32_t>(_wtoi(milliseconds.c_str()))));
  lstrcpynW(options.outputPath, output.c_str(), MAX_PATH);
}

}  // namespace

int32_t renderProject(RunOptions& options) {
  report(options);
  std::string plugin;
  readFileBytes(std::wstring(options.pluginFilePath), plugin);
  options.wholeProject = plugin.find("[#TRACKEND]") != std::string::npos;
  std::wstring mode = environment(L"SONDREL_FAKE");
  if (mode.compare(0, 5, L"fail:") == 0) return _wtoi(mode.c_str() + 5);
  if (mode == L"wait") {
    WaitForSingleObject(options.cancelEvent, INFINITE);
    return kStatusCancelled;
  }
  if (mode == L"spin") {
    SendDlgItemMessageW(options.dialog, IDC_PROGRESS, PBM_SETRANGE32, 0, 1000);
    for (int i = 0; !cancelled(options); i = (i + 1) % 1000) {
      SetDlgItemTextW(options.dialog, IDC_STATUS, i % 2 ? L"spin" : L"spun");
      SendDlgItemMessageW(options.dialog, IDC_PROGRESS, PBM_SETPOS, i, 0);
    }
    return kStatusCancelled;
  }
  writeOutput(options);
  return kStatusOk;
}

}  // namespace sondrel
