#include "execution/script_runner.h"

#include <shlwapi.h>

#include "base/ansi_code_page.h"
#include "base/status.h"
#include "base/win32_files.h"
#include "execution/cache_listing.h"
#include "execution/interpreter_command.h"
#include "execution/process_job.h"
#include "execution/short_path.h"

namespace sondrel {
namespace {

// How long a cancelled render waits for its processes to be gone before it
// touches the cache: ending a process is asynchronous, and a file it still
// holds open cannot be deleted.
constexpr DWORD kEndWaitMs = 5000;

}  // namespace

int32_t startInterpreter(ProcessJob& job, const std::string& script, unsigned codePage, const void* environment,
                         DWORD creationFlags, HANDLE& process, RenderFailure& failure) {
  char system[MAX_PATH] = {};
  UINT length = GetSystemDirectoryA(system, MAX_PATH);
  char interpreter[MAX_PATH] = {}, chcp[MAX_PATH] = {};
  if (length == 0 || length >= MAX_PATH || !PathCombineA(interpreter, system, "cmd.exe") ||
      !PathCombineA(chcp, system, "chcp.com"))
    return base::kStatusFilenameTooLong;
  int32_t status = job.start(interpreter, interpreterCommandLine(chcp, codePage, script, base::ansiCharacterLength),
                             environment, process, creationFlags);
  if (status != base::kStatusOk)
    failure = RenderFailure::withCode(FailureCause::InterpreterFailed, interpreter, static_cast<uint32_t>(status));
  return status;
}

int32_t runScript(HANDLE cancelEvent, const std::string& mainScriptPath, unsigned codePage,
                  const std::string& cacheDir, RenderFailure& failure) {
  std::string script = shortPathOf(mainScriptPath);
  if (script.empty()) script = mainScriptPath;
  // What the cache holds before the run: a file that Cancel finds beyond it
  // is one the run made, and the last of them may be cut short. File times
  // cannot tell: they come in 2-second steps on FAT, and from another clock
  // on a share.
  const CacheListing before = listCacheDirectory(cacheDir);
  ProcessJob job;
  HANDLE startedProcess = nullptr;
  int32_t status = startInterpreter(job, script, codePage, nullptr, 0, startedProcess, failure);
  if (status != base::kStatusOk) return status;
  base::FileHandle process(startedProcess);

  HANDLE handles[2] = {process.get(), cancelEvent};
  DWORD wait = WaitForMultipleObjects(cancelEvent ? 2 : 1, handles, FALSE, INFINITE);
  // When the interpreter ends just as Cancel comes, the wait reports the
  // interpreter (the first handle); the user's Cancel still decides.
  if (wait == WAIT_OBJECT_0 + 1 || base::isSignalled(cancelEvent)) {
    job.terminateAll(0);
    job.waitUntilEnded(kEndWaitMs);
    deleteFilesCreatedSince(before, cacheDir);
    return base::kStatusCancelled;
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  if (exitCode != 0) failure = RenderFailure::interpreterExit(exitCode);
  return static_cast<int32_t>(exitCode);
}

void nameToolNotStarted(const RenderConfig& config, RenderFailure& failure) {
  if (failure.cause != FailureCause::InterpreterExit && failure.cause != FailureCause::NoOutput) return;
  for (const std::string* tool : {&config.wavtoolPath, &config.resamplerPath}) {
    if (!tool->empty() && GetFileAttributesA(tool->c_str()) != INVALID_FILE_ATTRIBUTES) continue;
    DWORD error = tool->empty() ? ERROR_FILE_NOT_FOUND : GetLastError();
    failure = RenderFailure::withCode(FailureCause::ToolNotStarted, *tool, error);
    return;
  }
}

}  // namespace sondrel
