// Script mode of a render: writing the two batch scripts beside the plug-in
// file and running the main one through the command interpreter.
#pragma once

#include <cstdint>
#include <string>

#include "shell/render_config.h"
#include "shell/run_options.h"

namespace sondrel {

struct ScriptPaths {
  std::string mainScript;
  std::string helperScript;
};

// Writes "plugin_helper.bat" and "plugin_temp.bat" into the plug-in file's
// directory and fills `paths` and RenderConfig `helperScriptPath`. Nothing is
// written when a field cannot be placed safely (13) or a path does not fit
// (206); a file that cannot be written gives its system error code.
int32_t writeScripts(RenderConfig& config, const RunOptions& options, ScriptPaths& paths);

// Runs the main script with "cmd.exe /c" and waits for it or for the cancel
// event (may be null): the interpreter's exit code, 1223 when cancelled, or
// the system error code when the interpreter does not start.
int32_t runScript(HANDLE cancelEvent, const std::string& mainScriptPath);

}  // namespace sondrel
