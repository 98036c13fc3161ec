// DLL mode of a render: the resampler and wavtool libraries of the host
// directory, called in this process once per request.
#pragma once

#include <cstdint>

#include "shell/render_config.h"
#include "shell/run_options.h"

namespace sondrel {

// Loads "resampler10.dll" and "wavtool2.dll" from the host directory and runs
// every request, showing its lyric and position in the dialog (controls 1001
// and 1002). Returns 0, 1223 when the cancel event was signalled between two
// requests, or the error code of a library that did not load.
int32_t runWithDlls(HANDLE cancelEvent, HWND dialog, const RenderConfig& config);

}  // namespace sondrel
