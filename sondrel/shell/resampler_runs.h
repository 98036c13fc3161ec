// setting.ini's "ResamplerRuns=<n>": how many resampler runs a script-mode
// render makes at once, ahead of the scripts. Without the line (or with a
// value that is not a number above 0) one per processor; 1 leaves every run
// to the scripts, one note after another; at most kMaxResamplerRuns. DLL mode
// calls the resampler library one note after another whatever the line says:
// the library is one instance inside sondrel and nothing promises that it can
// be called from several threads at once.
#pragma once

#include <string_view>

namespace sondrel {

// One wait watches at most 64 handles: the running resamplers and Cancel.
constexpr int kMaxResamplerRuns = 63;

int resamplerRuns(std::string_view settingBytes, int processors);

// resamplerRuns of the host editor's setting.ini and this machine's processors.
int configuredResamplerRuns();

}  // namespace sondrel
