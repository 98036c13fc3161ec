// The host platform's path buffers hold 259 bytes and a terminator; a path
// combined from a directory and a name must fit, or the tools would read or
// write another file than the one planned.
#pragma once

#include <cstdint>

#include "planning/render_config.h"

namespace sondrel {

// Status 206 when a path that a back end combines for the render (a cache
// file, a sample, the output's part files) does not fit; 0 otherwise.
int32_t checkPathLimits(const RenderConfig& config);

}  // namespace sondrel
