#include "execution/script_runner.h"

#include <shlwapi.h>

#include "base/ansi_code_page.h"
#include "base/status.h"
#include "execution/batch_text.h"
#include "execution/short_path.h"

namespace sondrel {

int32_t runScript(HANDLE cancelEvent, const std::string& mainScriptPath) {
  std::string script = shortPathOf(mainScriptPath);
  if (script.empty()) script = mainScriptPath;
  // cmd.exe strips the first and the last quote of what follows "/c" unless
  // the text meets its narrow keep-the-quotes rule, so a path that must be
  // quoted gets a second pair.
  std::string commandLine = needsQuotes(script, base::isAnsiLeadByte) ? "cmd.exe /c \"\"" + script + "\"\""
                                                                 : "cmd.exe /c " + script;
  // The interpreter is named by its full path: a search by name would look in
  // the plug-in file's directory, the current one, before the system's.
  char interpreter[MAX_PATH] = {};
  UINT length = GetSystemDirectoryA(interpreter, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || !PathAppendA(interpreter, "cmd.exe")) return base::kStatusFilenameTooLong;

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
    status = base::kStatusCancelled;
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
