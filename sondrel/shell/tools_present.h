// Whether the tools of a render are there before it starts: a resampler that
// does not exist would otherwise leave every note silent while the render
// ends "successfully", since the command interpreter reports the missing
// program and goes on.
#pragma once

#include <cstdint>
#include <string>

#include "execution/render_failure.h"
#include "planning/render_config.h"

namespace sondrel {

// Script mode: the wavtool and resampler programs, found as the command
// interpreter finds them (the path as written, or with an extension of
// PATHEXT). DLL mode: both tool libraries in the host directory. Returns 0, or
// 2 (ERROR_FILE_NOT_FOUND) with `failure` naming the tool and where it was
// set. A render without requests runs no tool and needs none.
int32_t checkToolsPresent(const RenderConfig& config, const std::wstring& hostDir, RenderFailure& failure);

}  // namespace sondrel
