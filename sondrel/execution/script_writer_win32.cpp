#include "execution/script_writer.h"

#include <shlwapi.h>

#include "project/ansi_code_page.h"
#include "execution/script_text.h"
#include "execution/short_path.h"
#include "project/file_access.h"
#include "shell/ansi_text.h"
#include "shell/status.h"

namespace sondrel {
namespace {

int32_t writeWholeFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return static_cast<int32_t>(GetLastError());
  DWORD written = 0;
  BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  int32_t status = ok && written == text.size() ? kStatusOk : static_cast<int32_t>(GetLastError());
  CloseHandle(file);
  return status;
}

}  // namespace

int32_t writeScripts(RenderConfig& config, const RunOptions& options, ScriptPaths& paths) {
  std::string pluginFile = toAnsi(options.pluginFilePath);
  if (!fitsMaxPath(pluginFile)) return kStatusFilenameTooLong;
  char directory[MAX_PATH] = {};
  lstrcpynA(directory, pluginFile.c_str(), MAX_PATH);
  PathRemoveFileSpecA(directory);
  paths.mainScript = std::string(directory) + "\\plugin_temp.bat";
  paths.helperScript = std::string(directory) + "\\plugin_helper.bat";
  if (!fitsMaxPath(paths.mainScript) || !fitsMaxPath(paths.helperScript)) return kStatusFilenameTooLong;
  config.helperScriptPath = paths.helperScript;

  // Every field is checked before anything is written; the short form of the
  // helper path exists only once the helper file does, and cannot hold a
  // character that its long form lacks.
  std::string reference;
  std::string mainText;
  int32_t status = formatHelperReference(paths.helperScript, isAnsiLeadByte, reference);
  if (status == kStatusOk) status = buildMainScript(config, reference, isAnsiLeadByte, mainText);
  if (status != kStatusOk) return status;

  status = writeWholeFile(paths.helperScript, helperScriptText());
  if (status != kStatusOk) return status;
  // When the system gives no short form, the long one still names the file;
  // an empty helper would make every call line run the sample file instead.
  std::string shortHelper = shortPathOf(paths.helperScript);
  if (shortHelper.empty()) shortHelper = paths.helperScript;
  status = formatHelperReference(shortHelper, isAnsiLeadByte, reference);
  if (status == kStatusOk) status = buildMainScript(config, reference, isAnsiLeadByte, mainText);
  if (status == kStatusOk) status = writeWholeFile(paths.mainScript, mainText);
  if (status != kStatusOk) DeleteFileA(paths.helperScript.c_str());
  return status;
}

int32_t runScript(HANDLE cancelEvent, const std::string& mainScriptPath) {
  std::string script = shortPathOf(mainScriptPath);
  if (script.empty()) script = mainScriptPath;
  // cmd.exe strips the first and the last quote of what follows "/c" unless
  // the text meets its narrow keep-the-quotes rule, so a path that must be
  // quoted gets a second pair.
  std::string commandLine = needsQuotes(script, isAnsiLeadByte) ? "cmd.exe /c \"\"" + script + "\"\""
                                                                 : "cmd.exe /c " + script;
  // The interpreter is named by its full path: a search by name would look in
  // the plug-in file's directory, the current one, before the system's.
  char interpreter[MAX_PATH] = {};
  UINT length = GetSystemDirectoryA(interpreter, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || !PathAppendA(interpreter, "cmd.exe")) return kStatusFilenameTooLong;

  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(interpreter, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return static_cast<int32_t>(GetLastError());

  HANDLE handles[2] = {process.hProcess, cancelEvent};
  DWORD count = cancelEvent ? 2 : 1;
  DWORD wait = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
  int32_t status;
  if (wait == WAIT_OBJECT_0 + 1) {
    TerminateProcess(process.hProcess, 0);
    status = kStatusCancelled;
  } else {
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    status = static_cast<int32_t>(exitCode);
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return status;
}

}  // namespace sondrel
