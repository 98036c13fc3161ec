// The resampler run that the helper script makes for a sung note, taken apart
// so that sondrel can make the same run itself ahead of the scripts: the
// variables the main script sets and the command line the interpreter builds
// from the helper's resampler line.
//
// A value that the script stores with "@set" comes back from the interpreter
// exactly as the field holds it (the escaping of batch_text is undone when
// the line is read, and fields without a safe form are refused before any
// script is written), so the values here are the fields themselves, numbers
// written as the script writes them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "planning/render_config.h"

namespace sondrel {

struct ScriptVariable {
  std::string name;
  std::string value;
};

// What the header of the main script sets, in its order; `helperReference` is
// the helper script as the "@set helper=" line names it.
std::vector<ScriptVariable> headerVariables(const RenderConfig& config, std::string_view helperReference);

// What the block of a request sets before its tool runs, in its order: "env"
// for a direct sample; "params", "flag", "env", "stp", "vel" and "temp" for a
// sung note; nothing for a rest.
std::vector<ScriptVariable> blockVariables(const RenderConfig& config, const RenderRequest& request);

// The command line with which the interpreter starts the resampler for a sung
// note: the helper script's resampler line with the variables and the call
// line's parameters in place, without the "@" that keeps it from being shown.
std::string helperResamplerCommandLine(const RenderConfig& config, const RenderRequest& request);

}  // namespace sondrel
