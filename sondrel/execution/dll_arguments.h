// The string arguments of the tool library entry points, one array per call.
// Numbers go out as "%f" of the value rounded to single precision, or "%d";
// unlike the scripts, which write "%.6g".
#pragma once

#include <array>
#include <string>

#include "planning/render_config.h"

namespace sondrel {

// Resampler "exec": slots 0 to 12; the entry point's 14th argument is null.
using ResamplerCall = std::array<std::string, 13>;
// Wavtool "exec": output, input, start point, length and eleven envelope slots.
using WavtoolCall = std::array<std::string, 15>;

ResamplerCall resamplerArguments(const RenderConfig& config, const RenderRequest& request);
WavtoolCall wavtoolArguments(const RenderConfig& config, const RenderRequest& request);

}  // namespace sondrel
