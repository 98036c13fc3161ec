#include "shell/resampler_runs.h"

#include <algorithm>

#include "base/number_text.h"
#include "shell/host_setting.h"

namespace sondrel {

int resamplerRuns(std::string_view settingBytes, int processors) {
  HostSetting line = findSetting(settingBytes, "ResamplerRuns=");
  int runs = line.found ? base::readInt(line.value) : 0;
  if (runs <= 0) runs = processors;
  return std::clamp(runs, 1, kMaxResamplerRuns);
}

}  // namespace sondrel
