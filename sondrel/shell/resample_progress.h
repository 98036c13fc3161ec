// The resampler runs that a script-mode render makes ahead of its scripts,
// shown in the progress dialog: the progress bar counts the runs that have
// ended and the status line says how many of how many; once they have ended
// it says that the WAV file is being written, which the scripts then do.
// main_win32 shows the template with the progress bar (102) whenever these
// runs may happen, and the plain one (101) when setting.ini leaves every run
// to the scripts.
#pragma once

#include <cstdint>

#include "execution/script_writer.h"
#include "planning/render_config.h"
#include "shell/run_options.h"

namespace sondrel {

// The pre-pass with setting.ini's number of runs; 0, or 1223 when cancelled.
int32_t resampleAheadOfScripts(const RunOptions& options, const RenderConfig& config, const ScriptPaths& scripts);

}  // namespace sondrel
