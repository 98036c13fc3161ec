// Script mode of a render: running the main script through the command
// interpreter, cancellable.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace sondrel {

// Runs the main script with "cmd.exe /c" and waits for it or for the cancel
// event (may be null): the interpreter's exit code, 1223 when cancelled, or
// the system error code when the interpreter does not start.
int32_t runScript(HANDLE cancelEvent, const std::string& mainScriptPath);

}  // namespace sondrel
