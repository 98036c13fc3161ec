#include "shell/resampler_runs.h"

#include <windows.h>

#include <string>

#include "shell/host_setting.h"

namespace sondrel {

int configuredResamplerRuns() {
  std::string bytes;
  readSettingFile(hostDirectory(), bytes);
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  return resamplerRuns(bytes, static_cast<int>(system.dwNumberOfProcessors));
}

}  // namespace sondrel
