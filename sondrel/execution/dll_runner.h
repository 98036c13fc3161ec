// DLL mode of a render: the resampler and wavtool libraries of the host
// directory, called in this process once per request.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "execution/render_failure.h"
#include "execution/render_progress.h"
#include "planning/render_config.h"

namespace sondrel {

// Loads "resampler10.dll" and "wavtool2.dll" from `libraryDir` (the host
// directory; empty when it could not be found, which fails with 206), each
// with the DLLs it needs from its own folder or through PATH, never from the
// current directory, and runs every request, showing its lyric and
// position (the range is the number of requests). Returns 0, 1223 when
// Cancel was pressed between two requests, or the error code of a library
// that did not load (named in `failure`).
int32_t runWithDlls(const RenderConfig& config, const std::wstring& libraryDir, RenderProgress& progress,
                    RenderFailure& failure);

}  // namespace sondrel
