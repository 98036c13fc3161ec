// Script mode of a render: the two batch scripts written beside the plug-in
// file.
#pragma once

#include <cstdint>
#include <string>

#include "execution/render_failure.h"
#include "planning/render_config.h"

namespace sondrel {

struct ScriptPaths {
  std::string mainScript;
  std::string helperScript;
  std::string helperReference;  // the helper as the "@set helper=" line names it
};

// Writes "plugin_helper.bat" and "plugin_temp.bat" into the directory of the
// plug-in file (the wide path of the command line) and fills `paths` and
// RenderConfig `helperScriptPath`. Nothing is written when a field cannot be
// placed safely (13), a line would be too long for the interpreter (24), the
// directory has no ANSI form (123) or a path does not fit (206); a file that
// cannot be written gives its system error code. `failure` says why.
int32_t writeScripts(RenderConfig& config, const std::wstring& pluginFilePath, ScriptPaths& paths,
                     RenderFailure& failure);

}  // namespace sondrel
