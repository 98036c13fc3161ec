// Entry point of sondrel: the host editor starts it with the plug-in file as
// the first argument.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/file_access.h"
#include "base/status.h"
#include "project/project_reader.h"
#include "resources/resource.h"
#include "shell/command_line.h"
#include "shell/host_settings.h"
#include "shell/progress_dialog.h"
#include "shell/run_options.h"

namespace sondrel {
namespace {

// The runtime locale follows the system's ANSI code page, so that the C
// library's multibyte functions treat the host editor's text (code page 932
// on Japanese systems) as the editor wrote it. Numbers are the exception:
// every number in the song and in the tool arguments uses ".", while many
// regional formats use a decimal comma, so LC_NUMERIC goes back to "C".
void setRuntimeLocale() {
  wchar_t codePage[32] = {};
  GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, codePage, 32);
  // Programs started through a locale emulator carry this variable; "0411"
  // (Japanese) means the host editor writes its files in code page 932.
  wchar_t appLocale[16] = {};
  DWORD length = GetEnvironmentVariableW(L"AppLocaleID", appLocale, 16);
  if (length > 0 && length < 16 && lstrcmpW(appLocale, L"0411") == 0) lstrcpyW(codePage, L"932");
  std::wstring locale = std::wstring(L".") + codePage;
  _wsetlocale(LC_ALL, locale.c_str());
  setlocale(LC_NUMERIC, "C");
}

int32_t parseCommandLine(RunOptions& options) {
  std::vector<std::wstring> arguments(__wargv, __wargv + __argc);
  CommandLine line;
  int32_t status = parseArguments(arguments, line);
  options.play = line.play;
  options.deleteWav = line.deleteWav;
  options.deleteCache = line.deleteCache;
  options.debug = line.debug;
  // A path cut to its buffer would name another file: one that does not fit
  // stays out of RunOptions, and the failure names it.
  const struct {
    wchar_t* field;
    const std::wstring& value;
    FailureSubject subject;
  } paths[] = {{options.pluginFilePath, line.pluginFilePath, FailureSubject::PluginFile},
               {options.modificationPath, line.modificationPath, FailureSubject::ModificationFile},
               {options.outputPath, line.outputPath, FailureSubject::Output}};
  for (const auto& path : paths) {
    if (base::fitsMaxPath(path.value)) {
      lstrcpynW(path.field, path.value.c_str(), MAX_PATH);
    } else if (options.failure.cause == FailureCause::Unknown) {
      options.failure = RenderFailure::pathTooLong(path.subject, path.value);
    }
  }
  return status;
}

// Whether the plug-in file holds the whole track, whose file the host editor
// keeps whatever the render did.
bool holdsWholeProject(const wchar_t* pluginFilePath) {
  std::string bytes;
  if (!base::readFileBytes(std::wstring(pluginFilePath), bytes)) return false;
  Project project;
  readProjectText("", project, bytes);
  return project.hasTrackEnd;
}

// Unless the user keeps the result, the WAV goes and the plug-in file is left
// empty, which the host editor reads as "no changes". A whole project is the
// exception: its render is the user's output.
void cleanUpAfterDialog(const RunOptions& options) {
  if (!options.deleteWav || options.wholeProject) return;
  // A sound still playing keeps its file open, and the file could not go.
  PlaySoundA(nullptr, nullptr, 0);
  DeleteFileW(options.outputPath);
  HANDLE plugin = CreateFileW(options.pluginFilePath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_ARCHIVE, nullptr);
  if (plugin != INVALID_HANDLE_VALUE) CloseHandle(plugin);
}

}  // namespace
}  // namespace sondrel

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace sondrel;
  if (__argc < 2) return 0;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  setRuntimeLocale();
  int32_t status = parseCommandLine(runOptions);
  runOptions.instance = instance;
  if (status != base::kStatusOk) {
    // A path that does not fit would be cut to another file's name: nothing
    // is rendered, and the user learns that the render failed rather than
    // seeing nothing happen. When the plug-in file's own path is fine, the
    // run ends as every failed render does.
    showRenderFailure(GetActiveWindow());
    if (runOptions.pluginFilePath[0] != L'\0') {
      runOptions.wholeProject = holdsWholeProject(runOptions.pluginFilePath);
      cleanUpAfterDialog(runOptions);
    }
    return status;
  }
  runOptions.hostDirectory = hostDirectory();
  runOptions.settings = readHostSettings(runOptions.hostDirectory);
  INT_PTR end = runProgressDialog(showsProgressBar(runOptions.settings, processorCount()) ? IDD_PROGRESS_DLL
                                                                                         : IDD_PROGRESS_SCRIPT);
  cleanUpAfterDialog(runOptions);
  return static_cast<int>(end);
}
