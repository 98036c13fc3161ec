// Script mode of a render: running the main script through the command
// interpreter, cancellable.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "execution/render_failure.h"
#include "planning/render_config.h"

namespace sondrel {

// The command line that starts the interpreter on the script: "/d" keeps the
// user's AutoRun commands out of the render and "/v:off" keeps a registry
// default of delayed expansion from eating every "!" of the script.
std::string interpreterCommandLine(const std::string& script);

// Runs the main script with "cmd.exe /d /v:off /c" and waits for it or for the
// cancel event (may be null). The interpreter and every tool it starts run in
// one job: Cancel ends them all, and then deletes the newest cache file of
// `cacheDir` written during the run, which a resampler may have left cut
// short. Returns the interpreter's exit code, 1223 when cancelled, or the
// system error code when the interpreter does not start; `failure` says which.
int32_t runScript(HANDLE cancelEvent, const std::string& mainScriptPath, const std::string& cacheDir,
                  RenderFailure& failure);

// After a script run that failed or wrote nothing: when a tool program of
// `config` does not exist, the failure names it instead, since the
// interpreter only reports that some command was not found.
void nameToolNotStarted(const RenderConfig& config, RenderFailure& failure);

}  // namespace sondrel
