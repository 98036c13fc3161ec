// One render, from the merge of the modification file to the cache clean-up.
#pragma once

#include <cstdint>

#include "execution/render_progress.h"
#include "shell/run_options.h"

namespace sondrel {

// The whole render, showing its progress; returns the status code. Runs on
// the worker thread.
int32_t renderProject(RunOptions& options, RenderProgress& progress);

}  // namespace sondrel
