// Script mode of a render: the two batch scripts written beside the plug-in
// file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "execution/render_failure.h"
#include "planning/render_config.h"

namespace sondrel {

struct ScriptPaths {
  std::string mainScript;
  std::string helperScript;
  std::string helperReference;  // the helper as the "@set helper=" line names it
  unsigned codePage = 0;        // of the main script, in which the interpreter reads it (interpreter_code_page.h)
};

// Writes "plugin_helper.bat" and "plugin_temp.bat" into the directory of the
// plug-in file (the wide path of the command line) and fills `paths`. Nothing is written when a field cannot be
// placed safely (13), a line would be too long for the interpreter (24), the
// directory has no ANSI form (123), a path does not fit (206) or the
// interpreter would not read the script's characters as written (1113); a
// file that cannot be written gives its system error code. `failure` says
// why. 1223 when the cancel event (may be null) is signalled meanwhile.
int32_t writeScripts(const RenderConfig& config, const std::wstring& pluginFilePath, HANDLE cancelEvent, ScriptPaths& paths,
                     RenderFailure& failure);

}  // namespace sondrel
