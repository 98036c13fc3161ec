// One render, from the merge of the modification file to the cache clean-up.
#pragma once

#include <cstdint>

#include "shell/run_options.h"

namespace sondrel {

// The whole render; returns the status code. Runs on the worker thread.
int32_t renderProject(RunOptions& options);

}  // namespace sondrel
