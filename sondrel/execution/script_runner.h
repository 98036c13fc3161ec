// Script mode of a render: running the main script through the command
// interpreter, cancellable.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "execution/render_failure.h"
#include "planning/render_config.h"

namespace sondrel {

class ProcessJob;

// Starts the interpreter on `script` inside `job` (interpreter_command.h), by
// its full path: a search by name would look in the plug-in file's
// directory, the current one, before the system's. Its console is first
// switched to `codePage`. Returns 0 and the process handle, which the caller
// owns, or the system error code, with `failure` naming the interpreter.
int32_t startInterpreter(ProcessJob& job, const std::string& script, unsigned codePage, const void* environment,
                         DWORD creationFlags, HANDLE& process, RenderFailure& failure);

// Runs the main script, written in `codePage` (ScriptPaths), and waits for it
// or for the cancel event (may be null). The interpreter and every tool it
// starts run in one job: Cancel ends them all, and then deletes the cache
// files of `cacheDir` that the run created (the last one may be cut short,
// and would count as done in a later render that keeps the cache). Returns
// the interpreter's exit code, 1223 when cancelled, or the system error code
// when the interpreter does not start; `failure` says which.
int32_t runScript(HANDLE cancelEvent, const std::string& mainScriptPath, unsigned codePage,
                  const std::string& cacheDir, RenderFailure& failure);

// After a script run that failed or wrote nothing: when a tool program of
// `config` does not exist, the failure names it instead, since the
// interpreter only reports that some command was not found.
void nameToolNotStarted(const RenderConfig& config, RenderFailure& failure);

}  // namespace sondrel
