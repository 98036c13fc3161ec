// Paths that a render writes or deletes must name exactly the file planned:
// the host platform's path buffers hold 259 bytes and a terminator, and a
// combined path that does not fit would be cut to another file's name; a
// wildcard in the output would make the interpreter's `del` remove every file
// it matches.
#pragma once

#include <cstdint>

#include "execution/render_failure.h"
#include "planning/render_config.h"

namespace sondrel {

// Status 123 (ERROR_INVALID_NAME) when the output or the cache directory
// holds a wildcard (* ? < > and the quote, which the system's file search
// reads as wildcards too), a | or a control character, or when the output's
// name is empty or only dots and blanks, which names a folder; 206 when a path that
// a back end combines for the render (a cache file, a sample, the output's
// part files) does not fit; 0 otherwise. `failure` says which path.
int32_t checkPathLimits(const RenderConfig& config, RenderFailure& failure);

}  // namespace sondrel
